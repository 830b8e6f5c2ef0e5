// The page: takes the input's bytes, hands them to the engine in a worker, and builds the view from
// the one plain object that comes back. Steps, verdict, counterexample and trace all come from the
// engine; this script only shows them. Whatever comes from the input reaches the page through
// textContent, never as markup.
'use strict';

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

// Words shown to people, one table per language. Functions take what the sentence is about.
const words = {
  hu: {
    title: 'Veszteségmentes-e a felbontás?',
    intro: 'Adja meg a relációsémákat soronként, egy üres sort, majd a függőségeket soronként. ' +
        'Az oldal a lossless parancssori eszköz motorjával dolgozik: a nyomkövetés és az ' +
        'eredményfájl bájtra ugyanaz, mint a konzolon.',
    input: 'Bemenet',
    examples: 'Példák:',
    inputLabel: 'A bemeneti fájl szövege',
    run: 'Futtatás',
    openFile: 'Fájl megnyitása:',
    busy: 'Dolgozom…',
    dropHint: 'Fájlt az oldalra húzva is megnyithat.',
    dropHere: 'Engedje el a fájlt a megnyitáshoz',
    warnings: 'Figyelmeztetések (szabványos hibakimenet):',
    lossless: 'Veszteségmentes',
    lossy: 'Nem veszteségmentes',
    losslessWhy: 'A táblázatban van csupa 0 sor.',
    lossyWhy: 'A táblázatban nincs csupa 0 sor: lent az ellenpélda.',
    refused: (code) => `Nem futott le (kilépési kód: ${code})`,
    engineError: 'A motor hibával leállt:',
    steps: 'A táblázat lépésről lépésre',
    previous: '‹ Előző',
    next: 'Következő ›',
    slider: 'Lépés',
    position: (k, n) => `${k}/${n}. lépés`,
    start: 'Kiinduló táblázat: sémánként egy sor, 0 ott, ahol a séma tartalmazza az oszlop ' +
        'attribútumát, máshol a sor száma.',
    noSteps: 'A függőségek semmit sem változtatnak a táblázaton.',
    incomplete: 'A lépések listája hiányos: a felvétel kb. egy másodpercnyi munka után ' +
        'leállt. A végső táblázat és az ítélet ettől még teljes.',
    step: (s) => {
      const cells = s.cells.map((r) => `${r}.`);
      const rowList = cells.length === 1 ? cells[0] :
          `${cells.slice(0, -1).join(', ')} és ${cells[cells.length - 1]}`;
      const left = s.left.length === 0 ?
          'üres bal oldal mellett' :
          `${article(s.left[0])} ${s.left.join(', ')} ${s.left.length > 1 ? 'oszlopokban' : 'oszlopban'}`;
      return `${s.pass}. kör, ${s.dependency}: ${article(String(s.i))} ${s.i}. és ` +
          `${article(String(s.j))} ${s.j}. sor egyezik ${left}, ezért ${article(s.column)} ` +
          `${s.column} oszlopban ${article(s.from)} ${s.from} helyére ${s.to} kerül ` +
          `(${rowList} sor).`;
    },
    final: 'Végső táblázat',
    finalZero: 'A kiemelt sor csupa 0.',
    row: 'Sor',
    tooLarge: 'A táblázat túl nagy ahhoz, hogy itt megjelenjen; a nyomkövetés tartalmazza.',
    focus: 'A táblázat túl nagy ahhoz, hogy egészében megjelenjen: minden lépésnél csak az ' +
        'egyező sorok, a megváltozott sorok és az érintett oszlopok látszanak.',
    finalFocus: 'Csak a csupa 0 sorok látszanak; a teljes táblázat a nyomkövetés végén van.',
    counterexample: 'Ellenpélda',
    relation: 'A végső táblázat egy r reláció: minden függőséget kielégít, amelynek minden ' +
        'neve ismert, hiszen már semmi sem változtatható rajta.',
    projection: (names) => `r vetülete erre: ${names}`,
    projections: 'Minden vetületben megvan a séma csupa 0 sora (kiemelve), ezért a vetületek ' +
        'összekapcsolásában ott van ez a sor is:',
    joinTuple: 'A vetületek összekapcsolása tartalmazza, r viszont nem',
    conclusion: 'A felbontás tehát információt veszít: az összekapcsolás olyan sort ad, amely ' +
        'nem volt az eredeti relációban.',
    trace: 'Nyomkövetés (a konzol kimenete)',
    copy: 'Másolás',
    copied: 'Másolva',
    result: 'Eredményfájl',
    download: 'Letöltés (eredmeny.txt)',
    noResult: 'Eredményfájl nem készül.',
    truncated: (shown, total) =>
        `Az első ${shown} karakter látszik a(z) ${total}-ből; a másolás a teljes szöveget viszi.`,
    emptyName: '(üres név)',
  },
  en: {
    title: 'Is the decomposition lossless?',
    intro: 'Enter the relation schemes one per line, an empty line, then the dependencies one ' +
        'per line. The page runs the engine of the lossless console tool: the trace and the ' +
        'result file are the console\'s, byte for byte.',
    input: 'Input',
    examples: 'Examples:',
    inputLabel: 'The text of the input file',
    run: 'Run',
    openFile: 'Open a file:',
    busy: 'Working…',
    dropHint: 'You can also drop a file on the page.',
    dropHere: 'Drop the file to open it',
    warnings: 'Warnings (standard error):',
    lossless: 'Lossless',
    lossy: 'Not lossless',
    losslessWhy: 'The tableau has a row of zeros.',
    lossyWhy: 'The tableau has no row of zeros: see the counterexample below.',
    refused: (code) => `No run (exit code ${code})`,
    engineError: 'The engine stopped with an error:',
    steps: 'The tableau step by step',
    previous: '‹ Previous',
    next: 'Next ›',
    slider: 'Step',
    position: (k, n) => `Step ${k} of ${n}`,
    start: 'The initial tableau: one row per scheme, 0 where the scheme has the column\'s ' +
        'attribute, the row\'s number elsewhere.',
    noSteps: 'The dependencies change nothing in the tableau.',
    incomplete: 'The list of steps is incomplete: recording stopped after about a second of ' +
        'work. The final tableau and the verdict are complete all the same.',
    step: (s) => {
      const rows = s.cells.length === 1 ? `row ${s.cells[0]}` :
          `rows ${s.cells.slice(0, -1).join(', ')} and ${s.cells[s.cells.length - 1]}`;
      const left = s.left.length === 0 ? 'an empty left side' : s.left.join(', ');
      return `Pass ${s.pass}, ${s.dependency}: rows ${s.i} and ${s.j} agree on ${left}, so in ` +
          `column ${s.column} ${s.from} becomes ${s.to} (${rows}).`;
    },
    final: 'Final tableau',
    finalZero: 'The marked row is all zeros.',
    row: 'Row',
    tooLarge: 'The tableau is too large to draw here; the trace holds it.',
    focus: 'The tableau is too large to draw whole: each step shows the agreeing rows, the ' +
        'changed rows and the columns the step is about.',
    finalFocus: 'Only the rows of zeros are shown; the trace ends with the whole tableau.',
    counterexample: 'Counterexample',
    relation: 'Read the final tableau as a relation r: it satisfies every dependency whose ' +
        'names are all known, since nothing in it can be chased any more.',
    projection: (names) => `r projected onto ${names}`,
    projections: 'Each projection holds its scheme\'s row of zeros (marked), so the join of the ' +
        'projections holds this tuple too:',
    joinTuple: 'In the join of the projections, not in r',
    conclusion: 'So the decomposition loses information: the join yields a tuple that was not ' +
        'in the original relation.',
    trace: 'Trace (the console\'s output)',
    copy: 'Copy',
    copied: 'Copied',
    result: 'Result file',
    download: 'Download (eredmeny.txt)',
    noResult: 'No result file is written.',
    truncated: (shown, total) =>
        `The first ${shown} of ${total} characters are shown; Copy takes the whole text.`,
    emptyName: '(empty name)',
  },
};

