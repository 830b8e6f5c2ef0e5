// The page: takes the input's bytes, hands them to the engine in a worker, and builds the view from
// the plain objects that come back: first the run's (verdict, steps, counterexample, trace), then
// the check's, which runs in a worker of its own after the verdict is shown. The section scripts
// only show them, each with its own render function and words, and reach the rest of the page
// through the one object that this hands them. Whatever comes from the input reaches the page
// through textContent, never as markup.
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

const engine = make_engine();

const state = {
  run: 0,          // counts the runs started; only the newest one's answer is shown
  running: null,   // the input version that the newest run in flight was started for, or null
  result: null,    // the engine's answer for the input on screen, or for an earlier one
  ran: null,       // {bytes, name} of the input that result belongs to
  stale: false,    // whether the input changed since the answer shown
  check: null,     // the check of result: {status, progress, result, error}, see render_analysis
  design: null,    // the design of result: {status, result, error}, see render_design
};

// Counts the renders begun, so that a render overtaken by a newer one stops; and per section the
// draws begun, so that a section drawn anew (the check's, when it ends) stops its older draw.
let renders = 0;
const draws = {};

// Draws one section, a frame for each part of a generator, while current() holds and no newer
// draw of the same section began.
async function draw(key, parts, current) {
  const id = (draws[key] = (draws[key] ?? 0) + 1);
  for (const _ of parts ?? []) {
    await next_frame();
    if (id !== draws[key] || !current()) return;
  }
}

// What the check's section draws.
function check_view() {
  return {result: state.result, check: state.check, stale: state.stale,
          tidy: input.tidy_offered()};
}

// What the design's section draws.
function design_view() {
  return {result: state.result, design: state.design, stale: state.stale};
}

// Every section, top to bottom, from the engine's answers; with focus, the verdict takes the
// focus. Each section is drawn in a frame of its own, and a section that is a generator function
// in a frame for each of its parts: the layout of a page of large tables at once could stall the
// page for longer than a person should wait for a click to answer.
async function render(focus = false) {
  const id = ++renders;
  const current = () => id === renders;
  for (const node of document.querySelectorAll('[data-word]')) {
    node.textContent = word(node.dataset.word);
  }
  for (const node of document.querySelectorAll('[data-label]')) {
    node.setAttribute('aria-label', word(node.dataset.label));
  }
  for (const button of document.querySelectorAll('[data-language]')) {
    button.setAttribute('aria-pressed', String(button.dataset.language === language()));
  }
  input.render();
  show_busy();
  const r = state.result;
  if (r === null) return;
  show_stale();
  const sections = [
    ['verdict', () => steps.render_verdict(r, state.stale)],
    ['printed', () => input.render_printed(state.ran.bytes)],
    ['warnings', () => input.render_warnings(r)],
    ['analysis', () => analysis.render(check_view())],
    ['steps', () => steps.render_steps(r)],
    ['counterexample', () => counterexample.render(r)],
    ['design', () => design.render(design_view())],
    ['outputs', () => outputs.render(r)],
  ];
  for (const [key, make] of sections) {
    await draw(key, make(), current);
    if (!current()) return;
    if (focus && key === 'verdict') $('#verdict').focus();
    await next_frame();
    if (!current()) return;
  }
}

// The check's section alone, once the check has ended; a full render begun since draws it anew.
// Resolves once it is drawn, or overtaken.
function render_check() {
  const id = renders;
  return draw('analysis', analysis.render(check_view()), () => id === renders);
}

// The design's section alone, once the design has started or ended.
function render_design() {
  const id = renders;
  draw('design', design.render(design_view()), () => id === renders);
}

// While the newest run is in flight the page says so, and Run does not act for the same input.
function show_busy() {
  const running = state.running !== null;
  $('#busy').hidden = !running;
  set_enabled($('#run'), state.running !== input.version());
  if (running) $('#outcome').setAttribute('aria-busy', 'true');
  else $('#outcome').removeAttribute('aria-busy');
}

// An answer for an earlier input stays on screen greyed, its banner saying so, until the next run;
// its buttons stop acting.
function show_stale() {
  $('#outcome').classList.toggle('stale', state.stale);
  if (state.result === null) return;
  analysis.show_actions(check_view());
  design.show_actions(design_view());
}

// Checks the input of the answer shown, in the check's own worker, and shows how far it gets.
// A check that a newer run, a change of the input or Stop overtook is not shown.
function start_check(check = {status: 'running', progress: null}) {
  if (state.result === null || state.result.lossless == null || state.stale) return;
  state.check = check;
  const told = (progress) => {
    if (state.check !== check) return;
    check.progress = progress;
    analysis.show_progress(progress);
  };
  const ended = async (ending) => {
    if (state.check !== check) return;
    state.check = ending;
    // The design starts once the check is drawn: beside it, on a machine of two cores, it would
    // lengthen the pauses of the drawing.
    await render_check();
    if (state.check === ending && state.design?.status === 'waiting') start_design();
  };
  engine.check(state.ran.bytes, state.ran.name, true, told).then(
      (result) => ended({status: 'done', result}),
      (error) => ended({status: 'failed', error: error.message}));
}

// Ends the running check at once; status says why: 'stopped' by its button, or 'dropped' for a
// change of the input or a new run.
function stop_check(status) {
  if (state.check === null || state.check.status !== 'running') return;
  engine.stop_check();
  state.check = {status};
  render_check();
  // The design waits for the check; stopped by its button, it waits for the design's own.
  if (status === 'stopped' && state.design?.status === 'waiting') {
    state.design = {status: 'held'};
    render_design();
  }
}

