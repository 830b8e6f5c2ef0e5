// The engine's worker. It follows the engine's generated script, which defines create_engine, and
// runs each input off the page's thread, so that a long run never freezes the page. The page keeps
// three: one for the runs and the tidy-up, one for the checks and one for the designs, which it
// may end at any time.
'use strict';

// The engine once it is compiled; runs that arrive meanwhile wait for the same one.
let engine = null;

// The list of lists as one typed array of values and the offset of each list in it: list k is
// values[at[k]] up to values[at[k + 1]].
function pack_lists(lists, type = Int32Array) {
  const at = new Uint32Array(lists.length + 1);
  lists.forEach((list, k) => (at[k + 1] = at[k] + list.length));
  const values = new type(at[lists.length]);
  lists.forEach((list, k) => values.set(list, at[k]));
  return {at, values};
}

// The rows of a tableau, row after row. Symbols are decimal numbers.
function pack_rows(rows, columns) {
  const cells = new Int32Array(rows.length * columns);
  rows.forEach((row, r) => row.forEach((symbol, c) => (cells[r * columns + c] = Number(symbol))));
  return cells;
}

// The messages with their text and name as strings, bytes that are not UTF-8 as U+FFFD; with
// limit, of a long text only about its first limit characters: a line can be megabytes long.
function decode_diagnostics(list, limit = Infinity) {
  const text = (bytes) => cut(new TextDecoder().decode(bytes.subarray(0, 4 * limit),
                                                        {stream: bytes.length > 4 * limit}),
                              limit);
  return list.map((d) => ({...d, text: text(d.text), name: d.name === null ? null : text(d.name)}));
}

// The page's form of an answer: the long lists as flat typed arrays, which move to the page without
// being copied. As objects, the steps or the header of a large tableau would take the page's thread
// hundreds of milliseconds to receive. Fields that this does not know pass as they are.
function pack(r) {
  const p = {...r};
  // The page shows the start of a line in a message.
  p.diagnostics = decode_diagnostics(r.diagnostics, shown_characters);
  if (!r.shown) return p;
  p.rows = r.initial.length;
  p.columns = r.header.length;
  p.header = pack_lists(r.header, Uint8Array);
  p.initial = pack_rows(r.initial, p.columns);
  p.final = pack_rows(r.final, p.columns);
  p.dependencies = pack_lists(r.dependencies.flatMap((d) => [d.left, d.right]));
  p.distinguished = Int32Array.from(r.distinguished);
  const fields = new Int32Array(r.steps.length * 7);
  r.steps.forEach((s, k) => fields.set(
      [s.pass, s.dependency, s.rows[0], s.rows[1], s.column, Number(s.from), Number(s.to)], k * 7));
  p.steps = {fields, cells: pack_lists(r.steps.map((s) => s.cells))};
  if (r.counterexample) {
    p.counterexample = {
      lists: pack_lists(r.counterexample.flatMap((s) => [s.columns, s.rows])),
      zeros: Int32Array.from(r.counterexample, (s) => s.zeros),
    };
  }
  return p;
}

// The check's answer in the page's form: the object of `lossless --json` cut to what the page
// shows (see pack_analysis).
function pack_check(c) {
  return {...c, analysis: c.analysis === null ? null : pack_analysis(c.analysis)};
}

// The decomposition check as the page shows it. The whole object can be megabytes (a scheme of
// 500 000 names, a key as long, 100 000 records with their rounds), and receiving it would stall
// the page's thread; the page shows the start of each list, so only that start goes, as
// {items, count}. Attributes stay column indices: names holds the name of each index used, and
// dependencies each record used, its sides cut alike.
const shown_names = 40;          // of a set of attributes
const shown_items = 50;          // of records, keys, rounds, steps, added schemes
const shown_schemes = 100;       // of the schemes and their normal forms
const shown_scheme_keys = 10;    // of a scheme's keys, which share a table cell
const shown_name_characters = 40;  // of a name, which can be a line of the input

