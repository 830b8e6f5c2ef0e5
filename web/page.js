// The page: takes the input's bytes, hands them to the engine in a worker, and builds the view from
// the one plain object that comes back. Steps, verdict, the decomposition check, counterexample
// and trace all come from the engine; the section scripts only show them, each with its own render
// function and words.
// Whatever comes from the input reaches the page through textContent, never as markup.
'use strict';

add_words({
  hu: {
    title: 'Veszteségmentes-e a felbontás?',
    intro: 'Adja meg a relációsémákat soronként, egy üres sort, majd a függőségeket soronként. ' +
        'Az oldal a lossless parancssori eszköz motorjával dolgozik: a nyomkövetés és az ' +
        'eredményfájl bájtra ugyanaz, mint a konzolon.',
  },
  en: {
    title: 'Is the decomposition lossless?',
    intro: 'Enter the relation schemes one per line, an empty line, then the dependencies one ' +
        'per line. The page runs the engine of the lossless console tool: the trace and the ' +
        'result file are the console\'s, byte for byte.',
  },
});

// Waits until the browser has drawn what is on the page so far.
function next_frame() {
  return new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
}

// Counts the renders begun, so that a render overtaken by a newer one stops.
let renders = 0;

// Every section, top to bottom, from the engine's answer; with focus, the verdict takes the focus.
// Each section is drawn in a frame of its own, and a section that is a generator function in a
// frame for each of its parts: the layout of a page of large tables at once could stall the page
// for longer than a person should wait for a click to answer. A new section adds its render
// function to the list, in the place its element has in index.html.
async function render(focus = false) {
  const id = ++renders;
  document.documentElement.lang = state.language;
  for (const node of document.querySelectorAll('[data-word]')) {
    node.textContent = word(node.dataset.word);
  }
  for (const node of document.querySelectorAll('[data-label]')) {
    node.setAttribute('aria-label', word(node.dataset.label));
  }
  for (const button of document.querySelectorAll('[data-language]')) {
    button.setAttribute('aria-pressed', String(button.dataset.language === state.language));
  }
  if (!$('#file-card').hidden) $('#file-size').textContent = word('fileSize', state.bytes.length);
  show_busy();
  render_tidy();
  if (state.result === null) return;
  state.result.names = [];  // decoded anew: an empty name is shown in the language's words
  show_stale();
  const sections = [
    render_verdict,
    render_warnings,
    render_analysis,
    render_steps,
    render_counterexample,
    render_outputs,
  ];
  for (const draw of sections) {
    // A generator draws each part as it is asked for the next; the last part ends the loop.
    for (const _ of draw() ?? []) {
      await next_frame();
      if (id !== renders) return;
    }
    if (focus && draw === render_verdict) $('#verdict').focus();
    await next_frame();
    if (id !== renders) return;
  }
}

// While the newest run is in flight the page says so, and Run does not act for the same input.
function show_busy() {
  const running = state.running !== null;
  $('#busy').hidden = !running;
  set_enabled($('#run'), state.running !== state.input);
  if (running) $('#outcome').setAttribute('aria-busy', 'true');
  else $('#outcome').removeAttribute('aria-busy');
}

// An answer for an earlier input stays on screen greyed, its banner saying so, until the next run.
function show_stale() {
  $('#outcome').classList.toggle('stale', state.stale);
  // The repair belongs to the input it was found for.
  const repair = $('#repair-apply');
  if (repair) set_enabled(repair, !state.stale && state.result.repaired !== null);
}

// Called by every change of the input: typing, an example, a file.
function input_changed() {
  ++state.input;
  if (state.result !== null && !state.stale) {
    state.stale = true;
    render_verdict();
    show_stale();
  }
  show_busy();
  ask_tidy();
}

// Runs the input on screen. Only the newest run's answer is shown, and only while the input is
// the one it was started for; the focus then moves to the verdict. The page is busy until the
// answer is drawn.
async function run() {
  const bytes = input_bytes();
  const id = ++state.run;
  const input = state.input;
  state.running = input;
  show_busy();
  let result;
  try {
    result = await engine.run(bytes, state.name, true);
  } catch (error) {
    result = {error: error.message};
  }
  if (id !== state.run) return;
  if (input === state.input) {
    state.result = result;
    state.stale = false;
    state.position = 0;
    // The sections of the earlier answer go at once, so that none stands beside the new verdict.
    for (const section of document.querySelectorAll('#outcome > *')) section.hidden = true;
    await render(true);
  }
  if (id !== state.run) return;
  state.running = null;
  show_busy();
}

// The language: ?lang=en or ?lang=hu in the address, else the one chosen last on this computer.
const language_key = 'lossless.language';

function stored_language() {
  const asked = new URLSearchParams(location.search).get('lang');
  if (asked in words) return asked;
  try {
    const kept = localStorage.getItem(language_key);
    if (kept in words) return kept;
  } catch {
    // Storage may be off for pages opened from disk; the page then starts in Hungarian.
  }
  return 'hu';
}

function set_up() {
  state.language = stored_language();
  set_up_input();
  set_up_steps();
  set_up_outputs();
  $('#run').onclick = () => {
    if ($('#run').getAttribute('aria-disabled') !== 'true') run();
  };
  for (const button of document.querySelectorAll('[data-language]')) {
    button.onclick = () => {
      state.language = button.dataset.language;
      try {
        localStorage.setItem(language_key, state.language);
      } catch {
        // Not kept, then; the choice holds until the page is closed.
      }
      render();
    };
  }
  render();
}

set_up();
