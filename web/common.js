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
// leading group of three digits (1 egy, 1000 ezer, 5 öt, 50 ötven...). A name read letter by
// letter, as a lone capital (F), all capitals (SSN) or a capital and no vowel (Ssn) are, starts
// with its first letter's name: ef, el, em, en, er, es, iksz, ipszilon or a vowel take "az".
function article(text) {
  const digits = /^\d+/.exec(text);
  if (digits) {
    const number = digits[0].replace(/^0+(?=\d)/, '');
    const lead = number.slice(0, number.length % 3 || 3);
    return lead === '1' || lead.startsWith('5') ? 'az' : 'a';
  }
  const letters = /^\p{L}*/u.exec(text)[0];
  const spelled = /^\p{Lu}/u.test(letters) &&
      (letters === letters.toUpperCase() || !/[aáeéiíoóöőuúüűy]/i.test(letters));
  if (spelled) return /^[aáeéiíoóöőuúüűflmnrsxy]/i.test(letters) ? 'az' : 'a';
  return /^[aáeéiíoóöőuúüű]/i.test(text) ? 'az' : 'a';
}

// Tables of more cells are not drawn whole: a browser takes about a tenth of a second to lay out
// 10 000 cells, and the page's thread must never stop for long.
const drawn_cells = 4000;

const state = {
  language: 'hu',
  bytes: null,        // the opened file's bytes, until the text is edited
  name: 'input.txt',  // the name that messages give the input
  input: 0,           // counts the changes of the input, so that an answer knows its input
  run: 0,             // counts the runs started; only the newest one's answer is shown
  running: null,      // the input that the newest run in flight was started for, or null
  result: null,       // the engine's answer for the input on screen, or for an earlier one
  stale: false,       // whether the input changed since the answer shown
  position: 0,        // the stepper's position: the number of steps applied
  tidy: null,         // the tidy-up's answer, {input, result}, for the input it was asked for
};

const $ = (selector) => document.querySelector(selector);

// Decodes UTF-8 bytes; with a limit, only about that many leading bytes, never a broken character.
function decode(bytes, limit = Infinity) {
  if (bytes.length <= limit) return new TextDecoder().decode(bytes);
  return new TextDecoder().decode(bytes.subarray(0, limit), {stream: true});
}

function word(key, ...args) {
  const entry = words[state.language][key];
  return typeof entry === 'function' ? entry(...args) : entry;
}

