// The input section: the text box, the examples, opening or dropping a file, the offer to tidy
// the input up, the run's messages about the input, each pointing at its line, and the input that
// an answer belongs to, printed above its verdict. A large file is not put into the text box, whose
// layout of megabytes would stall the page for seconds: its name, size and first lines stand
// instead. The section owns the input; page.js asks it for the bytes to run.
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
    warnings: 'Figyelmeztetések a bemenetről (egyre kattintva kijelöli a sorát):',
    warningsOfFile: 'Figyelmeztetések a bemenetről:',
    warningsMore: (n) => `… és még ${number(n)} figyelmeztetés.`,
    blankMarks: 'A nevekben a ␣ jel szóközt, a ⇥ jel tabulátort mutat.',
    atLine: (line) => `${line}. sor: `,
    diagnostic: (kind, text) => ({
      arrow_in_scheme: `Nyíl a sémasorban (hiányzik az üres sor a függőségek előtt?): ${text}`,
      empty_name: `Üres név a sémasorban (két vessző egymás után vagy a sor elején): ${text}`,
      comment_in_scheme: `Megjegyzésnek látszó sémasor (sémaként olvasva): ${text}`,
      leading_empty_line: 'A bemenet üres sorral kezdődik, így egy sémát sem ad meg.',
      blank_in_name: `Szóköz vagy tabulátor a névben: „${text}”`,
      whole_scheme: 'Egy séma minden attribútumot tartalmaz, így a felbontás biztosan ' +
          `veszteségmentes: ${text}`,
      unknown_name: `Ismeretlen attribútum a függőségben (egy séma sem tartalmazza): „${text}”`,
      missing_arrow: `Hiányzik a „->” a függőségből: ${text}`,
      unread_line: `Nem feldolgozott sor (üres sor zárta le a függőségeket): ${text}`,
      tableau_too_large: `Nincs elég memória a táblázathoz (sorok x oszlopok): ${text}`,
      utf16: `A bemeneti fájl UTF-16 kódolású, mentse UTF-8 kódolással: ${text}`,
      no_memory: `Nincs elég memória: ${text}`,
    })[kind],
    tidyTitle: (lines) => 'Az oldal átírhatja a bemenetet a bemeneti formátumra ' +
        `(${number(lines)} sor változik):`,
    tidyText: 'Az átírt bemenet',
    tidyLine: 'Sor',
    tidyNew: 'Átírt szöveg',
    tidyChange: 'Változás',
    tidyApply: 'A bemenet cseréje az átírtra',
    tidyUndo: 'A visszavonás (Ctrl+Z) visszahozza a korábbi szöveget.',
    tidyFile: 'Ezután az átírt szöveg fut a fájl helyett; a lemezen lévő fájl nem változik.',
    tidyChangedOnly: 'Csak a változó sorok látszanak.',
    tidyCut: 'Nem minden változó sor látszik; a csere mindet elvégzi.',
    tidyEmpty: '(üres sor)',
    printedInput: 'Bemenet',
    printedCut: (shown, total) => `Az első ${number(shown)} bájt látszik ` +
        `${article(number(total))} ${number(total)}-ből.`,
    rewrite: (kind, dropped) => ({
      blanks: 'szóközök és tabulátorok elhagyva',
      comment: 'megjegyzéssor törölve',
      empty_line: dropped ? 'fölösleges üres sor törölve' : 'szóközös sor üres sorrá téve',
      arrow: 'a nyíl „->” lett',
      scheme_name: 'a séma neve és zárójelei elhagyva',
      textbook: 'tankönyvi jelölés: betűnként külön név',
      trailing_comment: 'sor végi megjegyzés elhagyva',
      one_line_decomposition: 'egysoros felbontás: soronként egy séma',
      dependency_list: 'függőséglista: soronként egy függőség',
      braces: 'kapcsos zárójelek elhagyva',
      blank_separated: 'szóközzel elválasztott nevek vesszővel',
      mixed_notation: 'vegyes jelölés: a sémák nevei betűnként',
      whole_relation: 'a teljes reláció sora törölve (a részei következnek)',
    })[kind] ?? kind,
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
    warnings: 'Warnings about the input (click one to select its line):',
    warningsOfFile: 'Warnings about the input:',
    warningsMore: (n) => `… and ${number(n)} more.`,
    blankMarks: 'In names, ␣ shows a blank and ⇥ a tab.',
    atLine: (line) => `Line ${line}: `,
    diagnostic: (kind, text) => ({
      arrow_in_scheme: 'An arrow in a scheme line (is the empty line before the dependencies ' +
          `missing?): ${text}`,
      empty_name: `An empty name in a scheme line (two commas in a row, or a leading one): ${text}`,
      comment_in_scheme: `A scheme line that looks like a comment (read as a scheme): ${text}`,
      leading_empty_line: 'The input starts with an empty line, so it names no scheme.',
      blank_in_name: `A blank or a tab in the name “${text}”`,
      whole_scheme: 'A scheme holds every attribute, so the decomposition is lossless ' +
          `whatever the dependencies: ${text}`,
      unknown_name: `An attribute that no scheme has, in a dependency: “${text}”`,
      missing_arrow: `A dependency without “->”: ${text}`,
      unread_line: `A line not read (an empty line ended the dependencies): ${text}`,
      tableau_too_large: `Not enough memory for the tableau (rows x columns): ${text}`,
      utf16: `The input file is encoded in UTF-16; save it as UTF-8: ${text}`,
      no_memory: `Not enough memory: ${text}`,
    })[kind],
    tidyTitle: (lines) => 'The page can rewrite the input into the input format ' +
        `(${number(lines)} ${lines === 1 ? 'line changes' : 'lines change'}):`,
    tidyText: 'The rewritten input',
    tidyLine: 'Line',
    tidyNew: 'Rewritten text',
    tidyChange: 'Change',
    tidyApply: 'Replace the input with the rewritten one',
    tidyUndo: 'Undo (Ctrl+Z) brings the earlier text back.',
    tidyFile: 'The rewritten text then runs instead of the file; the file on disk stays as it is.',
    tidyChangedOnly: 'Only the lines that change are shown.',
    tidyCut: 'Not every line that changes is shown; the replacement makes every change.',
    tidyEmpty: '(empty line)',
    printedInput: 'Input',
    printedCut: (shown, total) => `The first ${number(shown)} of ${number(total)} bytes are shown.`,
    rewrite: (kind, dropped) => ({
      blanks: 'blanks and tabs dropped',
      comment: 'comment line dropped',
      empty_line: dropped ? 'extra empty line dropped' : 'blank line made empty',
      arrow: 'arrow written as “->”',
      scheme_name: 'the scheme\'s name and parentheses dropped',
      textbook: 'textbook notation: one name per letter',
      trailing_comment: 'comment at the end of the line dropped',
      one_line_decomposition: 'decomposition on one line: one scheme per line',
      dependency_list: 'list of dependencies: one per line',
      braces: 'braces dropped',
      blank_separated: 'names separated by blanks written with commas',
      mixed_notation: 'mixed notation: names of the schemes letter by letter',
      whole_relation: 'the whole relation\'s line dropped (its parts follow)',
    })[kind] ?? kind,
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

