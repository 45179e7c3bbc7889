// What a screen reader hears the program do, read from its state (never guessed from the input):
// a cube built, a message box's question, the faces on or off, a turn starting in a plane and
// stopping. Each change is said once, in a polite live region.
const AXES = ['X', 'Y', 'Z', 'W'];
const axis = (k) => AXES[k] || String(k);
const samePlane = (a, b) => String(a) === String(b);

// The sentences for the change from `before` to `now` (both states of PageProgram).
export function changes(before, now) {
  const said = [];
  if (now.dimension !== before.dimension && now.dimension > 0)
    said.push(`${now.dimension} 维超立方体：${now.vertices} 个顶点，${now.edges} 条边，${now.faces} 个面`);
  if (now.message !== null && now.message !== before.message) said.push(now.message);
  if (now.facesShown !== before.facesShown) said.push(now.facesShown ? '显示面' : '只显示棱（线框渲染）');
  if (!samePlane(now.plane, before.plane) || (now.plane && now.reverse !== before.reverse)) {
    if (now.plane)
      said.push(`正在 ${axis(now.plane[0])}–${axis(now.plane[1])} 平面内旋转${now.reverse ? '（反向）' : ''}`);
    else
      said.push('停止旋转');
  }
  return said;
}

// Reads the program's state every `intervalMs` and says what changed in `region`; `onState(state)`
// is told each state read.
export function announce(region, program, onState, intervalMs = 200) {
  let before = null;
  setInterval(() => {
    const now = program.state();
    if (!now) return;
    onState(now);
    const said = before ? changes(before, now) : [];
    before = now;
    if (said.length > 0) region.textContent = said.join('。');
  }, intervalMs);
}
