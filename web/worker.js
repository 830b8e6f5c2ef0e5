// The engine's worker. It follows the engine's generated script, which defines create_engine, and
// runs each input off the page's thread, so that a long run never freezes the page.
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

// The page's form of an answer: the long lists as flat typed arrays, which move to the page without
// being copied. As objects, the steps or the header of a large tableau would take the page's thread
// hundreds of milliseconds to receive. Fields that this does not know pass as they are.
function pack(r) {
  const p = {...r};
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
    p.counterexample = pack_lists(r.counterexample.flatMap((s) => [s.columns, s.rows]));
  }
  return p;
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

self.onmessage = async (event) => {
  const {id, bytes, name, packed} = event.data;
  try {
    if (engine === null) engine = create_engine();
    engine = await engine;
    const at = engine._malloc(Math.max(bytes.length, 1));
    let result;
    try {
      engine.HEAPU8.set(bytes, at);
      result = engine.run(at, bytes.length, name);
    } finally {
      engine._free(at);
    }
    if (packed) {
      result = pack(result);
      self.postMessage({id, result}, buffers(result));
    } else {
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