// The messages listed under the input; diagnosticCount says how many more there are.
const listed_diagnostics = 20;
// A line shown in a message is cut after so many characters: it may be megabytes long.
const shown_characters = 200;

// A message in the page's words; a name that it quotes shows its blanks.
function diagnostic_text(d) {
  const quoted = d.name ?? d.text;
  let text = quoted.length > shown_characters ? `${quoted.slice(0, shown_characters)}…` : quoted;
  if (d.name !== null) text = visible_blanks(text);
  const said = word('diagnostic', d.kind, text) ?? `${d.kind}: ${text}`;
  return d.line > 0 ? word('atLine', d.line) + said : said;
}

// Selects line n (from 1) of the text box and scrolls it into view, for the person to edit.
function select_line(n) {
  const box = $('#input');
  const text = box.value;
  let start = 0;
  for (let k = 1; k < n && start < text.length; ++k) {
    const newline = text.indexOf('\n', start);
    start = newline === -1 ? text.length : newline + 1;
  }
  const end = text.indexOf('\n', start);
  box.focus();
  box.setSelectionRange(start, end === -1 ? text.length : end);
  // A selection set by script does not scroll the box in every browser: the lines above, at the
  // box's line height, bring it near the middle (wrapped lines make that approximate).
  const height = parseFloat(getComputedStyle(box).lineHeight);
  box.scrollTop = Math.max(0, (n - 1) * height - box.clientHeight / 2);
}

