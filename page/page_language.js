// The page's language, Chinese or English, and its words in it. `?lang=zh` or `?lang=en` in the
// page's address (also zh-TW, en-GB and the like) wins, so that a page embedding this one can choose;
// otherwise the reader's first preferred language does: Chinese for any zh, English for anything
// else. The program's window in the canvas is Chinese either way.
import {TEXTS as ZH} from './page_texts_zh.js';
import {TEXTS as EN} from './page_texts_en.js';

export const TABLES = {zh: ZH, en: EN};
const DOCUMENT_LANG = {zh: 'zh-CN', en: 'en'};

const known = (tag) => (/^zh(-|$)/i.test(tag) ? 'zh' : /^en(-|$)/i.test(tag) ? 'en' : null);

// 'zh' or 'en' for the address's query `search` and the browser's `navigator` (its languages, or
// its language alone where it has no list).
export function chooseLanguage(search, navigator) {
  const asked = known(new URLSearchParams(search).get('lang') || '');
  if (asked) return asked;
  const preferred = navigator ? (navigator.languages && navigator.languages[0]) || navigator.language : '';
  return known(preferred || '') === 'zh' ? 'zh' : 'en';
}

// The chosen language's texts, which every module of the page takes its words from. It is one
// object whose contents useLanguage replaces, so that a module holding it follows the choice.
export const texts = {};
let chosen = '';

export function useLanguage(language) {
  Object.assign(texts, TABLES[language]);
  chosen = language;
}

useLanguage(chooseLanguage(globalThis.location ? location.search : '', globalThis.navigator));

// A text with braces: the braces hold the texts of `element`'s child elements (a footer's links),
// which stay where they are with their attributes.
function fill(element, text) {
  const children = Array.from(element.children);
  element.replaceChildren(...text.split(/\{([^}]*)\}/).map((part, k) => {
    if (k % 2 === 0) return part;
    const child = children[(k - 1) / 2];
    child.textContent = part;
    return child;
  }));
}

// Puts the texts into `root` (the document, or a template's content): an element's data-text names
// its text, data-label its aria-label. Also the document's language.
export function putTexts(root) {
  if (root.documentElement) root.documentElement.lang = DOCUMENT_LANG[chosen];
  for (const element of root.querySelectorAll('[data-text]')) fill(element, texts[element.dataset.text]);
  for (const element of root.querySelectorAll('[data-label]'))
    element.setAttribute('aria-label', texts[element.dataset.label]);
}
