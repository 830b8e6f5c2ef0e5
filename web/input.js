// The input section: the text box, the examples, opening or dropping a file, and the warnings
// that the run wrote to standard error. A large file is not put into the text box, whose layout
// of megabytes would stall the page for seconds: its name, size and first lines stand instead.
'use strict';

add_words({
  hu: {
    input: 'Bemenet',
    examples: 'Példák (kattintásra lefutnak):',
    inputLabel: 'A bemeneti fájl szövege',
    run: 'Futtatás',
    openFile: 'Fájl megnyitása…',
    busy: 'Dolgozom…',
    dropHint: 'Fájlt az oldalra húzva is megnyithat.',
    dropHere: 'Engedje el a fájlt a megnyitáshoz',
    fileLines: 'A fájl első sorai',
    fileSize: (bytes) => `${size(bytes, 'hu')}; túl nagy a szövegdobozhoz, ezért így fut le.`,
    editFile: 'Szerkesztés szövegként',
    editFileHint: 'Egy nagy szöveg szerkesztése lassú lehet.',
    warnings: 'Figyelmeztetések (szabványos hibakimenet):',
    warningsCut: (shown, total) =>
        `Az első ${number(shown)} sor látszik ${article(number(total))} ${number(total)}-ből; ` +
        'a nyomkövetés a teljes futást mutatja.',
  },
  en: {
    input: 'Input',
    examples: 'Examples (a click runs one):',
    inputLabel: 'The text of the input file',
    run: 'Run',
    openFile: 'Open a file…',
    busy: 'Working…',
    dropHint: 'You can also drop a file on the page.',
    dropHere: 'Drop the file to open it',
    fileLines: 'The first lines of the file',
    fileSize: (bytes) => `${size(bytes, 'en')}; too large for the text box, so it runs as it is.`,
    editFile: 'Edit as text',
    editFileHint: 'Editing a large text can be slow.',
    warnings: 'Warnings (standard error):',
    warningsCut: (shown, total) =>
        `The first ${number(shown)} of ${number(total)} lines are shown; the trace shows the ` +
        'whole run.',
  },
});

// Files of more bytes or lines are shown by name, size and first lines instead of in the text
// box, whose layout takes a browser about a tenth of a second per 3000 lines.
const text_box_bytes = 256 * 1024;
const text_box_lines = 2000;

function lines_in(bytes) {
  let lines = 0;
  for (let at = bytes.indexOf(10); at !== -1; at = bytes.indexOf(10, at + 1)) ++lines;
  return lines;
}
// Lines of standard error listed under the input; a long list is cut.
const listed_warnings = 50;

function size(bytes, language) {
  const units = language === 'hu' ? ['bájt', 'kB', 'MB'] : ['bytes', 'kB', 'MB'];
  let unit = 0;
  let value = bytes;
  while (value >= 1000 && unit < units.length - 1) {
    value /= 1000;
    ++unit;
  }
  return `${value.toLocaleString(language, {maximumFractionDigits: unit ? 1 : 0})} ${units[unit]}`;
}

function render_warnings() {
  const box = $('#warnings');
  const bytes = state.result.error === undefined ? state.result.stderr : new Uint8Array(0);
  const total = lines_in(bytes);
  const lines = decode(bytes, 256 * listed_warnings).split('\n').filter((line) => line !== '');
  const shown = lines.slice(0, listed_warnings);
  box.hidden = shown.length === 0;
  const title = element('p', word('warnings'));
  const list = element('div', null, element('ul', null, ...shown.map((line) => element('li', line))));
  list.className = 'warning-list';
  box.replaceChildren(title, scroll_box(list, word('warnings')));
  if (total > shown.length) box.append(note(word('warningsCut', shown.length, total)));
}

// Puts bytes on screen as the input: in the text box, or for a large file on its card.
function show_input(bytes, name) {
  state.bytes = bytes;
  state.name = name;
  const large = bytes.length > text_box_bytes || lines_in(bytes) > text_box_lines;
  $('#input').hidden = large;
  $('#file-card').hidden = !large;
  if (large) {
    $('#file-name').textContent = name;
    $('#file-size').textContent = word('fileSize', bytes.length);
    const lines = decode(bytes, 4096).split('\n').slice(0, 8);
    $('#file-lines').textContent = lines.map((line) => line.slice(0, 200)).join('\n');
  } else {
    $('#input').value = decode(bytes);
  }
  input_changed();
}

async function open_file(file) {
  if (!file) return;
  show_input(new Uint8Array(await file.arrayBuffer()), file.name);
  await run();
}

function load_example(name, text) {
  state.bytes = null;
  state.name = name;
  $('#input').value = text;
  $('#input').hidden = false;
  $('#file-card').hidden = true;
  input_changed();
}

function set_up_input() {
  const examples = $('#examples');
  for (const script of document.querySelectorAll('script[data-example]')) {
    examples.append(button(script.dataset.example, () => {
      load_example(script.dataset.example, script.textContent);
      run();
    }));
  }
  $('#input').addEventListener('input', () => {
    state.bytes = null;  // edited: the text is the input now
    input_changed();
  });
  $('#edit-file').onclick = () => {
    $('#input').value = decode(state.bytes);
    $('#input').hidden = false;
    $('#file-card').hidden = true;
    $('#input').focus();
  };
  scroll_box($('#file-lines'));
  $('#file').onchange = (event) => {
    open_file(event.target.files[0]);
    event.target.value = '';  // so that choosing the same file again opens it again
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
  const first = document.querySelector('script[data-example]');
  if (first) load_example(first.dataset.example, first.textContent);
}
