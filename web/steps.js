// The verdict and the chase step by step: the banner, the stepper over the recorded steps with the
// cells of the current step marked, and the final tableau with its rows of zeros.
'use strict';

add_words({
  hu: {
    lossless: 'Veszteségmentes',
    lossy: 'Nem veszteségmentes',
    losslessWhy: 'A táblázatban van csupa 0 sor.',
    lossyWhy: 'A táblázatban nincs csupa 0 sor: lent az ellenpélda.',
    refused: (code) => `Nem futott le (kilépési kód: ${code})`,
    engineError: 'A motor hibával leállt:',
    steps: 'A táblázat lépésről lépésre',
    previous: '‹ Előző',
    next: 'Következő ›',
    slider: 'Lépés',
    position: (k, n) => `${k}/${n}. lépés`,
    start: 'Kiinduló táblázat: sémánként egy sor, 0 ott, ahol a séma tartalmazza az oszlop ' +
        'attribútumát, máshol a sor száma.',
    noSteps: 'A függőségek semmit sem változtatnak a táblázaton.',
    incomplete: 'A lépések listája hiányos: a felvétel kb. egy másodpercnyi munka után ' +
        'leállt. A végső táblázat és az ítélet ettől még teljes.',
    step: (s) => {
      const cells = s.cells.map((r) => `${r}.`);
      const rowList = cells.length === 1 ? cells[0] :
          `${cells.slice(0, -1).join(', ')} és ${cells[cells.length - 1]}`;
      const left = s.left.length === 0 ?
          'üres bal oldal mellett' :
          `${article(s.left[0])} ${s.left.join(', ')} ${s.left.length > 1 ? 'oszlopokban' : 'oszlopban'}`;
      return `${s.pass}. kör, ${s.dependency}: ${article(String(s.i))} ${s.i}. és ` +
          `${article(String(s.j))} ${s.j}. sor egyezik ${left}, ezért ${article(s.column)} ` +
          `${s.column} oszlopban ${article(s.from)} ${s.from} helyére ${s.to} kerül ` +
          `(${rowList} sor).`;
    },
    final: 'Végső táblázat',
    finalZero: 'A kiemelt sor csupa 0.',
    focus: 'A táblázat túl nagy ahhoz, hogy egészében megjelenjen: minden lépésnél csak az ' +
        'egyező sorok, a megváltozott sorok és az érintett oszlopok látszanak.',
    finalFocus: 'Csak a csupa 0 sorok látszanak; a teljes táblázat a nyomkövetés végén van.',
  },
  en: {
    lossless: 'Lossless',
    lossy: 'Not lossless',
    losslessWhy: 'The tableau has a row of zeros.',
    lossyWhy: 'The tableau has no row of zeros: see the counterexample below.',
    refused: (code) => `No run (exit code ${code})`,
    engineError: 'The engine stopped with an error:',
    steps: 'The tableau step by step',
    previous: '‹ Previous',
    next: 'Next ›',
    slider: 'Step',
    position: (k, n) => `Step ${k} of ${n}`,
    start: 'The initial tableau: one row per scheme, 0 where the scheme has the column\'s ' +
        'attribute, the row\'s number elsewhere.',
    noSteps: 'The dependencies change nothing in the tableau.',
    incomplete: 'The list of steps is incomplete: recording stopped after about a second of ' +
        'work. The final tableau and the verdict are complete all the same.',
    step: (s) => {
      const rows = s.cells.length === 1 ? `row ${s.cells[0]}` :
          `rows ${s.cells.slice(0, -1).join(', ')} and ${s.cells[s.cells.length - 1]}`;
      const left = s.left.length === 0 ? 'an empty left side' : s.left.join(', ');
      return `Pass ${s.pass}, ${s.dependency}: rows ${s.i} and ${s.j} agree on ${left}, so in ` +
          `column ${s.column} ${s.from} becomes ${s.to} (${rows}).`;
    },
    final: 'Final tableau',
    finalZero: 'The marked row is all zeros.',
    focus: 'The tableau is too large to draw whole: each step shows the agreeing rows, the ' +
        'changed rows and the columns the step is about.',
    finalFocus: 'Only the rows of zeros are shown; the trace ends with the whole tableau.',
  },
});

function dependency_text(index) {
  const d = state.result.dependencies[index];
  return `${names_of(d.left).join(',')} -> ${names_of(d.right).join(',')}`;
}

function render_verdict() {
  const r = state.result;
  const banner = $('#verdict');
  banner.hidden = false;
  banner.replaceChildren();
  if (r.error !== undefined) {
    banner.className = 'refused';
    banner.append(element('span', word('engineError')), element('small', r.error));
    return;
  }
  if (r.verdict === '') {
    banner.className = 'refused';
    banner.append(element('span', word('refused', r.exitCode)));
    return;
  }
  const lossless = r.verdict === 'vesztesegmentes';
  banner.className = lossless ? 'lossless' : 'lossy';
  banner.append(element('span', `${word(lossless ? 'lossless' : 'lossy')} (${r.verdict})`),
      element('small', word(lossless ? 'losslessWhy' : 'lossyWhy')));
}

