// The counterexample of a lossy verdict: the final tableau read as a relation r, its projections
// onto the schemes, and the tuple of zeros that their join adds and r lacks.
'use strict';

add_words({
  hu: {
    counterexample: 'Ellenpélda',
    relation: 'A végső táblázat egy r reláció: minden függőséget kielégít, amelynek minden ' +
        'neve ismert, hiszen már semmi sem változtatható rajta.',
    projection: (names) => `r vetülete erre: ${names}`,
    projections: 'Minden vetületben megvan a séma csupa 0 sora (kiemelve), ezért a vetületek ' +
        'összekapcsolásában ott van ez a sor is:',
    joinTuple: 'A vetületek összekapcsolása tartalmazza, r viszont nem',
    conclusion: 'A felbontás tehát információt veszít: az összekapcsolás olyan sort ad, amely ' +
        'nem volt az eredeti relációban.',
  },
  en: {
    counterexample: 'Counterexample',
    relation: 'Read the final tableau as a relation r: it satisfies every dependency whose ' +
        'names are all known, since nothing in it can be chased any more.',
    projection: (names) => `r projected onto ${names}`,
    projections: 'Each projection holds its scheme\'s row of zeros (marked), so the join of the ' +
        'projections holds this tuple too:',
    joinTuple: 'In the join of the projections, not in r',
    conclusion: 'So the decomposition loses information: the join yields a tuple that was not ' +
        'in the original relation.',
  },
});

// A tableau too large to draw gives the reasoning and the tuple only; the trace holds r as the
// final tableau. Drawn in parts: r, then the projections a few at a time. The engine names, for
// each projection, its tuple of zeros.
function* render_counterexample(r) {
  const section = $('#counterexample');
  const body = $('#counterexample-body');
  body.replaceChildren();
  // Of a tableau with no rows there is nothing to show: the verdict says why it is lossy.
  section.hidden = r.error !== undefined || r.lossless !== false || no_rows(r);
  if (section.hidden) return;
  if (!r.counterexample) {
    body.append(note(word('tooLarge')));
    return;
  }
  const whole = drawn_whole(r);
  body.append(element('p', word('relation')));
  if (whole) {
    const every_row = Array.from({length: r.rows}, (_, k) => k + 1);
    body.append(tableau_table(r, 'r', all_columns(r), every_row,
                              (k, c) => symbol(r, r.final, k + 1, c)).node,
                element('p', word('projections')));
    const projections = element('div');
    projections.className = 'projections';
    body.append(projections);
    yield;
    // One projection per scheme: its columns and the rows of r that give its tuples.
    const {lists, zeros} = r.counterexample;
    for (let k = 0; k < zeros.length; ++k) {
      const columns = Array.from(list(lists, 2 * k));
      const rows = Array.from(list(lists, 2 * k + 1));
      const label = names_of(r, columns).join(', ');
      const {node, lines} = tableau_table(r, word('projection', label), columns, rows,
                                          (i, c) => symbol(r, r.final, rows[i], c));
      lines[zeros[k]].classList.add('zero-tuple');
      projections.append(node);
      if (k % 8 === 7) yield;
    }
  } else {
    body.append(note(word('tooLarge')), element('p', word('projections')));
  }
  const columns = whole ? all_columns(r) : drawn_columns(r, 1);
  const join = tableau_table(r, word('joinTuple'), columns, ['⋈'], () => '0');
  join.lines[0].classList.add('zero-tuple');
  body.append(join.node);
  if (columns.length < r.columns) {
    body.append(note(word('finalColumns', columns.length, r.columns)));
  }
  body.append(element('p', word('conclusion')));
}

function counterexample_section() {
  return {render: render_counterexample};
}
