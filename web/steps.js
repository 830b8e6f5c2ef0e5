// The verdict and the chase step by step: the banner, the stepper over the recorded steps with the
// cells of the current step marked, and the final tableau with its rows of zeros. Each render
// function takes the run's answer that it draws.
'use strict';

add_words({
  hu: {
    // The console's own word, which the result file ends with, beside the page's.
    verdict: (lossless, console_word) =>
      `${lossless ? 'Veszteségmentes' : 'Nem veszteségmentes'} (${console_word})`,
    losslessWhy: 'A táblázatban van csupa 0 sor.',
    lossyWhy: 'A táblázatban nincs csupa 0 sor: lent az ellenpélda.',
    noSchemes: 'A bemenet egy sémát sem ad meg, így a táblázatnak nincs sora, csupa 0 sora sem.',
    stale: 'Ez az eredmény a korábbi bemenethez tartozik; a Futtatás frissíti.',
    caveat: (n) => 'Az ítélet a bemenetre úgy vonatkozik, ahogy az oldal beolvasta; ' +
        `${number(n)} figyelmeztetés szerint ez eltérhet attól, amit a bemenet írója gondolt ` +
        '(lásd a bemenet alatt).',
    caveatRefused: (n) => `Az ok a bemenet alatt: ${number(n)} figyelmeztetés.`,
    refused: (code) => `Nem futott le (kilépési kód: ${code})`,
    engineError: 'A motor hibával leállt:',
    steps: 'A táblázat lépésről lépésre',
    previous: '‹ Előző',
    next: 'Következő ›',
    slider: 'Lépés',
    stepTable: 'A táblázat az aktuális lépésnél',
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
    finalZero: (rows) => (rows > 1 ? 'A kiemelt sorok csupa 0.' : 'A kiemelt sor csupa 0.'),
    finalColumns: (shown, total) => `Az első ${number(shown)} oszlop látszik ` +
        `${article(number(total))} ${number(total)}-ből.`,
    focus: 'A táblázat túl nagy ahhoz, hogy egészében megjelenjen: minden lépésnél csak az ' +
        'egyező sorok, a megváltozott sorok és az érintett oszlopok látszanak.',
    finalFocus: 'Csak a csupa 0 sorok látszanak; a teljes táblázat a nyomkövetés végén van.',
  },
  en: {
    // The console's Hungarian word stands where the result file is shown.
    verdict: (lossless) => (lossless ? 'Lossless' : 'Not lossless'),
    losslessWhy: 'The tableau has a row of zeros.',
    lossyWhy: 'The tableau has no row of zeros: see the counterexample below.',
    noSchemes: 'The input names no scheme, so the tableau has no rows, and no row of zeros.',
    stale: 'This result belongs to the earlier input; Run brings it up to date.',
    caveat: (n) => 'The verdict is for the input as it was read; ' +
        `${number(n)} ${n === 1 ? 'warning says' : 'warnings say'} that this may differ from ` +
        'what was meant (see under the input).',
    caveatRefused: (n) => `The reason is under the input: ${number(n)} ` +
        `${n === 1 ? 'warning' : 'warnings'}.`,
    refused: (code) => `No run (exit code ${code})`,
    engineError: 'The engine stopped with an error:',
    steps: 'The tableau step by step',
    previous: '‹ Previous',
    next: 'Next ›',
    slider: 'Step',
    stepTable: 'The tableau at the current step',
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
    finalZero: (rows) => (rows > 1 ? 'The marked rows are all zeros.' :
                                     'The marked row is all zeros.'),
    finalColumns: (shown, total) =>
        `The first ${number(shown)} of ${number(total)} columns are shown.`,
    focus: 'The tableau is too large to draw whole: each step shows the agreeing rows, the ' +
        'changed rows and the columns the step is about.',
    finalFocus: 'Only the rows of zeros are shown; the trace ends with the whole tableau.',
  },
});

function dependency_text(r, k) {
  const {left, right} = dependency(r, k);
  return `${names_of(r, left).join(',')} -> ${names_of(r, right).join(',')}`;
}

// The banner, which takes the focus after a run, so that the keyboard and a screen reader go on
// from the answer; stale when the input changed since.
function render_verdict(r, stale) {
  const banner = $('#verdict');
  banner.hidden = false;
  banner.replaceChildren();
  if (r.error !== undefined) {
    banner.className = 'refused';
    banner.append(element('span', word('engineError')), element('small', r.error));
  } else if (r.lossless === null) {
    banner.className = 'refused';
    banner.append(element('span', word('refused', r.exitCode)));
  } else {
    const why = r.lossless ? 'losslessWhy' : no_rows(r) ? 'noSchemes' : 'lossyWhy';
    banner.className = r.lossless ? 'lossless' : 'lossy';
    banner.append(element('span', word('verdict', r.lossless, r.verdict)),
                  element('small', word(why)));
  }
  // Any message about the input means it may have been read otherwise than it was meant.
  if (r.error === undefined && r.diagnosticCount > 0) {
    const caveat = element('small', word(r.lossless === null ? 'caveatRefused' : 'caveat',
                                         r.diagnosticCount));
    caveat.id = 'verdict-caveat';
    banner.append(caveat);
  }
  if (stale) banner.append(element('small', word('stale')));
}

