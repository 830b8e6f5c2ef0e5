// The page: takes the input's bytes, hands them to the engine in a worker, and builds the view from
// the one plain object that comes back. Steps, verdict, counterexample and trace all come from the
// engine; the section scripts only show them, each with its own render function and words.
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

// Every section, top to bottom, from the engine's last answer. A new section adds its render
// function here, in the place its element has in index.html.
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

function set_up() {
  set_up_input();
  set_up_steps();
  set_up_outputs();
  $('#run').onclick = run;
  for (const button of document.querySelectorAll('[data-language]')) {
    button.onclick = () => {
      state.language = button.dataset.language;
      render();
    };
  }
  render();
}

set_up();