// What the page's forms of the check and of the design share: lists cut to their start as
// {items, count}, and a record of the columns and the records of F used, whose names and sides
// finish(p) adds to p as p.names and p.dependencies.
function cutter(a) {
  const used = new Set();
  const records = new Set();
  const first = (list, limit, map = (item) => item) =>
    ({items: list.slice(0, limit).map(map), count: list.length});
  const column = (c) => (used.add(c), c);
  const set = (columns) => first(columns, shown_names, column);
  const record = (k) => (records.add(k), k);
  const finish = (p) => {
    p.dependencies = {};
    for (const k of records) {
      const {left, right} = a.dependencies[k];
      p.dependencies[k] = {left: set(left), right: set(right)};
    }
    p.names = {};
    for (const c of used) {
      if (c < 0) continue;
      const text = a.attributes[c];
      p.names[c] = text.length <= shown_name_characters ? text :
          `${Array.from(text).slice(0, shown_name_characters).join('')}…`;
    }
    return p;
  };
  return {first, column, set, record, finish};
}

function pack_analysis(a) {
  const {first, column, set, record, finish} = cutter(a);
  const rounds = (r) => r === undefined ? undefined : first(r, shown_items, (step) => ({
    round: step.round, scheme: step.scheme, added: set(step.added), closure: set(step.closure)}));
  const judged = (r) => ({
    dependency: record(r.dependency),
    closure: r.closure === undefined ? undefined : set(r.closure),
    missing: r.missing === undefined ? undefined : set(r.missing),
    rounds: rounds(r.rounds),
  });
  const m = a.attributes.length;
  const p = {
    lossless: a.lossless,
    complete: a.complete,
    relation: {items: Array.from({length: Math.min(m, shown_names)}, (_, c) => column(c)),
               count: m},
    schemes: first(a.schemes, shown_schemes, set),
    preservation: {
      preserving: a.preservation.preserving,
      complete: a.preservation.complete,
      lost: first(a.preservation.lost, shown_items, judged),
      preserved: first(a.preservation.preserved, shown_items, judged),
    },
    keys: {
      complete: a.keys.complete,
      keys: first(a.keys.keys, shown_items, (key, k) => ({
        key: set(key),
        steps: first(a.keys.derivations[k], shown_items,
                   (s) => ({dependency: record(s.dependency), added: set(s.added)})),
      })),
    },
    normal_forms: first(a.normal_forms, shown_schemes, (s) => ({
      form: s.form,
      keys: first(s.keys, shown_scheme_keys, set),
      keys_complete: s.keys_complete,
      witness: s.witness === null ? null : {
        left: set(s.witness.left),
        right: column(s.witness.right),
        key: s.witness.key === undefined ? undefined : set(s.witness.key),
      },
    })),
    redundant: first(a.redundant, shown_schemes),
    repair: a.repair === null ? null : {
      add: first(a.repair.add, shown_items, set),
      from: first(a.repair.from, shown_items, (k) => (k === -1 ? k : record(k))),
      lossless: a.repair.lossless,
      preserving: a.repair.preserving,
    },
  };
  return finish(p);
}

// Design mode as the page shows it: the object of `lossless --design` cut like the check's (see
// pack_analysis), with its many lists; relation is the start of R, fds the dependencies of the
// cover that the page names (those shown and those a scheme comes from), and a cover step that
// leaves out an extraneous attribute carries rest, the left side without it (see design_bytes).
const shown_from = 10;  // of the cover's dependencies that a scheme of the synthesis comes from

function pack_design(answer) {
  const d = answer.design;
  if (d === null) return answer;
  const {first, column, set, record, finish} = cutter(d);
  const fds = new Set();
  const fd = (k) => (fds.add(k), k);
  const schemes = (list) => (list === null ? null : first(list, shown_schemes, set));
  const forms = (list) => (list === null ? null : first(list, shown_schemes));
  const m = d.attributes.length;
  const {cover, synthesis, bcnf} = d;
  const rests = answer.extraneousRest;
  const p = {
    complete: d.complete,
    relation: {items: Array.from({length: Math.min(m, shown_names)}, (_, c) => column(c)),
               count: m},
    cover: {
      dependencies: cover.dependencies === null ? null :
          first(cover.dependencies, shown_schemes, (_, k) => fd(k)),
      steps: first(cover.steps, shown_items, (s, k) => ({
        step: s.step,
        left: set(s.left),
        right: column(s.right[0]),
        attribute: s.attribute === undefined ? undefined : column(s.attribute),
        rest: rests[k] === null ? undefined : set(rests[k]),
        closure: s.closure === undefined ? undefined : set(s.closure),
      })),
    },
    synthesis: {
      schemes: schemes(synthesis.schemes),
      steps: first(synthesis.steps, shown_items, (s) => ({
        step: s.step,
        scheme: set(s.scheme),
        from: s.from === undefined ? undefined : first(s.from, shown_from, fd),
        in: s.in === undefined ? undefined : set(s.in),
        closure: s.closure === undefined ? undefined : set(s.closure),
      })),
      lossless: synthesis.lossless,
      preserving: synthesis.preserving,
      forms: forms(synthesis.forms),
    },
    bcnf: {
      schemes: schemes(bcnf.schemes),
      steps: first(bcnf.steps, shown_items, (s) => ({
        scheme: set(s.scheme),
        left: set(s.violation.left),
        right: set(s.violation.right),
        closure: set(s.closure),
        into: s.into.map(set),
      })),
      lost: bcnf.lost === null ? null : first(bcnf.lost, shown_items, record),
      lossless: bcnf.lossless,
      forms: forms(bcnf.forms),
    },
  };
  p.fds = {};
  for (const k of fds) {
    const {left, right} = cover.dependencies[k];
    p.fds[k] = {left: set(left), right: column(right[0])};
  }
  return {design: finish(p), synthesisInput: answer.synthesisInput, bcnfInput: answer.bcnfInput};
}