// The stepper: the tableau after the first `position` steps, the cells of the last step marked. A
// tableau too large to draw whole shows, for each step, the rows and columns the step is about.
// Drawn in two parts, the stepper and the final tableau; moved tells the position stepped to.
function* render_steps(r, position, moved) {
  const section = $('#steps');
  const body = $('#steps-body');
  body.replaceChildren();
  section.hidden = r.error !== undefined || r.lossless === null;
  if (section.hidden) return;
  if (!r.shown) {
    body.append(element('p', word('tooLarge')));
    return;
  }
  if (no_rows(r)) {
    body.append(element('p', word('noSchemes')));
    return;
  }
  const steps = step_count(r);
  const whole = drawn_whole(r);
  const symbols = r.initial.slice();
  const every_row = Array.from({length: r.rows}, (_, k) => k + 1);
  const drawn = whole ?
      tableau_table(r, null, all_columns(r), every_row, (k, c) => symbol(r, symbols, k + 1, c)) :
      null;
  const focus = scroll_box(element('div'), word('stepTable'));
  focus.className = 'table-box';
  if (drawn) focus.append(drawn.table);
  const previous = button(word('previous'), () => go(at - 1));
  const next = button(word('next'), () => go(at + 1));
  const slider = element('input');
  Object.assign(slider, {type: 'range', min: 0, max: steps, step: 1, value: 0});
  slider.setAttribute('aria-label', word('slider'));
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

  let at = 0;
  let marked = [];
  const apply = (s, value) => {
    for (const row of s.cells) {
      symbols[(row - 1) * r.columns + s.column] = value;
      if (drawn) drawn.cells[row - 1][s.column].textContent = String(value);
    }
  };
  // Marks the step's rows and changed cells in a table whose i-th shown column is columns[i].
  const mark = (s, table, rows_shown, columns) => {
    const column = columns.indexOf(s.column);
    rows_shown.forEach((row, k) => {
      if (s.rows.includes(row)) marked.push(table.lines[k]);
      if (s.cells.includes(row)) marked.push(table.cells[k][column]);
    });
    marked.forEach((node) => node.classList.add(node.tagName === 'TR' ? 'agree' : 'changed'));
  };
  const go = (target) => {
    target = Math.max(0, Math.min(steps, target));
    while (at < target) {
      const s = step(r, at++);
      apply(s, s.to);
    }
    while (at > target) {
      const s = step(r, --at);
      apply(s, s.from);
    }
    moved(at);
    for (const node of marked) node.classList.remove('changed', 'agree');
    marked = [];
    count.textContent = word('position', at, steps);
    if (!whole) focus.replaceChildren();
    if (at === 0) {
      words_line.replaceChildren(count, ' ', steps === 0 ? word('noSteps') : word('start'));
    } else {
      const s = step(r, at - 1);
      const left = Array.from(dependency(r, s.dependency).left);
      if (drawn) {
        mark(s, drawn, every_row, all_columns(r));
      } else {
        const columns = [...new Set([...left, s.column])];
        const rows = [...new Set([...s.rows, ...s.cells])].sort((a, b) => a - b).slice(0, 50);
        const table =
            tableau_table(r, null, columns, rows, (k, c) => symbol(r, symbols, rows[k], c));
        mark(s, table, rows, columns);
        focus.append(table.table);
      }
      words_line.replaceChildren(count, ' ', word('step', {
        pass: s.pass,
        dependency: dependency_text(r, s.dependency),
        i: s.rows[0],
        j: s.rows[1],
        left: names_of(r, left),
        column: name(r, s.column),
        from: String(s.from),
        to: String(s.to),
        cells: Array.from(s.cells),
      }));
    }
    slider.value = at;
    set_enabled(previous, at > 0);
    set_enabled(next, at < steps);
  };
  slider.oninput = () => go(Number(slider.value));
  go(Math.min(position, steps));
  yield;

  // The final tableau, its rows of zeros marked; too large to draw, only those rows, and of a
  // scheme of thousands of names only the first columns.
  const zero = new Set(r.distinguished);
  const rows = whole ? every_row : Array.from(r.distinguished.subarray(0, 20));
  const columns = whole ? all_columns(r) : drawn_columns(r, rows.length);
  const final = tableau_table(r, zero.size > 0 ? word('finalZero', zero.size) : null, columns,
      rows, (k, c) => symbol(r, r.final, rows[k], c), word('final'));
  final.lines.forEach((line, k) => {
    if (zero.has(rows[k])) line.classList.add('zero-row');
  });
  final.table.id = 'final-tableau';
  body.append(element('h3', word('final')));
  if (!whole) body.append(note(word('finalFocus')));
  if (rows.length > 0) body.append(final.node);
  if (rows.length > 0 && columns.length < r.columns) {
    body.append(note(word('finalColumns', columns.length, r.columns)));
  }
}

// The section. The stepper keeps its position while the same answer is drawn again, in the other
// language say, and starts at 0 for a new one.
function steps_section() {
  let stepped = {answer: null, position: 0};
  // The stepper answers the arrow keys while the focus is inside it.
  $('#steps').addEventListener('keydown', (event) => {
    if (event.target.type === 'range') return;  // the slider moves by itself
    if (event.key === 'ArrowLeft') $('#step-previous')?.click();
    if (event.key === 'ArrowRight') $('#step-next')?.click();
  });
  return {
    render_verdict,
    render_steps(r) {
      if (stepped.answer !== r) stepped = {answer: r, position: 0};
      const at = stepped;
      return render_steps(r, at.position, (position) => (at.position = position));
    },
  };
}
