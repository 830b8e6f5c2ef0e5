// The engine's worker. It follows the engine's generated script, which defines create_engine, and
// runs each input off the page's thread, so that a long run never freezes the page.
'use strict';

let engine = null;

self.onmessage = async (event) => {
  const {id, bytes, name} = event.data;
  try {
    if (engine === null) engine = await create_engine();
    const at = engine._malloc(Math.max(bytes.length, 1));
    let result;
    try {
      engine.HEAPU8.set(bytes, at);
      result = engine.run(at, bytes.length, name);
    } finally {
      engine._free(at);
    }
    const owned = [result.stdout.buffer, result.stderr.buffer];
    if (result.result !== null) owned.push(result.result.buffer);
    self.postMessage({id, result}, owned);
  } catch (error) {
    // An engine that aborted, out of memory say, cannot run again: the next input gets a new one.
    engine = null;
    self.postMessage({id, error: String(error && error.message || error)});
  }
};
