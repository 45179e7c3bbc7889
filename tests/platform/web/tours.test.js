// A tour played on the embedded page, in Chromium, Firefox and WebKitGTK: it ends on the view of the
// desktop's last frame of the same tour from the same view (`tessary --print-frames`), a request
// that comes during it replaces it, and a tour that cannot be read is refused naming its step.
// TESSARY_ENGINES=firefox (a comma-separated list) runs some of the engines only.
'use strict';
const {describe, it, before, after} = require('node:test');
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const path = require('node:path');
const {HostedPage} = require('./hosted_page.js');
const {ENGINES} = require('./engines.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const DESKTOP_BUILD = process.env.DESKTOP_BUILD || path.resolve(__dirname, '../../../build');
const RUN = (process.env.TESSARY_ENGINES || Object.keys(ENGINES).join(',')).split(',');

// A turn that brings the inner cube out, a hold, a turntable quarter and an eased move part of the
// way back: it ends on none of the views it passed.
const TOUR = 'turn 0,3 by 90 in 400ms; hold 100ms\norbit 45 in 10f # frames at 30 per second on the page\n' +
             'faces off; turn 1,2 by -30 in 200ms';

// The desktop's frames of `tour` from `view`, each line's view.
function desktopViews(view, tour) {
  const out = execFileSync(path.join(DESKTOP_BUILD, 'tessary'), ['--view', view, '--tour', tour, '--print-frames'],
                           {encoding: 'utf8'});
  return out.trim().split('\n').map((line) => line.split(' ')[3]);
}

for (const engine of RUN) {
  describe(`Tours on the embedded page, in ${engine}`, () => {
    let page, start;
    before(async () => {
      page = await HostedPage.open(engine, WEB_BUILD);
      await page.waitForHost(() => received.some((m) => m.type === 'ready'), 30000);
      assert.equal((await page.ask({type: 'set-dimension', dimension: 4})).type, 'done');
      assert.equal((await page.ask({type: 'set-faces', faces: true})).type, 'done');
      start = (await page.ask({type: 'get-view'})).view;
    });
    after(async () => { if (page) await page.close(); });

    it('plays a tour to its end, the view of the desktop\'s last frame of it', async () => {
      const views = desktopViews(start, TOUR);
      assert.equal(views.length, 32, 'the desktop\'s frames at 30 per second, and the end');
      const answer = await page.ask({type: 'play-tour', tour: TOUR});
      assert.equal(answer.type, 'done', JSON.stringify(answer));
      assert.equal((await page.ask({type: 'get-view'})).view, views[views.length - 1]);
    });

    it('answers a tour replaced when another request comes first, and refuses one it cannot read', async () => {
      assert.equal((await page.ask({type: 'set-view', view: start})).type, 'done');
      page.nextId += 1;
      const tourId = page.nextId;
      await page.host((m) => ask(m), {tessary: 1, id: tourId, type: 'play-tour', tour: 'orbit 360 in 20s'});
      const faces = await page.ask({type: 'set-faces', faces: false});
      const tour = await page.answer(tourId);
      assert.deepEqual([tour.type, tour.kind, faces.type], ['refused', 'replaced', 'done'], JSON.stringify(tour));
      assert.match((await page.ask({type: 'get-view'})).view, /^v1\.4d\./, 'the faces switched off after the tour');

      const bad = await page.ask({type: 'play-tour', tour: 'hold 1s; turn 0,7 by 90 in 1s'});
      assert.deepEqual([bad.type, bad.kind, bad.reason],
                       ['refused', 'unreadable', 'unreadable: step 2 \'turn 0,7 by 90 in 1s\': the 4-cube has the axes 0 to 3']);
    });
  });
}
