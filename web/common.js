// What every section of the page shares: the word tables and their lookup, the helpers that build
// elements and tables, the state of the page, and the client of the engine in its worker. The
// build puts this file first and the section scripts after it into one function, so that their
// names are shared without being globals.
'use strict';

// Words shown to people, one table per language. Each script adds its own words with add_words;
// the code looks them up by key with word(). A function takes what the sentence is about.
const words = {hu: {}, en: {}};

function add_words(tables) {
  for (const language of Object.keys(words)) {
    for (const key of Object.keys(tables[language])) {
      if (key in words[language]) console.error(`the word ${key} is defined twice`);
    }
    Object.assign(words[language], tables[language]);
  }
}

add_words({
  hu: {
    row: 'Sor',
    emptyName: '(üres név)',
    tooLarge: 'A táblázat túl nagy ahhoz, hogy itt megjelenjen; a nyomkövetés tartalmazza.',
  },
  en: {
    row: 'Row',
    emptyName: '(empty name)',
    tooLarge: 'The tableau is too large to draw here; the trace holds it.',
  },
});

// Hungarian: "az" before a word read aloud with a vowel first, "a" otherwise. Numbers go by their
// leading group of three digits (1 egy, 1000 ezer, 5 öt, 50 ötven...); a lone capital is read as
// its letter's name (F ef, S es...).
function article(text) {
  const digits = /^\d+/.exec(text);
  if (digits) {
    const number = digits[0].replace(/^0+(?=\d)/, '');
    const lead = number.slice(0, number.length % 3 || 3);
    return lead === '1' || lead.startsWith('5') ? 'az' : 'a';
  }
  if (/^[FLMNRSXY](\d|$)/.test(text)) return 'az';
  return /^[aáeéiíoóöőuúüű]/i.test(text) ? 'az' : 'a';
}

// Tables of more cells are not drawn whole: laying them out would take a browser seconds.
const drawn_cells = 12000;

const state = {
  language: 'hu',
  bytes: null,        // the opened file's bytes, until the text is edited
  name: 'input.txt',  // the name that messages give the input
  result: null,       // the engine's last answer
  position: 0,        // the stepper's position: the number of steps applied
};

const $ = (selector) => document.querySelector(selector);
const decoder = new TextDecoder('utf-8');

function word(key, ...args) {
  const entry = words[state.language][key];
  return typeof entry === 'function' ? entry(...args) : entry;
}

// createElement with its text; children are appended in order.
function element(tag, text, ...children) {
  const node = document.createElement(tag);
  if (text !== undefined && text !== null) node.textContent = text;
  for (const child of children) node.append(child);
  return node;
}

function note(text) {
  const p = element('p', text);
  p.className = 'hint';
  return p;
}

// ---- The engine -----------------------------------------------------------------------------

function make_engine() {
  const source = document.getElementById('engine-source').textContent;
  const url = URL.createObjectURL(new Blob([source], {type: 'text/javascript'}));
  const worker = new Worker(url);
  const waiting = new Map();
  let next_id = 0;
  worker.onmessage = (event) => {
    const {id, result, error} = event.data;
    const {resolve, reject} = waiting.get(id);
    waiting.delete(id);
    if (error !== undefined) reject(new Error(error));
    else resolve(result);
  };
  worker.onerror = (event) => {
    for (const {reject} of waiting.values()) reject(new Error(event.message));
    waiting.clear();
  };
  return {
    run(bytes, name) {
      const id = next_id++;
      return new Promise((resolve, reject) => {
        waiting.set(id, {resolve, reject});
        worker.postMessage({id, bytes: Uint8Array.from(bytes), name: String(name)});
      });
    },
  };
}

const engine = make_engine();

// The interface that scripts and tests use: the console tool's outputs for an input's bytes.
window.lossless = {
  run: (bytes, name) => engine.run(bytes, name),
};

// ---- Names and tables -----------------------------------------------------------------------

function name_of(bytes) {
  const text = decoder.decode(bytes);
  return text === '' ? word('emptyName') : text;
}

function names_of(columns) {
  return columns.map((c) => (c === -1 ? '?' : state.result.names[c]));
}

function all_columns() {
  return state.result.names.map((_, c) => c);
}

// A tableau of more cells is not drawn whole: a browser takes seconds to lay out such tables.
function drawn_whole() {
  return state.result.initial.length * state.result.names.length <= drawn_cells;
}

// A table with a header row of column names and one row per data row, each headed by its number.
// Returns the table, its body rows and its cells (lines[r] and cells[r][k] for the r-th data row
// and the k-th column shown), and node: the table in a box that scrolls sideways, under its
// caption if it has one. The caption stands outside the table, which it would otherwise widen.
function tableau_table(caption, columns, rows, row_numbers) {
  const table = element('table');
  const head = element('tr', null, element('th', word('row')));
  head.firstChild.scope = 'col';
  for (const c of columns) {
    const th = element('th', state.result.names[c]);
    th.scope = 'col';
    head.append(th);
  }
  table.append(element('thead', null, head));
  const body = element('tbody');
  const lines = [];
  const cells = [];
  rows.forEach((row, k) => {
    const tr = element('tr');
    const th = element('th', String(row_numbers ? row_numbers[k] : k + 1));
    th.scope = 'row';
    tr.append(th);
    const line = [];
    for (const c of columns) {
      const td = element('td', row[c]);
      tr.append(td);
      line.push(td);
    }
    body.append(tr);
    lines.push(tr);
    cells.push(line);
  });
  table.append(body);
  const box = element('div', null, table);
  box.className = 'table-box';
  if (!caption) return {node: box, table, lines, cells};
  table.setAttribute('aria-label', caption);
  return {node: element('figure', null, element('figcaption', caption), box), table, lines, cells};
}