// The run's messages about the input, each with its line; one with a line selects it in the text
// box when clicked. A large file's card has no text to select in: the line number says where.
function render_warnings(r) {
  const box = $('#warnings');
  const all = r.error === undefined ? r.diagnostics : [];
  const shown = all.slice(0, listed_diagnostics);
  box.hidden = shown.length === 0;
  if (box.hidden) return;
  const selectable = !$('#input').hidden;
  const list = element('ul');
  for (const d of shown) {
    const text = diagnostic_text(d);
    const item = selectable && d.line > 0 ? button(text, () => select_line(d.line)) :
                                            element('span', text);
    item.className = 'diagnostic';
    list.append(element('li', null, item));
  }
  box.replaceChildren(element('p', word(selectable ? 'warnings' : 'warningsOfFile')), list);
  if (r.diagnosticCount > shown.length) {
    box.append(note(word('warningsMore', r.diagnosticCount - shown.length)));
  }
  if (shown.some((d) => d.name !== null && /[ \t]/.test(d.name))) {
    box.append(note(word('blankMarks')));
  }
}

// The offer of the tidy-up: the rewritten input, its changed lines marked with what changed, and a
// button that replaces the input with it, acting while the offer is for the input on screen.
function render_tidy(tidy, current, card, apply) {
  const box = $('#tidy');
  box.hidden = tidy === null;
  if (box.hidden) return;
  const {rows, whole, complete, lines} = tidy.result;
  const head = element('tr');
  for (const key of ['tidyLine', 'tidyNew', 'tidyChange']) {
    const th = element('th', word(key));
    th.scope = 'col';
    head.append(th);
  }
  const body = element('tbody');
  for (const row of rows) {
    const number = element('th', String(row.line));
    number.scope = 'row';
    const text = element('td');
    // A dropped line of blanks shows them, and a dropped empty line says so.
    const blank = row.dropped && row.text.trim() === '';
    const shown = blank ? visible_blanks(row.text) || word('tidyEmpty') : row.text;
    text.append(row.dropped ? element('del', shown) : shown);
    const change = row.kinds ? row.kinds.map((kind) => word('rewrite', kind, row.dropped)) : [];
    const line = element('tr', null, number, text, element('td', change.join('; ')));
    if (row.kinds) line.className = 'rewritten';
    body.append(line);
  }
  const table = element('table', null, element('thead', null, head), body);
  table.className = 'tidy-lines';
  const lines_box = scroll_box(element('div', null, table), word('tidyText'));
  lines_box.className = 'table-box tidy-box';
  const button_node = button(word('tidyApply'), apply);
  button_node.id = 'tidy-apply';
  button_node.className = 'primary';
  set_enabled(button_node, current);
  box.replaceChildren(element('p', word('tidyTitle', lines)), lines_box);
  if (!whole) box.append(note(word('tidyChangedOnly')));
  if (!complete) box.append(note(word('tidyCut')));
  const actions = element('div', null, button_node, note(word(card ? 'tidyFile' : 'tidyUndo')));
  actions.className = 'actions';
  box.append(actions);
}

// The engine rewrites the usual notations (blanks around names, comments, textbook letters...)
// into the input format; the page shows the rewritten lines and replaces the input only when
// asked to. It asks the engine once typing pauses, so that the offer follows the text.
const tidy_delay = 300;

const encoder = new TextEncoder();

