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
// final tableau.
function render_counterexample() {
  const r = state.result;
  const section = $('#counterexample');
  const body = $('#counterexample-body');
  body.replaceChildren();
  section.hidden = r.error !== undefined || r.verdict !== 'nem vesztesegmentes';
  if (section.hidden) return;
  if (!r.counterexample) {
    body.append(note(word('tooLarge')));
    return;
  }
  const whole = drawn_whole();
  body.append(element('p', word('relation')));
  if (whole) {
    body.append(tableau_table('r', all_columns(), r.final).node,
        element('p', word('projections')));
    const projections = element('div');
    projections.className = 'projections';
    for (const scheme of r.counterexample) {
      const tuples = scheme.rows.map((row) => r.final[row - 1]);
      const label = names_of(scheme.columns).join(', ');
      const {node, lines} =
          tableau_table(word('projection', label), scheme.columns, tuples, scheme.rows);
      tuples.forEach((tuple, k) => {
        if (scheme.columns.every((c) => tuple[c] === '0')) lines[k].classList.add('zero-tuple');
      });
      projections.append(node);
    }
    body.append(projections);
  } else {
    body.append(note(word('tooLarge')), element('p', word('projections')));
  }
  const zeros = r.names.map(() => '0');
  const join = tableau_table(word('joinTuple'), all_columns(), [zeros], ['⋈']);
  join.lines[0].classList.add('zero-tuple');
  body.append(join.node, element('p', word('conclusion')));
}
