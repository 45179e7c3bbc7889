// A question asked in the page, sized for a finger and answered from the keyboard: a modal <dialog>,
// which keeps the focus inside while it is open and takes Escape as Cancel.
export class PageDialog {
  // `dialog`: the <dialog>, holding the text's element (.question) and the buttons "确定" (value
  // ok) and "取消" (value cancel).
  constructor(dialog) {
    this.dialog = dialog;
    this.text = dialog.querySelector('.question');
  }

  // Whether a question or a notice waits for the reader now.
  get asking() { return this.dialog.open; }

  // Resolves true for "确定", false for "取消" or Escape; the focus goes back where it was.
  ask(question) {
    const back = document.activeElement;
    this.text.textContent = question;
    this.dialog.returnValue = '';
    this.dialog.showModal();
    return new Promise((resolve) => {
      this.dialog.addEventListener('close', () => {
        if (back && back.focus) back.focus({preventScroll: true});
        resolve(this.dialog.returnValue === 'ok');
      }, {once: true});
    });
  }
}
