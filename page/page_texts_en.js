// The page's own words in English, with the keys of page_texts_zh.js. The window in the canvas is
// the program's and stays Chinese: the canvas's description names its Chinese labels, and the
// program's message boxes are said in English by what each of them is.
const AXES = ['X', 'Y', 'Z', 'W'];
const axis = (k) => AXES[k] || String(k);

// The program's messages in English, by the id the program gives each (hypercube/DimensionRule.cpp),
// and whether the box asks (确定 and 取消) or tells (确定 alone).
const MESSAGES = {
  range: {text: 'Please enter a dimension from 3 to 8', asks: false},
  slow: {text: 'Dimensions above 6 may be slow to draw. Really try?', asks: true},
};
const BUTTONS = {false: '确定 (OK)', true: '确定 (OK) and 取消 (Cancel)'};

export const TEXTS = {
  loading: 'Loading the fonts and the program…',
  ended: 'The program has ended.',
  again: 'Start again',
  unfocused: 'Click or tap the picture to go on',
  wheelHint: 'Click the picture first, then zoom with the wheel',
  keysLabel: 'Turning keys',
  keysCaption: 'Hold two of these keys to turn the cube in the plane of their axes; hold Shift too to turn it the other way.',
  controlsLabel: 'Dimension and faces',
  dimension: (n) => `${n}-D`,
  showFaces: 'Show faces',
  savePicture: 'Save picture',
  saveSvg: 'Save SVG',
  savePdf: 'Save PDF',
  saveModel: 'Save 3-D model',
  record: 'Record',
  stop: 'Stop',
  share: 'Share',
  canvasHelp: 'The window is the program\'s own, and its words are Chinese. At the top, the field labelled ' +
    '“请输入超立方体维度：” (“Enter the hypercube\'s dimension:”) takes the dimension, 3 to 8, and the button ' +
    '“马上生成～～” (“Build it now”) beside it builds the hypercube. The check box “线框渲染” (“Wireframe”) ' +
    'switches the faces off: checked, only the edges are drawn. A message box in the window has the buttons ' +
    '“确定” (OK) and “取消” (Cancel). The digit keys 0 to 7 are the axes: 0 is X, 1 is Y, 2 is Z, 3 is W, and ' +
    'digit d is axis d. Hold two digit keys to turn the cube in the plane of those two axes; hold Shift as well ' +
    'to turn it the other way. Drag with the mouse to look from another side, and turn the wheel to zoom in or ' +
    'out. Escape ends the program. Beside the window, the page\'s own buttons “3-D” to “8-D” and “Show faces” ' +
    'are reached with Tab.',
  ok: 'OK',
  cancel: 'Cancel',
  typingLabel: 'Dimension',
  footer: 'Fonts: AR PL UMing ({Arphic Public License}), WenQuanYi Micro Hei ({Apache-2.0 or GPL-3}), cwTeX Yen ({GPL-2})',
  failures: {
    fetch: 'The program\'s files could not be downloaded. Check the network and open this page again.',
    compile: 'The program\'s file (WebAssembly) could not be compiled.',
    abort: 'The program stopped unexpectedly.',
    failed: 'The program failed and has stopped.',
    webgl: 'This browser cannot use WebGL, which the program needs to draw.',
  },
  glContext: {
    lost: 'The browser has taken the drawing context (WebGL) away for a while; waiting for it to come back…',
    failed: 'The drawing context (WebGL) could not be restored.',
  },
  noWebGl: 'canvas.getContext("webgl") returned null',
  notices: {
    unreadable: 'The view in the link could not be read; the program started as usual.',
    unreadableNow: 'The view in the link could not be read.',
    boxOpen: 'Close the message box first, then open the view in the link.',
    copied: 'Link copied to the clipboard.',
    shared: 'Link handed to the system\'s share sheet.',
    copyThis: 'The link could not be copied for you; copy it from here:',
    noPicture: 'The picture could not be saved.',
    noFigure: 'The vector figure could not be saved.',
    boxOpenFigure: 'Close the message box first, then save the vector figure.',
    noModel: 'The 3-D model could not be saved.',
    boxOpenModel: 'Close the message box first, then save the 3-D model.',
  },
  cube: (n, vertices, edges, faces) => `${n}-cube: ${vertices} vertices, ${edges} edges, ${faces} faces`,
  facesShown: 'Faces shown',
  edgesOnly: 'Edges only (“线框渲染”, wireframe)',
  turning: (a, b, reverse) => `Turning in the ${axis(a)}–${axis(b)} plane${reverse ? ', reversed' : ''}`,
  stopped: 'Turning stopped',
  sentenceBreak: '. ',
  // The program's message of id `id` whose Chinese is `text`; one without English here is given as
  // it is.
  messageBox: (id, text) => {
    const known = MESSAGES[id];
    return known ? `The window shows a Chinese message box: “${known.text}”, with ${BUTTONS[known.asks]}`
                 : `The window shows a Chinese message box: “${text}”`;
  },
  programText: (id, text) => (MESSAGES[id] ? MESSAGES[id].text : text),
};