// A number with the language's thousands separator.
function number(n) {
  return n.toLocaleString(state.language === 'hu' ? 'hu-HU' : 'en-GB');
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

// A button whose aria-disabled, unlike disabled, keeps the focus on it when it stops acting, so
// that the keyboard does not lose its place. action runs only while the button is enabled.
function button(text, action) {
  const node = element('button', text);
  node.type = 'button';
  node.onclick = () => {
    if (node.getAttribute('aria-disabled') !== 'true') action();
  };
  return node;
}

function set_enabled(node, enabled) {
  node.setAttribute('aria-disabled', String(!enabled));
}

// A box that may scroll sideways is reachable from the keyboard, which can then scroll it, and is
// announced by name; a box that fits in the window is no stop for the Tab key.
const scrollers = new ResizeObserver((entries) => {
  for (const {target} of entries) {
    if (target.scrollWidth > target.clientWidth || target.scrollHeight > target.clientHeight) {
      target.tabIndex = 0;
    } else {
      target.removeAttribute('tabindex');
    }
  }
});

// Makes node such a box; without a name, its element names it with a data-label of index.html.
function scroll_box(node, name) {
  node.tabIndex = 0;
  node.setAttribute('role', 'group');
  if (name !== undefined) node.setAttribute('aria-label', name);
  scrollers.observe(node);
  return node;
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
  const ask = (message, bytes) => {
    const id = next_id++;
    // A copy whose memory moves to the worker: copying 50 MB byte by byte would stall the page.
    const copy = bytes instanceof Uint8Array ? bytes.slice() : Uint8Array.from(bytes);
    return new Promise((resolve, reject) => {
      waiting.set(id, {resolve, reject});
      worker.postMessage({...message, id, bytes: copy}, [copy.buffer]);
    });
  };
  return {
    // The answer for the bytes; packed, in the form that the page reads (see pack in worker.js).
    run: (bytes, name, packed = false) => ask({op: 'run', name: String(name), packed}, bytes),
    // The tidied bytes and their changes; packed, with the lines the page shows (see tidy_rows).
    tidy: (bytes, packed = false) => ask({op: 'tidy', packed}, bytes),
  };
}

const engine = make_engine();

// The interface that scripts and tests use: the console tool's outputs for an input's bytes, and
// the input rewritten by the tidy-up.
window.lossless = {
  run: (bytes, name) => engine.run(bytes, name),
  tidy: (bytes) => engine.tidy(bytes),
};

// ---- Reading a packed answer ---------------------------------------------------------------
// The sections read state.result, an answer packed by the worker, through these.

// List k of lists packed as {at, values}.
function list(lists, k) {
  return lists.values.subarray(lists.at[k], lists.at[k + 1]);
}

// The name of column c, decoded once it is first shown.
function name(c) {
  const names = state.result.names;
  if (names[c] === undefined) {
    const text = decode(list(state.result.header, c));
    names[c] = text === '' ? word('emptyName') : text;
  }
  return names[c];
}

function names_of(columns) {
  return Array.from(columns, (c) => (c === -1 ? '?' : name(c)));
}

// The symbol of a row (from 1) and column of a tableau (initial or final, or a copy of one).
function symbol(tableau, row, column) {
  return String(tableau[(row - 1) * state.result.columns + column]);
}

function dependency(k) {
  return {left: list(state.result.dependencies, 2 * k), right: list(state.result.dependencies, 2 * k + 1)};
}

function step_count() {
  return state.result.steps.fields.length / 7;
}

// Step k (from 0) as {pass, dependency, rows: [i, j], column, from, to, cells}.
function step(k) {
  const [pass, dependency, i, j, column, from, to] = state.result.steps.fields.subarray(7 * k, 7 * k + 7);
  return {pass, dependency, rows: [i, j], column, from, to, cells: list(state.result.steps.cells, k)};
}

function all_columns() {
  return Array.from({length: state.result.columns}, (_, c) => c);
}

// A tableau of more cells is not drawn whole: a browser takes seconds to lay out such tables.
function drawn_whole() {
  return state.result.rows * state.result.columns <= drawn_cells;
}

// The first columns of a table of so many rows that fit in drawn_cells, at least one.
function drawn_columns(rows) {
  const count = Math.max(1, Math.floor(drawn_cells / Math.max(rows, 1)));
  return Array.from({length: Math.min(count, state.result.columns)}, (_, c) => c);
}

// A table with a header row of column names and one row per data row, each headed by its number:
// the k-th row shows cell(k, c) in column c. Returns the table, its body rows and its cells
// (lines[k] and cells[k][i] for the k-th row and the i-th column shown), and node: the table in a
// box that scrolls sideways, named name, under its caption if it has one; without a name, the
// bare table. The caption stands outside the table, which it would otherwise widen.
function tableau_table(caption, columns, row_numbers, cell, name = caption) {
  const table = element('table');
  table.className = 'tableau';
  const head = element('tr', null, element('th', word('row')));
  head.firstChild.scope = 'col';
  for (const c of columns) {
    const th = element('th', names_of([c])[0]);
    th.scope = 'col';
    head.append(th);
  }
  table.append(element('thead', null, head));
  const body = element('tbody');
  const lines = [];
  const cells = [];
  row_numbers.forEach((number, k) => {
    const tr = element('tr');
    const th = element('th', String(number));
    th.scope = 'row';
    tr.append(th);
    const line = [];
    for (const c of columns) {
      const td = element('td', cell(k, c));
      tr.append(td);
      line.push(td);
    }
    body.append(tr);
    lines.push(tr);
    cells.push(line);
  });
  table.append(body);
  if (!name) return {node: table, table, lines, cells};
  const box = scroll_box(element('div', null, table), name);
  box.className = 'table-box';
  if (!caption) return {node: box, table, lines, cells};
  table.setAttribute('aria-label', caption);
  return {node: element('figure', null, element('figcaption', caption), box), table, lines, cells};
}

// A table of text in a box that scrolls sideways, named name: a header row of the words head,
// then one row per list of cells, each row headed by its first cell. Cells wrap at blanks, so that
// a long set of names stays readable at a phone's width.
function text_table(name, head, rows) {
  const heads = element('tr');
  for (const text of head) {
    const th = element('th', text);
    th.scope = 'col';
    heads.append(th);
  }
  const body = element('tbody');
  for (const cells of rows) {
    const line = element('tr');
    cells.forEach((text, k) => {
      const cell = element(k === 0 ? 'th' : 'td', text);
      if (k === 0) cell.scope = 'row';
      line.append(cell);
    });
    body.append(line);
  }
  const table = element('table', null, element('thead', null, heads), body);
  table.className = 'text-table';
  const box = scroll_box(element('div', null, table), name);
  box.className = 'table-box';
  return box;
}

// ---- Printing -------------------------------------------------------------------------------

// Characters of a printed line (A4 or Letter, the print style's monospace size and margins).
const printed_characters = 72;

// On paper nothing scrolls: a table wider than the page is printed as several tables, each with
// the row numbers and as many columns as fit, one under the other. They are made when printing
// starts, from the tables as they stand (the stepper's at its step), and removed after.
function add_print_blocks() {
  remove_print_blocks();
  for (const table of document.querySelectorAll('table.tableau')) {
    const rows = Array.from(table.rows, (row) => Array.from(row.cells));
    const width = (k) => Math.max(...rows.map((cells) => cells[k].textContent.length)) + 2;
    const blocks = [];
    let block = [];
    let used = width(0);
    for (let k = 1; k < rows[0].length; ++k) {
      if (block.length > 0 && used + width(k) > printed_characters) {
        blocks.push(block);
        block = [];
        used = width(0);
      }
      block.push(k);
      used += width(k);
    }
    blocks.push(block);
    if (blocks.length < 2) continue;
    const copies = element('div');
    copies.className = 'print-blocks';
    for (const columns of blocks) {
      const copy = element('table');
      for (const cells of rows) {
        const line = cells[0].parentNode.cloneNode(false);
        for (const k of [0, ...columns]) line.append(cells[k].cloneNode(true));
        copy.append(line);
      }
      copies.append(copy);
    }
    table.classList.add('printed-in-blocks');
    table.closest('.table-box').after(copies);
  }
}

function remove_print_blocks() {
  for (const node of document.querySelectorAll('.print-blocks')) node.remove();
  for (const node of document.querySelectorAll('.printed-in-blocks')) {
    node.classList.remove('printed-in-blocks');
  }
}

addEventListener('beforeprint', add_print_blocks);
addEventListener('afterprint', remove_print_blocks);
// Print media set by other means (a browser's developer tools, a test) announce no printing.
matchMedia('print').addEventListener('change', (media) => {
  if (media.matches) add_print_blocks();
  else remove_print_blocks();
});