// Designs from the input of the answer shown, in the design's own worker, once the check has
// ended and is drawn: the design, which can take seconds on large inputs, must not slow the check
// down. A
// design that a newer run, a change of the input or Stop overtook is not shown.
function start_design(design = {status: 'running'}) {
  if (state.result === null || state.result.lossless == null || state.stale) return;
  state.design = design;
  render_design();
  const ended = (ending) => {
    if (state.design !== design) return;
    state.design = ending;
    render_design();
  };
  engine.design(state.ran.bytes, state.ran.name, true).then(
      (result) => ended({status: 'done', result}),
      (error) => ended({status: 'failed', error: error.message}));
}

// Ends the design, running or waiting for the check; status says why: 'stopped' by its button,
// or 'dropped' for a change of the input or a new run.
function stop_design(status) {
  if (!['waiting', 'running', 'held'].includes(state.design?.status)) return;
  if (state.design.status === 'running') engine.stop_design();
  state.design = {status};
  render_design();
}

// Called by every change of the input: typing, an example, a file.
function input_changed() {
  if (state.result !== null && !state.stale) {
    state.stale = true;
    steps.render_verdict(state.result, true);
    show_stale();
  }
  stop_check('dropped');
  stop_design('dropped');
  show_busy();
}

// Runs the input on screen. Only the newest run's answer is shown, and only while the input is
// the one it was started for; the focus then moves to the verdict. The page is busy until the
// answer is drawn; then the check starts, unless stopped or dropped meanwhile. Started at once, it
// would take a core from the drawing, whose pauses would grow on a machine of two.
async function run() {
  const bytes = input.bytes();
  const name = input.name();
  const id = ++state.run;
  const version = input.version();
  state.running = version;
  stop_check('dropped');
  stop_design('dropped');
  show_busy();
  let result;
  try {
    result = await engine.run(bytes, name, true);
  } catch (error) {
    result = {error: error.message};
  }
  if (id !== state.run) return;
  if (version === input.version()) {
    state.result = result;
    state.ran = {bytes, name};
    state.stale = false;
    // A run that stopped before the chase has nothing to check.
    const check = result.lossless == null ? null : {status: 'running', progress: null};
    state.check = check;
    // The design follows the check (see start_check).
    state.design = check === null ? null : {status: 'waiting'};
    // The sections of the earlier answer go at once, so that none stands beside the new verdict.
    for (const section of document.querySelectorAll('#outcome > *')) section.hidden = true;
    await render(true);
    if (check !== null && state.check === check) start_check(check);
  }
  if (id !== state.run) return;
  state.running = null;
  show_busy();
}

// What the sections reach the rest of the page through.
const page = {
  run,
  input_changed,
  check_view,
  tidy: (bytes) => engine.tidy(bytes, true),
  tidy_changed: () => {
    if (state.result !== null) analysis.show_actions(check_view());
  },
  start_check: () => {
    start_check();
    render_check();
    if (state.design?.status === 'held') {
      state.design = {status: 'waiting'};
      render_design();
    }
  },
  stop_check: () => stop_check('stopped'),
  design_view,
  start_design: () => start_design(),
  stop_design: () => stop_design('stopped'),
  // Puts an input with a designed decomposition as its schemes in place and runs it: the chase,
  // its steps and the check then prove the decomposition.
  apply_design: (bytes) => {
    if (state.stale || bytes === null) return;
    input.replace(bytes);
    run();
  },
  // Puts the repaired input in place of the input and runs it: the run shows the row of zeros.
  apply_repair: (bytes) => {
    if (state.stale || bytes === null) return;
    input.replace(bytes);
    run();
  },
  // Puts the tidy-up's rewrite in place of the input and runs it.
  apply_tidy: () => {
    if (state.stale || !input.apply_tidy()) return;
    run();
  },
};

const input = input_section(page);
const steps = steps_section(page);
const analysis = analysis_section(page);
const counterexample = counterexample_section(page);
const design = design_section(page);
const outputs = outputs_section(page);

// The interface that scripts and tests use: the console tool's outputs for an input's bytes with
// the check of the decomposition, the check alone (told, if given, hears how far it got), the
// object of design mode, and the input rewritten by the tidy-up. Its runs share the page's worker;
// its checks and designs have their own, which the page's Stop buttons never end.
const scripts_engine = make_engine(engine.runs);
window.lossless = {
  run: async (bytes, name) => {
    const result = await scripts_engine.run(bytes, name);
    if (result.lossless === null) return {...result, analysis: null, repaired: null};
    return {...result, ...await scripts_engine.check(bytes, name)};
  },
  check: (bytes, name, told) => scripts_engine.check(bytes, name, false, told),
  design: (bytes, name) => scripts_engine.design(bytes, name),
  tidy: (bytes) => scripts_engine.tidy(bytes),
};

document.documentElement.lang = stored_language();
$('#run').onclick = () => {
  if ($('#run').getAttribute('aria-disabled') !== 'true') run();
};
for (const button of document.querySelectorAll('[data-language]')) {
  button.onclick = () => {
    document.documentElement.lang = button.dataset.language;
    try {
      localStorage.setItem(language_key, button.dataset.language);
    } catch {
      // Not kept, then; the choice holds until the page is closed.
    }
    render();
  };
}
input.start();
render();
