// The console's outputs: the trace, with a button that copies it, and the result file, with a
// button that downloads it. The result file ends with the console's own verdict, in its Hungarian
// words without accents; the page names it here, where that file is shown.
'use strict';

add_words({
  hu: {
    trace: 'Nyomkövetés (a konzol kimenete)',
    copy: 'Másolás',
    copied: 'Másolva',
    result: 'Eredményfájl',
    download: 'Letöltés (eredmeny.txt)',
    noResult: 'Eredményfájl nem készül.',
    resultVerdict: (verdict) => `Az eredményfájl utolsó sora a konzol ítélete: „${verdict}”.`,
  },
  en: {
    trace: 'Trace (the console\'s output)',
    copy: 'Copy',
    copied: 'Copied',
    result: 'Result file',
    download: 'Download (eredmeny.txt)',
    noResult: 'No result file is written.',
    resultVerdict: (verdict) => 'The result file ends with the console tool\'s verdict, in ' +
        `Hungarian: “${verdict}”.`,
  },
});

// Drawn in two parts, the trace and the result file.
function* render_outputs(r) {
  $('#trace').hidden = $('#result').hidden = true;
  if (r.error !== undefined) return;
  show_text($('#trace-text'), $('#trace-note'), r.stdout);
  $('#trace').hidden = false;
  yield;
  $('#result').hidden = false;
  const verdict = $('#result-verdict');
  verdict.hidden = r.lossless === null;
  verdict.textContent = verdict.hidden ? '' : word('resultVerdict', r.verdict);
  if (r.result === null) {
    $('#result-text').textContent = word('noResult');
    $('#result-note').hidden = true;
  } else {
    show_text($('#result-text'), $('#result-note'), r.result);
  }
  set_enabled($('#download-result'), r.result !== null);
}

// The section; copy and download take the outputs of the answer drawn last.
function outputs_section() {
  let drawn = null;
  scroll_box($('#trace-text'));
  scroll_box($('#result-text'));
  const copy = $('#copy-trace');
  copy.onclick = async () => {
    if (drawn === null) return;
    // As a blob the text reaches the clipboard without being decoded on the page's thread.
    const blob = new Blob([drawn.stdout], {type: 'text/plain'});
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
    const url = URL.createObjectURL(new Blob([drawn.result], {type: 'text/plain'}));
    const link = element('a');
    link.href = url;
    link.download = 'eredmeny.txt';
    link.click();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  };
  return {
    render(r) {
      drawn = r;
      return render_outputs(r);
    },
  };
}