// The stepper: the tableau after the first `position` steps, the cells of the last step marked. A
// tableau too large to draw whole shows, for each step, the rows and columns the step is about.
function render_steps() {
  const r = state.result;
  const section = $('#steps');
  const body = $('#steps-body');
  body.replaceChildren();
  section.hidden = r.error !== undefined || r.verdict === '';
  if (section.hidden) return;
  if (!r.shown) {
    body.append(element('p', word('tooLarge')));
    return;
  }
  const steps = r.steps;
  const whole = drawn_whole();
  const symbols = r.initial.map((row) => row.slice());
  const drawn = whole ? tableau_table(null, all_columns(), symbols) : null;
  const focus = element('div');
  focus.className = 'table-box';
  if (drawn) focus.append(drawn.table);
  const previous = element('button', word('previous'));
  const next = element('button', word('next'));
  const slider = element('input');
  Object.assign(slider, {type: 'range', min: 0, max: steps.length, step: 1, value: 0});
  slider.setAttribute('aria-label', word('slider'));
  previous.type = next.type = 'button';
  previous.id = 'step-previous';
  next.id = 'step-next';
  slider.id = 'step-slider';
  const count = element('span');
  count.className = 'count';
  const words_line = element('p');
  words_line.className = 'step-words';
  words_line.setAttribute('aria-live', 'polite');
  const controls = element('div', null, previous, slider, next);
  controls.className = 'stepper';
  body.append(controls, words_line, focus);
  if (!whole) body.append(note(word('focus')));
  if (!r.stepsComplete) body.append(note(word('incomplete')));

  let position = 0;
  let marked = [];
  const apply = (s, symbol) => {
    for (const row of s.cells) {
      symbols[row - 1][s.column] = s[symbol];
      if (drawn) drawn.cells[row - 1][s.column].textContent = s[symbol];
    }
  };
  // Marks the step's rows and changed cells in a table whose k-th shown column is columns[k].
  const mark = (s, table, rows_shown, columns) => {
    const at = columns.indexOf(s.column);
    rows_shown.forEach((row, k) => {
      if (s.rows.includes(row)) marked.push(table.lines[k]);
      if (s.cells.includes(row)) marked.push(table.cells[k][at]);
    });
    marked.forEach((node) => node.classList.add(node.tagName === 'TR' ? 'agree' : 'changed'));
  };
  const go = (target) => {
    target = Math.max(0, Math.min(steps.length, target));
    while (position < target) apply(steps[position++], 'to');
    while (position > target) apply(steps[--position], 'from');
    state.position = position;
    for (const node of marked) node.classList.remove('changed', 'agree');
    marked = [];
    count.textContent = word('position', position, steps.length);
    if (!whole) focus.replaceChildren();
    if (position === 0) {
      words_line.replaceChildren(count, ' ', steps.length === 0 ? word('noSteps') : word('start'));
    } else {
      const s = steps[position - 1];
      const left = r.dependencies[s.dependency].left;
      if (drawn) {
        mark(s, drawn, symbols.map((_, k) => k + 1), all_columns());
      } else {
        const columns = [...new Set([...left, s.column])];
        const rows = [...new Set([...s.rows, ...s.cells])].sort((a, b) => a - b).slice(0, 50);
        const table = tableau_table(null, columns, rows.map((row) => symbols[row - 1]), rows);
        mark(s, table, rows, columns);
        focus.append(table.table);
      }
      words_line.replaceChildren(count, ' ', word('step', {
        pass: s.pass,
        dependency: dependency_text(s.dependency),
        i: s.rows[0],
        j: s.rows[1],
        left: names_of(left),
        column: r.names[s.column],
        from: s.from,
        to: s.to,
        cells: s.cells,
      }));
    }
    slider.value = position;
    previous.disabled = position === 0;
    next.disabled = position === steps.length;
  };
  previous.onclick = () => go(position - 1);
  next.onclick = () => go(position + 1);
  slider.oninput = () => go(Number(slider.value));
  go(Math.min(state.position, steps.length));

  // The final tableau, its rows of zeros marked; too large to draw, only those rows.
  const zero = new Set(r.distinguished);
  const rows = whole ? r.final.map((_, k) => k + 1) : r.distinguished.slice(0, 20);
  const final = tableau_table(zero.size > 0 ? word('finalZero') : null, all_columns(),
      rows.map((row) => r.final[row - 1]), rows);
  final.lines.forEach((line, k) => {
    if (zero.has(rows[k])) line.classList.add('zero-row');
  });
  final.table.id = 'final-tableau';
  body.append(element('h3', word('final')));
  if (!whole) body.append(note(word('finalFocus')));
  if (rows.length > 0) body.append(final.node);
}

function set_up_steps() {
  // The stepper answers the arrow keys while the focus is inside it.
  $('#steps').addEventListener('keydown', (event) => {
    if (event.target.type === 'range') return;  // the slider moves by itself
    if (event.key === 'ArrowLeft') $('#step-previous')?.click();
    if (event.key === 'ArrowRight') $('#step-next')?.click();
  });
}