// Texts longer than this are shown cut: a browser lays out megabytes of text slowly.
const shown_characters = 1 << 20;
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

// ---- Rendering ------------------------------------------------------------------------------

function name_of(bytes) {
  const text = decoder.decode(bytes);
  return text === '' ? word('emptyName') : text;
}

function names_of(columns) {
  return columns.map((c) => (c === -1 ? '?' : state.result.names[c]));
}

function dependency_text(index) {
  const d = state.result.dependencies[index];
  return `${names_of(d.left).join(',')} -> ${names_of(d.right).join(',')}`;
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

function all_columns() {
  return state.result.names.map((_, c) => c);
}

function render_verdict() {
  const r = state.result;
  const banner = $('#verdict');
  banner.hidden = false;
  banner.replaceChildren();
  if (r.error !== undefined) {
    banner.className = 'refused';
    banner.append(element('span', word('engineError')), element('small', r.error));
    return;
  }
  if (r.verdict === '') {
    banner.className = 'refused';
    banner.append(element('span', word('refused', r.exitCode)));
    return;
  }
  const lossless = r.verdict === 'vesztesegmentes';
  banner.className = lossless ? 'lossless' : 'lossy';
  banner.append(element('span', `${word(lossless ? 'lossless' : 'lossy')} (${r.verdict})`),
      element('small', word(lossless ? 'losslessWhy' : 'lossyWhy')));
}

function render_warnings() {
  const box = $('#warnings');
  const text = state.result.error === undefined ? decoder.decode(state.result.stderr) : '';
  const lines = text.split('\n').filter((line) => line !== '');
  box.hidden = lines.length === 0;
  box.replaceChildren(element('span', word('warnings')),
      element('ul', null, ...lines.map((line) => element('li', line))));
}

// A tableau of more cells is not drawn whole: a browser takes seconds to lay out such tables.
function drawn_whole() {
  return state.result.initial.length * state.result.names.length <= drawn_cells;
}

// The stepper: the tableau after the first `position` steps, the cells of the last step marked. A
// tableau too large to draw whole shows, for each step, the rows and columns the step is about.
function render_steps() {
  const r = state.result;
  const section = $('#steps');
  const body = $('#steps-body');
  body.replaceChildren();
  section.hidden = r.error !== undefined || r.verdict === '';
  if (section.hidden) return;
  if (!r.shown) {
    body.append(element('p', word('tooLarge')));
    return;
  }
  const steps = r.steps;
  const whole = drawn_whole();
  const symbols = r.initial.map((row) => row.slice());
  const drawn = whole ? tableau_table(null, all_columns(), symbols) : null;
  const focus = element('div');
  focus.className = 'table-box';
  if (drawn) focus.append(drawn.table);
  const previous = element('button', word('previous'));
  const next = element('button', word('next'));
  const slider = element('input');
  Object.assign(slider, {type: 'range', min: 0, max: steps.length, step: 1, value: 0});
  slider.setAttribute('aria-label', word('slider'));
  previous.type = next.type = 'button';
  previous.id = 'step-previous';
  next.id = 'step-next';
  slider.id = 'step-slider';
  const count = element('span');
  count.className = 'count';
  const words_line = element('p');
  words_line.className = 'step-words';
  words_line.setAttribute('aria-live', 'polite');
  const controls = element('div', null, previous, slider, next);
  controls.className = 'stepper';
  body.append(controls, words_line, focus);
  if (!whole) body.append(note(word('focus')));
  if (!r.stepsComplete) body.append(note(word('incomplete')));

  let position = 0;
  let marked = [];
  const apply = (s, symbol) => {
    for (const row of s.cells) {
      symbols[row - 1][s.column] = s[symbol];
      if (drawn) drawn.cells[row - 1][s.column].textContent = s[symbol];
    }
  };
  // Marks the step's rows and changed cells in a table whose k-th shown column is columns[k].
  const mark = (s, table, rows_shown, columns) => {
    const at = columns.indexOf(s.column);
    rows_shown.forEach((row, k) => {
      if (s.rows.includes(row)) marked.push(table.lines[k]);
      if (s.cells.includes(row)) marked.push(table.cells[k][at]);
    });
    marked.forEach((node) => node.classList.add(node.tagName === 'TR' ? 'agree' : 'changed'));
  };
  const go = (target) => {
    target = Math.max(0, Math.min(steps.length, target));
    while (position < target) apply(steps[position++], 'to');
    while (position > target) apply(steps[--position], 'from');
    state.position = position;
    for (const node of marked) node.classList.remove('changed', 'agree');
    marked = [];
    count.textContent = word('position', position, steps.length);
    if (!whole) focus.replaceChildren();
    if (position === 0) {
      words_line.replaceChildren(count, ' ', steps.length === 0 ? word('noSteps') : word('start'));
    } else {
      const s = steps[position - 1];
      const left = r.dependencies[s.dependency].left;
      if (drawn) {
        mark(s, drawn, symbols.map((_, k) => k + 1), all_columns());
      } else {
        const columns = [...new Set([...left, s.column])];
        const rows = [...new Set([...s.rows, ...s.cells])].sort((a, b) => a - b).slice(0, 50);
        const table = tableau_table(null, columns, rows.map((row) => symbols[row - 1]), rows);
        mark(s, table, rows, columns);
        focus.append(table.table);
      }
      words_line.replaceChildren(count, ' ', word('step', {
        pass: s.pass,
        dependency: dependency_text(s.dependency),
        i: s.rows[0],
        j: s.rows[1],
        left: names_of(left),
        column: r.names[s.column],
        from: s.from,
        to: s.to,
        cells: s.cells,
      }));
    }
    slider.value = position;
    previous.disabled = position === 0;
    next.disabled = position === steps.length;
  };
  previous.onclick = () => go(position - 1);
  next.onclick = () => go(position + 1);
  slider.oninput = () => go(Number(slider.value));
  go(Math.min(state.position, steps.length));

  // The final tableau, its rows of zeros marked; too large to draw, only those rows.
  const zero = new Set(r.distinguished);
  const rows = whole ? r.final.map((_, k) => k + 1) : r.distinguished.slice(0, 20);
  const final = tableau_table(zero.size > 0 ? word('finalZero') : null, all_columns(),
      rows.map((row) => r.final[row - 1]), rows);
  final.lines.forEach((line, k) => {
    if (zero.has(rows[k])) line.classList.add('zero-row');
  });
  final.table.id = 'final-tableau';
  body.append(element('h3', word('final')));
  if (!whole) body.append(note(word('finalFocus')));
  if (rows.length > 0) body.append(final.node);
}

function note(text) {
  const p = element('p', text);
  p.className = 'hint';
  return p;
}

// r, its projections onto the schemes, and the tuple of zeros that their join adds. A tableau too
// large to draw gives the reasoning and the tuple only; the trace holds r as the final tableau.
function render_counterexample() {
  const r = state.result;
  const section = $('#counterexample');
  const body = $('#counterexample-body');
  body.replaceChildren();
  section.hidden = r.error !== undefined || r.verdict !== 'nem vesztesegmentes';
  if (section.hidden) return;
  if (!r.counterexample) {
    body.append(note(word('tooLarge')));
    return;
  }
  const whole = drawn_whole();
  body.append(element('p', word('relation')));
  if (whole) {
    body.append(tableau_table('r', all_columns(), r.final).node,
        element('p', word('projections')));
    const projections = element('div');
    projections.className = 'projections';
    for (const scheme of r.counterexample) {
      const tuples = scheme.rows.map((row) => r.final[row - 1]);
      const label = names_of(scheme.columns).join(', ');
      const {node, lines} =
          tableau_table(word('projection', label), scheme.columns, tuples, scheme.rows);
      tuples.forEach((tuple, k) => {
        if (scheme.columns.every((c) => tuple[c] === '0')) lines[k].classList.add('zero-tuple');
      });
      projections.append(node);
    }
    body.append(projections);
  } else {
    body.append(note(word('tooLarge')), element('p', word('projections')));
  }
  const zeros = r.names.map(() => '0');
  const join = tableau_table(word('joinTuple'), all_columns(), [zeros], ['⋈']);
  join.lines[0].classList.add('zero-tuple');
  body.append(join.node, element('p', word('conclusion')));
}

// Shows text in a <pre>, cut when it is long; the note says so.
function show_text(pre, note, text) {
  pre.textContent = text.length > shown_characters ? text.slice(0, shown_characters) : text;
  note.hidden = text.length <= shown_characters;
  note.textContent = note.hidden ? '' : word('truncated', shown_characters, text.length);
}

function render_outputs() {
  const r = state.result;
  $('#trace').hidden = $('#result').hidden = r.error !== undefined;
  if (r.error !== undefined) return;
  show_text($('#trace-text'), $('#trace-note'), decoder.decode(r.stdout));
  const result_text = r.result === null ? word('noResult') : decoder.decode(r.result);
  show_text($('#result-text'), $('#result-note'), result_text);
  $('#download-result').disabled = r.result === null;
}

function render() {
  document.documentElement.lang = state.language;
  for (const node of document.querySelectorAll('[data-word]')) {
    node.textContent = word(node.dataset.word);
  }
  for (const button of document.querySelectorAll('[data-language]')) {
    button.setAttribute('aria-pressed', String(button.dataset.language === state.language));
  }
  if (state.result === null) return;
  if (state.result.error === undefined) {
    state.result.names = state.result.shown ? state.result.header.map(name_of) : [];
  }
  render_verdict();
  render_warnings();
  render_steps();
  render_counterexample();
  render_outputs();
}

// ---- Controls -------------------------------------------------------------------------------

const encoder = new TextEncoder();

async function run() {
  const bytes = state.bytes !== null ? state.bytes : encoder.encode($('#input').value);
  const button = $('#run');
  button.disabled = true;
  $('#busy').hidden = false;
  document.body.setAttribute('aria-busy', 'true');
  let result;
  try {
    result = await engine.run(bytes, state.name);
  } catch (error) {
    result = {error: error.message};
  }
  state.result = result;
  state.position = 0;
  render();
  button.disabled = false;
  $('#busy').hidden = true;
  document.body.removeAttribute('aria-busy');
}

async function open_file(file) {
  if (!file) return;
  const bytes = new Uint8Array(await file.arrayBuffer());
  state.bytes = bytes;
  state.name = file.name;
  $('#input').value = decoder.decode(bytes);
  await run();
}

function load_example(name, text) {
  state.bytes = null;
  state.name = name;
  $('#input').value = text;
}

function set_up() {
  const examples = $('#examples');
  for (const script of document.querySelectorAll('script[data-example]')) {
    const button = element('button', script.dataset.example);
    button.type = 'button';
    button.onclick = () => load_example(script.dataset.example, script.textContent);
    examples.append(button);
  }
  $('#input').addEventListener('input', () => {
    state.bytes = null;  // edited: the text is the input now
  });
  $('#run').onclick = run;
  $('#file').onchange = (event) => open_file(event.target.files[0]);
  for (const button of document.querySelectorAll('[data-language]')) {
    button.onclick = () => {
      state.language = button.dataset.language;
      render();
    };
  }
  $('#copy-trace').onclick = async () => {
    await navigator.clipboard.writeText(decoder.decode(state.result.stdout));
    $('#copy-trace').textContent = word('copied');
    setTimeout(() => ($('#copy-trace').textContent = word('copy')), 1500);
  };
  $('#download-result').onclick = () => {
    const url = URL.createObjectURL(new Blob([state.result.result], {type: 'text/plain'}));
    const link = element('a');
    link.href = url;
    link.download = 'eredmeny.txt';
    link.click();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  };
  // A file dropped anywhere on the page is opened like one chosen with #file.
  const overlay = $('#drop-overlay');
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    overlay.hidden = false;
  });
  document.addEventListener('dragleave', (event) => {
    if (event.relatedTarget === null) overlay.hidden = true;
  });
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    overlay.hidden = true;
    open_file(event.dataTransfer.files[0]);
  });
  // The stepper answers the arrow keys while the focus is inside it.
  $('#steps').addEventListener('keydown', (event) => {
    if (event.target.type === 'range') return;  // the slider moves by itself
    if (event.key === 'ArrowLeft') $('#step-previous')?.click();
    if (event.key === 'ArrowRight') $('#step-next')?.click();
  });
  const first = document.querySelector('script[data-example]');
  if (first) load_example(first.dataset.example, first.textContent);
  render();
}

set_up();
