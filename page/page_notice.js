// A short line over the canvas, standing for a few seconds: what a button did, or that a link's view
// could not be read.
export class Notice {
  constructor(element) {
    this.element = element;
    this.timer = 0;
  }

  show(text, seconds = 5) {
    clearTimeout(this.timer);
    this.element.textContent = text;
    this.element.style.display = 'block';
    this.timer = setTimeout(() => { this.element.style.display = 'none'; }, seconds * 1000);
  }
}
