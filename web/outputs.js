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
    truncated: (shown, total) => `Az első ${number(shown)} bájt látszik ` +
        `${article(number(total))} ${number(total)}-ből; a másolás és a letöltés a teljes ` +
        'szöveget viszi.',
  },
  en: {
    trace: 'Trace (the console\'s output)',
    copy: 'Copy',
    copied: 'Copied',
    result: 'Result file',
    download: 'Download (eredmeny.txt)',
    noResult: 'No result file is written.',
    truncated: (shown, total) => `The first ${number(shown)} of ${number(total)} bytes are ` +
        'shown; Copy and Download take the whole text.',
  },
});

// Texts longer than this many bytes are shown cut: a browser lays out megabytes of text slowly.
const shown_bytes = 1 << 20;

// A long text is shown in blocks of lines, and a block off screen is not laid out (the style's
// content-visibility), so that a megabyte of short lines costs the page no more than one screen:
// laid out whole, 100 000 lines take a browser seconds. A line longer than a block is cut into
// blocks that wrap, so that they too stand one under the other and only the first is laid out.
const block_lines = 200;
const block_characters = 1 << 16;
const wrapped_line_characters = 100;

function fill_text(pre, text) {
  const blocks = [];
  for (let at = 0, end = 0; at < text.length; at = end) {
    let lines = 0;
    while (end < text.length && lines < block_lines) {
      const newline = text.indexOf('\n', end);
      end = newline === -1 ? text.length : newline + 1;
      ++lines;
    }
    let wrapped = false;
    if (end - at > block_characters) {
      const newline = text.lastIndexOf('\n', at + block_characters - 1);
      wrapped = newline < at;
      end = wrapped ? at + block_characters : newline + 1;
    }
    const block = element('div', text.slice(at, end));
    block.className = wrapped ? 'text-block wrapped' : 'text-block';
    if (wrapped) lines = Math.ceil((end - at) / wrapped_line_characters);
    block.style.setProperty('--lines', String(lines));
    blocks.push(block);
  }
  pre.replaceChildren(...blocks);
}

// Shows bytes as text in a <pre>, cut when they are many; the note says so.
function show_text(pre, note, bytes) {
  fill_text(pre, decode(bytes, shown_bytes));
  note.hidden = bytes.length <= shown_bytes;
  note.textContent = note.hidden ? '' : word('truncated', shown_bytes, bytes.length);
}

// Drawn in two parts, the trace and the result file.
function* render_outputs() {
  const r = state.result;
  $('#trace').hidden = $('#result').hidden = true;
  if (r.error !== undefined) return;
  show_text($('#trace-text'), $('#trace-note'), r.stdout);
  $('#trace').hidden = false;
  yield;
  $('#result').hidden = false;
  if (r.result === null) {
    $('#result-text').textContent = word('noResult');
    $('#result-note').hidden = true;
  } else {
    show_text($('#result-text'), $('#result-note'), r.result);
  }
  set_enabled($('#download-result'), r.result !== null);
}

function set_up_outputs() {
  scroll_box($('#trace-text'));
  scroll_box($('#result-text'));
  const copy = $('#copy-trace');
  copy.onclick = async () => {
    // As a blob the text reaches the clipboard without being decoded on the page's thread.
    const blob = new Blob([state.result.stdout], {type: 'text/plain'});
    if (typeof ClipboardItem === 'function') {
      await navigator.clipboard.write([new ClipboardItem({'text/plain': blob})]);
    } else {
      await navigator.clipboard.writeText(await blob.text());
    }
    copy.textContent = word('copied');
    setTimeout(() => (copy.textContent = word('copy')), 1500);
  };
  $('#download-result').onclick = () => {
    if ($('#download-result').getAttribute('aria-disabled') === 'true') return;
    const url = URL.createObjectURL(new Blob([state.result.result], {type: 'text/plain'}));
    const link = element('a');
    link.href = url;
    link.download = 'eredmeny.txt';
    link.click();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  };
}
