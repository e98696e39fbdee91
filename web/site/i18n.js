// The page's texts in the player's language. Each language has a catalog,
// i18n/<language>.json: texts by id, "{name}" where a value goes in, and a
// text that depends on a count has one id per plural category
// ("battles_one", "battles_other"). The language follows the browser's
// (navigator.languages) unless the player chose one, which this browser
// remembers. The catalog is loaded before any module that writes a text
// runs, and the page stays invisible until then, so it never shows in one
// language and then in the other.
//
// Markup names its texts by id: data-i18n="id" sets an element's text,
// data-i18n-<attribute>="id" one of the ATTRIBUTES. Code names them as
// string literals passed to t(), plural() or textId(), never put together at
// run time, so that scripts/check-catalogs.py finds every one.

export const LANGUAGES = ['de', 'en'];
// Every language's name in itself, for the switch: a player who reads
// neither German nor English still finds their own.
const ENDONYMS = { de: 'Deutsch', en: 'English' };
// The language of a browser none of whose languages has a catalog.
const FALLBACK = 'en';
const CHOICE_KEY = 'skarnwald.language';
const ATTRIBUTES = ['aria-label', 'title', 'placeholder', 'content', 'data-more'];
const WHOLE_MOMENT = { year: 'numeric', month: 'numeric', day: 'numeric', hour: 'numeric', minute: 'numeric', second: 'numeric' };
const PLACEHOLDER = /\{([A-Za-z_][A-Za-z0-9_]*)\}/g;

// Until a catalog is in, the language is the markup's own (German), so that
// a page whose catalog cannot be loaded has the core write in the language
// its texts show.
const MARKUP = document.documentElement.lang || 'de';
let texts = {};
let current = { language: MARKUP, locale: MARKUP };
let pluralRules = new Intl.PluralRules(MARKUP);
let numbers = new Intl.NumberFormat(MARKUP);
let newestChoice = 0;
const listeners = [];

// "de" for "de-AT" or "DE"; null for a tag of a language without a catalog.
function catalogLanguage(tag) {
  const language = String(tag).toLowerCase().split(/[-_]/)[0];
  return LANGUAGES.includes(language) ? language : null;
}

function browserTags() {
  const tags = navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language];
  return tags.filter((tag) => {
    try {
      return Intl.getCanonicalLocales(tag).length === 1;
    } catch {
      return false;
    }
  });
}

// The first of the browser's languages that has a catalog, else English.
function systemLanguage() {
  for (const tag of browserTags()) {
    const language = catalogLanguage(tag);
    if (language) return language;
  }
  return FALLBACK;
}

// What the player chose: a language, or "system" to follow the browser.
export function languageChoice() {
  let choice = null;
  try {
    choice = localStorage.getItem(CHOICE_KEY);
  } catch {
    // Storage refused (a private window's policy): the browser's language.
  }
  return LANGUAGES.includes(choice) ? choice : 'system';
}

// The language and the locale its numbers and dates are written in: the
// browser's own tag of that language where it has one ("de-AT", "en-GB").
function resolve(choice) {
  const language = choice === 'system' ? systemLanguage() : choice;
  const locale = browserTags().find((tag) => catalogLanguage(tag) === language) || language;
  return { language, locale };
}

async function loadCatalog(language) {
  const response = await fetch(`i18n/${language}.json`);
  if (!response.ok) throw new Error(`i18n/${language}.json: ${response.status}`);
  return response.json();
}

const fill = (text, values) =>
  text.replace(PLACEHOLDER, (whole, name) => (name in values ? String(values[name]) : whole));

// The text of `id` with its "{name}"s replaced from `values`; the id itself
// when the catalog lacks it, so a missing text shows rather than vanishes.
export function t(id, values = {}) {
  return fill(texts[id] ?? id, values);
}

// The text of `id` for `count` in the language's plural category; "{count}"
// is the count written as the language writes numbers.
export function plural(id, count, values = {}) {
  const text = texts[`${id}_${pluralRules.select(count)}`] ?? texts[`${id}_other`] ?? id;
  return fill(text, { count: formatNumber(count), ...values });
}

// Marks an id that markup built by code uses later (data-i18n="${id}").
export const textId = (id) => id;

export const language = () => current.language;

export function formatNumber(value, options) {
  return options ? new Intl.NumberFormat(current.locale, options).format(value) : numbers.format(value);
}

// "14.3.2026, 10:05:03" as the language writes a moment, or with `options`.
export function formatDateTime(date, options = WHOLE_MOMENT) {
  return new Intl.DateTimeFormat(current.locale, options).format(date);
}

// Sets every text and translated attribute of the markup under `root`.
export function translate(root = document) {
  for (const element of root.querySelectorAll('[data-i18n]')) element.textContent = t(element.dataset.i18n);
  for (const attribute of ATTRIBUTES) {
    for (const element of root.querySelectorAll(`[data-i18n-${attribute}]`))
      element.setAttribute(attribute, t(element.getAttribute(`data-i18n-${attribute}`)));
  }
}

// True once the texts are in the language of `choice`. A catalog that cannot
// be loaded leaves them as they were: the markup's own, or the language shown
// before. Of choices made in quick succession the last wins, whichever
// catalog arrives first.
async function apply(choice) {
  const mine = ++newestChoice;
  const next = resolve(choice);
  let loaded;
  try {
    loaded = await loadCatalog(next.language);
  } catch (error) {
    console.error(error);
    return false;
  }
  if (mine !== newestChoice) return false;
  texts = loaded;
  current = next;
  pluralRules = new Intl.PluralRules(next.locale);
  numbers = new Intl.NumberFormat(next.locale);
  document.documentElement.lang = next.language;
  translate();
  return true;
}

// `listener(language)` runs after the texts have changed language, in the
// order the listeners were added.
export const onLanguageChange = (listener) => listeners.push(listener);

export async function chooseLanguage(choice) {
  try {
    if (choice === 'system') localStorage.removeItem(CHOICE_KEY);
    else localStorage.setItem(CHOICE_KEY, choice);
  } catch {
    // Not remembered, but still applied to this page.
  }
  if (await apply(choice)) listeners.forEach((listener) => listener(current.language));
}

// The switch "Sprache / Language": System, then each language by its own name.
function initSwitch() {
  const select = document.getElementById('language');
  if (!select) return;
  const showSystem = () => {
    select.options[0].textContent = t('language.system', { language: ENDONYMS[systemLanguage()] });
  };
  select.value = languageChoice();
  showSystem();
  onLanguageChange(showSystem);
  select.addEventListener('change', () => chooseLanguage(select.value));
  // The browser's language changed while the page is open.
  window.addEventListener('languagechange', () => {
    if (languageChoice() === 'system') chooseLanguage('system');
    else showSystem();
  });
}

try {
  await apply(languageChoice());
  initSwitch();
} finally {
  document.documentElement.classList.remove('loading-texts');
}
