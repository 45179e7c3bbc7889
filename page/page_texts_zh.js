// The page's own words in Chinese, as the page has always said them. page_texts_en.js has the same
// keys; a text with numbers in it is a function of them. The program's own texts (in the canvas,
// and the questions it asks) are Chinese in both, and here pass through unchanged.
const AXES = ['X', 'Y', 'Z', 'W'];
const axis = (k) => AXES[k] || String(k);

export const TEXTS = {
  loading: '正在加载字体和程序……',
  ended: '程序已结束。',
  again: '重新开始',
  unfocused: '点击或轻触画面以继续',
  wheelHint: '请先点击画面，再用滚轮缩放',
  keysLabel: '旋转键',
  keysCaption: '按住其中两个键，立方体就在这两个坐标轴的平面内旋转；再按住 Shift 反向。',
  controlsLabel: '维数和面',
  dimension: (n) => `${n} 维`,
  showFaces: '显示面',
  savePicture: '保存图片',
  saveSvg: '保存 SVG',
  savePdf: '保存 PDF',
  saveModel: '保存 3D 模型',
  record: '录制',
  stop: '停止',
  share: '分享',
  canvasHelp: '画面上方是输入框和“马上生成～～”按钮：输入 3 到 8 的维数，再按按钮生成超立方体。复选框“线框渲染”：选中时只画棱，不选时也画面。' +
    ' 数字键 0 到 7 是坐标轴：0 是 X，1 是 Y，2 是 Z，3 是 W，数字 d 就是第 d 轴；按住两个数字键，立方体在这两个轴组成的平面内旋转，再按住 Shift 反向旋转。' +
    ' 按住鼠标拖动换个角度看，鼠标滚轮拉近或推远。Escape 结束程序。画面之外还有页面按钮“3 维”到“8 维”和“显示面”，用 Tab 键可以到达。',
  ok: '确定',
  cancel: '取消',
  typingLabel: '维数',
  // Braces hold the text of the element's links, in order.
  footer: '字体：AR PL UMing（{Arphic Public License}）、 文泉驿微米黑（{Apache-2.0 或 GPL-3}）、 cwTeX 圆体（{GPL-2}）',
  failures: {
    fetch: '无法下载程序文件，请检查网络后重新打开本页。',
    compile: '无法编译程序文件（WebAssembly）。',
    abort: '程序意外中止。',
    failed: '程序出错，已停止。',
    webgl: '此浏览器无法使用 WebGL，本程序需要它来绘图。',
  },
  glContext: {
    lost: '浏览器暂时收回了绘图环境（WebGL），正在等待恢复……',
    failed: '绘图环境（WebGL）无法恢复。',
  },
  noWebGl: 'canvas.getContext("webgl") 返回 null',
  notices: {
    unreadable: '无法读取链接中的视图，程序已照常启动。',
    unreadableNow: '无法读取链接中的视图。',
    boxOpen: '请先关闭对话框，再打开链接中的视图。',
    copied: '链接已复制到剪贴板。',
    shared: '已把链接交给系统的分享功能。',
    copyThis: '无法自动复制链接，请手动复制：',
    noPicture: '无法保存图片。',
    noFigure: '无法保存矢量图。',
    boxOpenFigure: '请先关闭对话框，再保存矢量图。',
    noModel: '无法保存 3D 模型。',
    boxOpenModel: '请先关闭对话框，再保存 3D 模型。',
  },
  // What the live region says.
  cube: (n, vertices, edges, faces) => `${n} 维超立方体：${vertices} 个顶点，${edges} 条边，${faces} 个面`,
  facesShown: '显示面',
  edgesOnly: '只显示棱（线框渲染）',
  turning: (a, b, reverse) => `正在 ${axis(a)}–${axis(b)} 平面内旋转${reverse ? '（反向）' : ''}`,
  stopped: '停止旋转',
  sentenceBreak: '。',
  // The program's message box as the live region says it, and the program's question in the page's
  // dialog: its own words, whatever its id.
  messageBox: (id, text) => text,
  programText: (id, text) => text,
};
