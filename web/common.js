// What every section of the page shares: the word tables and their lookup, the helpers that build
// elements, tables and long texts, the readers of a packed answer, and the client of the engine in
// its workers. The build puts this file first and runs each section script and page.js after it in
// a scope of its own, so that these names are shared, and nothing else: a section reaches another
// only through the object that page.js hands it. Nothing here keeps the page's state.
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
    definition: 'Definíció',
    moreNames: (n) => `… és még ${number(n)}`,
    firstShown: (shown, total, noun) => `Az első ${number(shown)} ${noun} látszik ` +
        `(összesen ${number(total)}).`,
    noun: (list) =>
      ({rounds: 'kör', steps: 'lépés', schemes: 'séma', dependencies: 'függőség'})[list],
    form: (form) => ({
      'BCNF': 'Boyce–Codd normálforma (BCNF)',
      '3NF': 'harmadik normálforma (3NF)',
      '2NF': 'második normálforma (2NF)',
      '1NF': 'első normálforma (1NF)',
    })[form] ?? 'nem dőlt el: túl nagy a munkakerethez',
    emptyName: '(üres név)',
    tooLarge: 'A táblázat túl nagy ahhoz, hogy itt megjelenjen; a nyomkövetés tartalmazza.',
    truncated: (shown, total) => `Az első ${number(shown)} bájt látszik ` +
        `${article(number(total))} ${number(total)}-ből; a másolás és a letöltés a teljes ` +
        'szöveget viszi.',
  },
  en: {
    row: 'Row',
    definition: 'Definition',
    moreNames: (n) => `… and ${number(n)} more`,
    firstShown: (shown, total, noun) =>
      `The first ${number(shown)} of ${number(total)} ${noun} are shown.`,
    noun: (list) => list,
    form: (form) => ({
      'BCNF': 'Boyce-Codd normal form (BCNF)',
      '3NF': 'third normal form (3NF)',
      '2NF': 'second normal form (2NF)',
      '1NF': 'first normal form (1NF)',
    })[form] ?? 'not decided: too large for the work budget',
    emptyName: '(empty name)',
    tooLarge: 'The tableau is too large to draw here; the trace holds it.',
    truncated: (shown, total) => `The first ${number(shown)} of ${number(total)} bytes are ` +
        'shown; Copy and Download take the whole text.',
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

const $ = (selector) => document.querySelector(selector);

// Decodes UTF-8 bytes, each bad sequence as U+FFFD; with a limit, only about that many leading
// bytes, never a broken character.
function decode(bytes, limit = Infinity) {
  if (bytes.length <= limit) return new TextDecoder().decode(bytes);
  return new TextDecoder().decode(bytes.subarray(0, limit), {stream: true});
}

// The words are those of the document's language, which page.js sets on <html lang>: the page
// speaks one language at a time, and the document says which.
function language() {
  return document.documentElement.lang in words ? document.documentElement.lang : 'hu';
}

function word(key, ...args) {
  const entry = words[language()][key];
  return typeof entry === 'function' ? entry(...args) : entry;
}

// A number with the language's thousands separator.
function number(n) {
  return n.toLocaleString(language() === 'hu' ? 'hu-HU' : 'en-GB');
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

// ---- Words for sets, dependencies and parts ----------------------------------------------------
// a is an object of the engine as the worker packed it: lists cut to their start as {items, count},
// names the names of the columns used, dependencies the records of F used (see cutter in
// worker.js).

function attribute_name(a, c) {
  if (c === -1) return '?';
  const text = a.names[c];
  return text === '' ? word('emptyName') : text;
}

// A cut list's end: how many more there are, in the language's words.
function more_names(list) {
  return list.count > list.items.length ? [word('moreNames', list.count - list.items.length)] : [];
}

// A set of attributes as {A, B, C}; the empty set as ∅.
function set_text(a, set) {
  if (set.count === 0) return '∅';
  return `{${[...set.items.map((c) => attribute_name(a, c)), ...more_names(set)].join(', ')}}`;
}

// Dependency k of F as the stepper writes one: A,B -> C.
function record_text(a, k) {
  const {left, right} = a.dependencies[k];
  const side = (set) =>
    [...set.items.map((c) => attribute_name(a, c)), ...more_names(set)].join(',');
  return `${side(left)} -> ${side(right)}`;
}

function scheme_label(k) {
  return `R${k + 1}`;
}

// A note saying that only the start of a list of that noun's items is shown, or nothing.
function cut_note(list, noun) {
  if (list.count <= list.items.length) return [];
  return [note(word('firstShown', list.items.length, list.count, word('noun', noun)))];
}

// A note saying how many more items a list has than it shows, or nothing; complete is false when
// the budget cut the list itself, so that there may be more still.
function more_note(list, key, complete) {
  if (list.count <= list.items.length) return [];
  return [note(word(key, list.count - list.items.length, complete))];
}

// A part of a section: its heading, its definition one click away, and its answers. The heading
// and the definition stand in one block, which paper keeps with what follows.
function section_part(id, title, definition) {
  const heading = element('h3', word(title));
  heading.id = `${id}-heading`;
  const summary = element('summary', word('definition'));
  const details = element('details', null, summary, element('p', word(definition)));
  details.className = 'definition';
  const head = element('div', null, heading, details);
  head.className = 'part-head';
  const part = element('div', null, head);
  part.id = id;
  part.className = 'part';
  part.setAttribute('role', 'group');
  part.setAttribute('aria-labelledby', heading.id);
  return part;
}

// The names that the run reports in a dependency and no scheme has, each once: the first ten, and
// whether there may be more (more of them, or messages that the run did not keep).
function unknown_names(r) {
  const names = [...new Set(r.diagnostics.filter((d) => d.kind === 'unknown_name')
                                .map((d) => d.name))];
  return {names: names.slice(0, 10),
          more: names.length > 10 || r.diagnosticCount > r.diagnostics.length};
}

// On paper every part is read whole: the closed <details> of the answers open while printing,
// and close after.
function open_details_for_print(printing) {
  for (const node of document.querySelectorAll('#outcome details')) {
    if (printing && !node.open) {
      node.open = true;
      node.dataset.openedForPrint = '';
    } else if (!printing && 'openedForPrint' in node.dataset) {
      node.open = false;
      delete node.dataset.openedForPrint;
    }
  }
}

addEventListener('beforeprint', () => open_details_for_print(true));
addEventListener('afterprint', () => open_details_for_print(false));
matchMedia('print').addEventListener('change',
                                     (media) => open_details_for_print(media.matches));

// ---- The engine -----------------------------------------------------------------------------

// The worker's script: the engine's generated script and worker.js, inlined by the build.
const engine_url = URL.createObjectURL(new Blob(
    [document.getElementById('engine-source').textContent], {type: 'text/javascript'}));

// A worker running the engine, started at the first question. ask resolves to the answer for the
// bytes, and told, if given, hears each {part, done, total} that the engine reports meanwhile.
// stop ends the worker at once, whatever it is doing, and fails every answer it owes; the next
// question starts a new one.
function engine_worker() {
  let worker = null;
  const waiting = new Map();
  let next_id = 0;
  const fail_all = (message) => {
    for (const {reject} of waiting.values()) reject(new Error(message));
    waiting.clear();
  };
  const start = () => {
    worker = new Worker(engine_url);
    worker.onmessage = (event) => {
      const {id, result, error, progress} = event.data;
      const asked = waiting.get(id);
      if (asked === undefined) return;
      if (progress !== undefined) {
        if (asked.told) asked.told(progress);
        return;
      }
      waiting.delete(id);
      if (error !== undefined) asked.reject(new Error(error));
      else asked.resolve(result);
    };
    worker.onerror = (event) => fail_all(event.message);
  };
  return {
    ask(message, bytes, told) {
      if (worker === null) start();
      const id = next_id++;
      // A copy whose memory moves to the worker: copying 50 MB byte by byte would stall the page.
      const copy = bytes instanceof Uint8Array ? bytes.slice() : Uint8Array.from(bytes);
      return new Promise((resolve, reject) => {
        waiting.set(id, {resolve, reject, told});
        worker.postMessage({...message, id, bytes: copy}, [copy.buffer]);
      });
    },
    stop() {
      if (worker === null) return;
      worker.terminate();
      worker = null;
      fail_all('stopped');
    },
  };
}

// The engine: the run and the tidy-up in one worker (runs, which another client may share), which
// keeps its compiled engine, the check in another and the design in a third, which stop_check and
// stop_design can end at once without touching the others. Packed answers are in the form that
// the page reads (see pack in worker.js).
function make_engine(runs = engine_worker()) {
  const checks = engine_worker();
  const designs = engine_worker();
  return {
    runs,
    run: (bytes, name, packed = false) => runs.ask({op: 'run', name: String(name), packed}, bytes),
    check: (bytes, name, packed = false, told = undefined) =>
      checks.ask({op: 'check', name: String(name), packed}, bytes, told),
    stop_check: () => checks.stop(),
    design: (bytes, name, packed = false) =>
      designs.ask({op: 'design', name: String(name), packed}, bytes),
    stop_design: () => designs.stop(),
    tidy: (bytes, packed = false) => runs.ask({op: 'tidy', packed}, bytes),
  };
}

// ---- Reading a packed answer ---------------------------------------------------------------
// An answer of the run, packed by the worker, is read through these; r is that answer.

// List k of lists packed as {at, values}.
function list(lists, k) {
  return lists.values.subarray(lists.at[k], lists.at[k + 1]);
}

// The name of column c, decoded once it is first shown.
function name(r, c) {
  if (r.names === undefined) r.names = [];
  if (r.names[c] === undefined) r.names[c] = decode(list(r.header, c));
  return r.names[c] === '' ? word('emptyName') : r.names[c];
}

function names_of(r, columns) {
  return Array.from(columns, (c) => (c === -1 ? '?' : name(r, c)));
}

// The symbol of a row (from 1) and column of a tableau (initial or final, or a copy of one).
function symbol(r, tableau, row, column) {
  return String(tableau[(row - 1) * r.columns + column]);
}

function dependency(r, k) {
  return {left: list(r.dependencies, 2 * k), right: list(r.dependencies, 2 * k + 1)};
}

function step_count(r) {
  return r.steps.fields.length / 7;
}

// Step k (from 0) as {pass, dependency, rows: [i, j], column, from, to, cells}.
function step(r, k) {
  const [pass, dependency, i, j, column, from, to] = r.steps.fields.subarray(7 * k, 7 * k + 7);
  return {pass, dependency, rows: [i, j], column, from, to, cells: list(r.steps.cells, k)};
}

function all_columns(r) {
  return Array.from({length: r.columns}, (_, c) => c);
}

// A tableau of more cells is not drawn whole: a browser takes seconds to lay out such tables.
function drawn_whole(r) {
  return r.rows * r.columns <= drawn_cells;
}

// The first columns of a table of so many rows that fit in drawn_cells, at least one.
function drawn_columns(r, rows) {
  const count = Math.max(1, Math.floor(drawn_cells / Math.max(rows, 1)));
  return Array.from({length: Math.min(count, r.columns)}, (_, c) => c);
}

// Whether the run's tableau has no rows, as for an empty input.
function no_rows(r) {
  return r.shown && r.rows === 0;
}

// A table of the columns of r's tableau with a header row of their names and one row per data
// row, each headed by its number: the k-th row shows cell(k, c) in column c. Returns the table,
// its body rows and its cells (lines[k] and cells[k][i] for the k-th row and the i-th column
// shown), and node: the table in a box that scrolls sideways, named name, under its caption if it
// has one; without a name, the bare table. The caption stands outside the table, which it would
// otherwise widen.
function tableau_table(r, caption, columns, row_numbers, cell, name = caption) {
  const table = element('table');
  table.className = 'tableau';
  const head = element('tr', null, element('th', word('row')));
  head.firstChild.scope = 'col';
  for (const c of columns) {
    const th = element('th', names_of(r, [c])[0]);
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
// then one row per list of cells (text or nodes), each row headed by its first cell. Cells wrap
// between words, so that a long set of names stays readable at a phone's width, and never inside
// a name: a table whose names do not fit scrolls instead.
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
    cells.forEach((content, k) => {
      const cell = element(k === 0 ? 'th' : 'td', null, content);
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

// A dependency's text, "A,B -> C", that may wrap after each comma and around the arrow, never
// inside it.
function breakable(text) {
  const node = document.createDocumentFragment();
  text.split('->').forEach((side, k) => {
    if (k > 0) {
      const arrow = element('span', '->');
      arrow.className = 'arrow';
      node.append(arrow);
    }
    side.split(',').forEach((part, i) => {
      if (i > 0) node.append(',', element('wbr'));
      node.append(part);
    });
  });
  return node;
}

// Blanks and tabs in a name, shown as marks: "E " and "E" must not look alike.
function visible_blanks(text) {
  return text.replace(/ /g, '␣').replace(/\t/g, '⇥');
}

// ---- Long texts ------------------------------------------------------------------------------

// Texts longer than this many bytes are shown cut: a browser lays out megabytes of text slowly.
const shown_bytes = 1 << 20;

// A long text is shown in blocks of lines, and a block off screen is not laid out (the style's
// content-visibility), so that a megabyte of short lines costs the page no more than one screen:
// laid out whole, 100 000 lines take a browser seconds. A line longer than a block is cut into
// blocks that wrap, so that they too stand one under the other and only the first is laid out.
const block_lines = 200;
const block_characters = 1 << 16;
const wrapped_line_characters = 100;

function fill_text(pre, text) {
  const blocks = [];
  for (let at = 0, end = 0; at < text.length; at = end) {
    let lines = 0;
    while (end < text.length && lines < block_lines) {
      const newline = text.indexOf('\n', end);
      end = newline === -1 ? text.length : newline + 1;
      ++lines;
    }
    let wrapped = false;
    if (end - at > block_characters) {
      const newline = text.lastIndexOf('\n', at + block_characters - 1);
      wrapped = newline < at;
      end = wrapped ? at + block_characters : newline + 1;
    }
    const block = element('div', text.slice(at, end));
    block.className = wrapped ? 'text-block wrapped' : 'text-block';
    if (wrapped) lines = Math.ceil((end - at) / wrapped_line_characters);
    block.style.setProperty('--lines', String(lines));
    blocks.push(block);
  }
  pre.replaceChildren(...blocks);
}

// Shows bytes as text in a <pre>, cut when they are many; the note says so in the words of key.
function show_text(pre, note, bytes, key = 'truncated') {
  fill_text(pre, decode(bytes, shown_bytes));
  note.hidden = bytes.length <= shown_bytes;
  note.textContent = note.hidden ? '' : word(key, shown_bytes, bytes.length);
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
