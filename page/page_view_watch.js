// Notices that the view shown has changed and then come to rest, whoever changed it: the reader
// turning, orbiting, zooming, building or switching the faces, or the host. The view is read without
// settling it (a read that moved the vertices would disturb a turn under way); once two reads in a
// row agree and differ from the last view told, the view is settled and told once.
export const WATCH_MS = 200;

// `views`: the program's view functions (page_views.js); `running()`: whether the program runs;
// `changed(text)`: told each settled view, as capture() gives it. Returns the function that stops
// watching.
export function watchView(views, running, changed, every = (f, ms) => setInterval(f, ms)) {
  // The view as read when it was last told (at first, the view as watching starts), and as read
  // the time before.
  let told = views.peek(), last = told;
  const timer = every(() => {
    if (!running()) return;
    const now = views.peek();
    if (now !== last) {
      last = now;
      return;
    }
    if (now === told) return;
    const text = views.capture();
    told = last = views.peek();
    changed(text);
  }, WATCH_MS);
  return () => clearInterval(timer);
}
