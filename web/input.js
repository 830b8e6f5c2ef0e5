// The input section: the text box, the examples, opening or dropping a file, and the warnings
// that the run wrote to standard error.
'use strict';

add_words({
  hu: {
    input: 'Bemenet',
    examples: 'Példák:',
    inputLabel: 'A bemeneti fájl szövege',
    run: 'Futtatás',
    openFile: 'Fájl megnyitása:',
    busy: 'Dolgozom…',
    dropHint: 'Fájlt az oldalra húzva is megnyithat.',
    dropHere: 'Engedje el a fájlt a megnyitáshoz',
    warnings: 'Figyelmeztetések (szabványos hibakimenet):',
  },
  en: {
    input: 'Input',
    examples: 'Examples:',
    inputLabel: 'The text of the input file',
    run: 'Run',
    openFile: 'Open a file:',
    busy: 'Working…',
    dropHint: 'You can also drop a file on the page.',
    dropHere: 'Drop the file to open it',
    warnings: 'Warnings (standard error):',
  },
});

function render_warnings() {
  const box = $('#warnings');
  const text = state.result.error === undefined ? decoder.decode(state.result.stderr) : '';
  const lines = text.split('\n').filter((line) => line !== '');
  box.hidden = lines.length === 0;
  box.replaceChildren(element('span', word('warnings')),
      element('ul', null, ...lines.map((line) => element('li', line))));
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

function set_up_input() {
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
  $('#file').onchange = (event) => open_file(event.target.files[0]);
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
  const first = document.querySelector('script[data-example]');
  if (first) load_example(first.dataset.example, first.textContent);
}