// The memory of every typed array in the answer, each once: it moves to the page, not copied.
function buffers(value) {
  const found = new Set();
  const walk = (item) => {
    if (ArrayBuffer.isView(item)) found.add(item.buffer);
    else if (item !== null && typeof item === 'object') Object.values(item).forEach(walk);
  };
  walk(value);
  return [...found];
}

// Of a longer text the page shows only the start.
const shown_characters = 1000;

function cut(text, limit = shown_characters) {
  return text.length > limit ? `${text.slice(0, limit)}…` : text;
}

// The tidy-up's table as the page shows it (the engine's tidy_rows): each row {line, text} with
// the input's line number and the text written from it, a changed row also with its kinds, and a
// dropped one with dropped: true and its old text.
function tidy_table(table) {
  const text = (bytes) => new TextDecoder().decode(bytes);
  const rows = table.rows.map((r) => ({
    line: r.line,
    text: r.dropped ? text(r.old) : r.text.map(text).join('\n'),
    dropped: r.dropped,
    kinds: r.kinds.length > 0 ? r.kinds : undefined,
  }));
  return {rows, whole: table.whole, complete: table.complete, lines: table.lines};
}

// Runs the engine's function on the bytes, which it reads from its own memory.
function call(engine, bytes, use) {
  const at = engine._malloc(Math.max(bytes.length, 1));
  try {
    engine.HEAPU8.set(bytes, at);
    return use(at);
  } finally {
    engine._free(at);
  }
}

// Answers {id, op, bytes, name, packed} with {id, result} or {id, error}; while a check runs, with
// {id, progress: {part, done, total}} as it gets on.
self.onmessage = async (event) => {
  const {id, op, bytes, name, packed} = event.data;
  try {
    if (engine === null) engine = create_engine();
    engine = await engine;
    if (op === 'tidy') {
      const tidied = call(engine, bytes, (at) => engine.tidy(at, bytes.length, packed));
      const result = packed ?
          {bytes: tidied.bytes, changes: tidied.changes.length, ...tidy_table(tidied.table)} :
          {bytes: tidied.bytes, changes: tidied.changes};
      self.postMessage({id, result}, [result.bytes.buffer]);
      return;
    }
    if (op === 'check') {
      const told = (part, done, total) => self.postMessage({id, progress: {part, done, total}});
      const checked = call(engine, bytes, (at) => engine.check(at, bytes.length, name, told));
      const result = packed ? pack_check(checked) : checked;
      self.postMessage({id, result}, checked.repaired === null ? [] : [checked.repaired.buffer]);
      return;
    }
    if (op === 'design') {
      const designed = call(engine, bytes, (at) => engine.design(at, bytes.length, name));
      // Scripts get the object of `lossless --design` itself.
      const result = packed ? pack_design(designed) : designed.design;
      self.postMessage({id, result}, packed ? buffers(result) : []);
      return;
    }
    let result = call(engine, bytes, (at) => engine.run(at, bytes.length, name));
    if (packed) {
      result = pack(result);
      self.postMessage({id, result}, buffers(result));
    } else {
      result.diagnostics = decode_diagnostics(result.diagnostics);
      const owned = [result.stdout.buffer, result.stderr.buffer];
      if (result.result !== null) owned.push(result.result.buffer);
      self.postMessage({id, result}, owned);
    }
  } catch (error) {
    // An engine that aborted, out of memory say, cannot run again: the next input gets a new one.
    engine = null;
    self.postMessage({id, error: String(error && error.message || error)});
  }
};