// The section, which page reaches it through: page.run() runs the input on screen,
// page.input_changed() hears every change of it, page.tidy_changed() every new offer of the
// tidy-up, and page.tidy(bytes) asks the engine for one.
function input_section(page) {
  let file_bytes = null;  // the opened file's bytes, until the text is edited
  let file_name = 'input.txt';  // the name that messages give the input
  let version = 0;  // counts the changes of the input, so that an answer knows its input
  let tidy = null;  // the tidy-up's answer, {version, result}, for the input it was asked for
  let tidy_timer = 0;
  let warned = null;  // the answer whose messages are drawn
  let printed = null;  // the input that the answer on screen belongs to, until it is printed

  const card_shown = () => !$('#file-card').hidden;

  // The input's bytes as they run: the opened file's, or the text box's as UTF-8.
  const bytes = () => (file_bytes !== null ? file_bytes : encoder.encode($('#input').value));

  const draw_tidy = () =>
    render_tidy(tidy, tidy !== null && tidy.version === version, card_shown(), apply_tidy);

  // Called by every change of the input: the offer shown stops acting until it is asked anew.
  const changed = () => {
    ++version;
    const apply = $('#tidy-apply');
    if (apply) set_enabled(apply, false);
    clearTimeout(tidy_timer);
    tidy_timer = setTimeout(async () => {
      const asked = version;
      let result = null;
      try {
        result = await page.tidy(bytes());
      } catch {
        // No offer, then: the run says what went wrong with the input.
      }
      if (asked !== version) return;
      // Bytes that change nothing are not kept: they may be a copy of a 50 MB file.
      tidy = result !== null && result.changes > 0 ? {version, result} : null;
      draw_tidy();
      page.tidy_changed();
    }, tidy_delay);
    page.input_changed();
  };

  // Puts bytes on screen as the input: in the text box, or for a large file on its card.
  const show_input = (data, name) => {
    file_bytes = data;
    file_name = name;
    const large = data.length > text_box_bytes || lines_in(data) > text_box_lines;
    $('#input').hidden = large;
    $('#file-card').hidden = !large;
    if (large) {
      $('#file-name').textContent = name;
      $('#file-size').textContent = word('fileSize', data.length);
      const lines = decode(data, 4096).split('\n').slice(0, 8);
      $('#file-lines').textContent = lines.map((line) => line.slice(0, 200)).join('\n');
    } else {
      $('#input').value = decode(data);
    }
    changed();
  };

  // Replaces the input with bytes: in the text box as an edit that the browser can undo, and for a
  // large file's card by the bytes themselves.
  const replace = (data) => {
    if (card_shown()) {
      show_input(data, file_name);
      return;
    }
    const box = $('#input');
    const text = decode(data);
    box.focus();
    box.select();
    if (!document.execCommand('insertText', false, text)) {
      box.value = text;  // a browser without the command: no undo, but the same text
      box.dispatchEvent(new Event('input'));
    }
  };

  // Replaces the input with the rewritten one, while the offer is for the input on screen.
  function apply_tidy() {
    if (tidy === null || tidy.version !== version) return false;
    const card = card_shown();
    replace(tidy.result.bytes);
    if (card) $('#run').focus();
    return true;
  }

  // On paper the input that the answer belongs to stands above its verdict; the screen has it in
  // the text box. Its text is made when printing starts: a megabyte of it costs the page a pause.
  const fill_printed = () => {
    if (printed === null) return;
    show_text($('#printed-input-text'), $('#printed-input-note'), printed, 'printedCut');
    printed = null;
  };
  addEventListener('beforeprint', fill_printed);
  // Print media set by other means (a browser's developer tools, a test) announce no printing.
  matchMedia('print').addEventListener('change', (media) => {
    if (media.matches) fill_printed();
  });

  const open_file = async (file) => {
    if (!file) return;
    show_input(new Uint8Array(await file.arrayBuffer()), file.name);
    await page.run();
  };

  const load_example = (name, text) => {
    file_bytes = null;
    file_name = name;
    $('#input').value = text;
    $('#input').hidden = false;
    $('#file-card').hidden = true;
    changed();
  };

  const examples = $('#examples');
  for (const script of document.querySelectorAll('script[data-example]')) {
    examples.append(button(script.dataset.example, () => {
      load_example(script.dataset.example, script.textContent);
      page.run();
    }));
  }
  $('#input').addEventListener('input', () => {
    file_bytes = null;  // edited: the text is the input now
    changed();
  });
  $('#edit-file').onclick = () => {
    $('#input').value = decode(file_bytes);
    $('#input').hidden = false;
    $('#file-card').hidden = true;
    $('#input').focus();
    // The messages can select their lines now, and the offer is undone as an edit.
    if (warned !== null) render_warnings(warned);
    draw_tidy();
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
  return {
    // Puts the first example in the text box, once the page is ready to hear of the change.
    start() {
      const first = document.querySelector('script[data-example]');
      if (first) load_example(first.dataset.example, first.textContent);
    },
    bytes,
    name: () => file_name,
    version: () => version,
    replace,
    apply_tidy,
    // Whether the tidy-up offers a rewrite of the input on screen.
    tidy_offered: () => tidy !== null && tidy.version === version,
    // The section's words in the page's language: the file's size and the offer.
    render() {
      if (card_shown()) $('#file-size').textContent = word('fileSize', file_bytes.length);
      draw_tidy();
    },
    render_warnings(r) {
      warned = r;
      render_warnings(r);
    },
    // The input bytes that the answer on screen belongs to, for paper.
    render_printed(data) {
      printed = data;
      $('#printed-input-text').replaceChildren();
      $('#printed-input').hidden = false;
    },
  };
}
