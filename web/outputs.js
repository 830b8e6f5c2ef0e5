// The console's outputs: the trace, with a button that copies it, and the result file, with a
// button that downloads it.
'use strict';

add_words({
  hu: {
    trace: 'Nyomkövetés (a konzol kimenete)',
    copy: 'Másolás',
    copied: 'Másolva',
    result: 'Eredményfájl',
    download: 'Letöltés (eredmeny.txt)',
    noResult: 'Eredményfájl nem készül.',
    truncated: (shown, total) =>
        `Az első ${shown} karakter látszik a(z) ${total}-ből; a másolás a teljes szöveget viszi.`,
  },
  en: {
    trace: 'Trace (the console\'s output)',
    copy: 'Copy',
    copied: 'Copied',
    result: 'Result file',
    download: 'Download (eredmeny.txt)',
    noResult: 'No result file is written.',
    truncated: (shown, total) =>
        `The first ${shown} of ${total} characters are shown; Copy takes the whole text.`,
  },
});

// Texts longer than this are shown cut: a browser lays out megabytes of text slowly.
const shown_characters = 1 << 20;

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

function set_up_outputs() {
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
}
