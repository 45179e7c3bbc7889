// A short line over the canvas, standing for a few seconds: what a button did, or that a link's view
// could not be shown, with the program's reason beneath.
export class Notice {
  constructor(element) {
    this.element = element;
    this.timer = 0;
  }

  show(text, seconds = 5, reason = '') {
    clearTimeout(this.timer);
    this.element.textContent = text;
    if (reason) {
      const small = document.createElement('small');
      small.textContent = reason;
      this.element.append(small);
    }
    this.element.style.display = 'block';
    this.timer = setTimeout(() => { this.element.style.display = 'none'; }, seconds * 1000);
  }
}
