// Design mode below the counterexample: from R and the dependencies F, a minimal cover, a 3NF
// synthesis and a BCNF decomposition, each step with the closure that proves it, and what the
// chase and the check say of each decomposition. Every result and every reason comes from the
// engine (the object of `lossless --design`, its lists cut to their start by the worker); this
// only words them. The design runs after the check: until it ends, the section says so and offers
// to stop it. A part that its work budget cut says "not decided", never a guess.
'use strict';

add_words({
  hu: {
    design: 'Tervezés',
    designIntro: (relation) => `R = ${relation} és a bemenet függőségei (F) alapján, a ` +
        'bemenet felbontásától függetlenül: minimális fedés, 3NF szintézis és BCNF-felbontás.',
    designIncomplete: 'Nem minden rész készült el: ahol a tervezés kifutott a munkakeretéből, ' +
        'az a rész ezt jelzi, és csak azt állítja, amit biztosan tud.',
    designNoAttributes: 'A bemenet egy attribútumot sem ad meg, így nincs mit tervezni.',
    designCaveat: 'A tervezés is a bemenetre úgy vonatkozik, ahogy az oldal beolvasta: a ' +
        'függőségekben ismeretlen név áll (lásd a vizsgálat elején).',
    designWaiting: 'A tervezés a vizsgálat után indul.',
    designing: 'A tervezés fut…',
    designProgress: 'A tervezés készültsége',
    designStop: 'A tervezés leállítása',
    designStopped: 'A tervezést leállította; az ítélet, a lépések és a vizsgálat ettől még ' +
        'teljesek.',
    designRestart: 'A tervezés újraindítása',
    designHeld: 'A tervezés a vizsgálat után indul, a vizsgálatot pedig leállította.',
    designStart: 'A tervezés indítása',
    designDropped: 'A tervezés leállt, mert a bemenet megváltozott; a Futtatás újra elvégzi.',
    designFailed: 'A tervezés hibával leállt:',

    coverTitle: 'Minimális fedés',
    coverDefinition: 'F minimális fedése olyan, F-fel ekvivalens G függőséghalmaz (G⁺ = F⁺), ' +
        'amelyben minden jobb oldal egyetlen attribútum, egyik bal oldalon sincs fölösleges ' +
        '(extraneous) attribútum, és nincs redundáns függőség. Az A ∈ X attribútum fölösleges ' +
        'az X -> B függőségben, ha B ∈ (X − {A})⁺; X -> B redundáns függőség, ha a többi ' +
        'függőség szerinti X⁺ tartalmazza B-t. A lépések sorrendje: a jobb oldalak szétbontása, ' +
        'a triviális függőségek (B ∈ X) elhagyása, a bal oldalak szűkítése, végül a redundáns ' +
        'függőségek elhagyása; fordított sorrendben redundáns függőség maradhatna.',
    coverResult: (n) => `A minimális fedés (${number(n)} függőség):`,
    coverEmpty: 'A minimális fedés üres: F-ből csak triviális függőség következik.',
    coverUndecided: 'A minimális fedés nem készült el a munkakereten belül. Lent az addig ' +
        'megtett lépések.',
    coverSteps: 'A jobb oldalak egy-egy attribútumra bontása után, sorrendben:',
    coverNoSteps: 'A jobb oldalak egy-egy attribútumra bontása után egyik függőség sem ' +
        'triviális, egyik bal oldalon sincs fölösleges (extraneous) attribútum, és egyik ' +
        'függőség sem redundáns.',
    trivial: (d, a) => `${d} triviális: ${article(a)} ${a} a bal oldalán is áll, ezért elhagyható.`,
    extraneous: (d, a, rest, closure, b) => `${d}: ${article(a)} ${a} fölösleges (extraneous) ` +
        `attribútum, mert ${rest}⁺ = ${closure} tartalmazza ${b}-t.`,
    redundant: (d, x, closure, b) => `${d} redundáns függőség: a többi függőséggel ${x}⁺ = ` +
        `${closure} tartalmazza ${b}-t, ezért elhagyható.`,

    synthesisTitle: '3NF szintézis',
    synthesisDefinition: 'A 3NF szintézis (Bernstein, 1976; Biskup, Dayal és Bernstein, 1979) ' +
        'a minimális fedés minden X bal oldalához egy sémát ad: X-et és az X bal oldalú ' +
        'függőségek jobb oldalait. Az a séma, amelyet egy másik tartalmaz, elhagyható; ha egyik ' +
        'séma sem tartalmazza R egy kulcsát, R egy K kulcsa (K⁺ = R) külön sémaként adódik ' +
        'hozzá. Az eredmény veszteségmentes, függőségőrző, és minden sémája harmadik ' +
        'normálformában (3NF) van. Az oldal ezt nem feltételezi: a táblázatos módszer (chase) ' +
        'és a felbontás vizsgálata ellenőrzi.',
    synthesisUndecided: 'A szintézis nem készült el a munkakereten belül (a minimális fedés ' +
        'nélkül el sem indul).',
    schemeFrom: (s, fds, n) =>
      `${s}: a fedés ${fds} ${n === 1 ? 'függőségéből' : 'függőségeiből'}.`,
    contained: (s, t) => `${s} elhagyható, mert ${t} tartalmazza.`,
    keyScheme: (s, closure) => 'Egyik séma sem tartalmazza R egy kulcsát, ezért R egy kulcsa ' +
        `külön sémaként adódik hozzá: ${s}⁺ = ${closure} = R.`,
    moreFrom: (n) => `és még ${number(n)}`,

    bcnfTitle: 'BCNF-felbontás',
    bcnfDefinition: 'Egy S séma Boyce–Codd normálformában (BCNF) van, ha minden olyan X ⊆ S ' +
        'szuperkulcsa S-nek (S ⊆ X⁺), amelynek lezártja X-en kívül is tartalmaz S-beli ' +
        'attribútumot. Amíg egy S séma nincs BCNF-ben, van olyan X ⊂ S, amelyre ' +
        'Y = (X⁺ ∩ S) − X nem üres, de S ⊄ X⁺: ez az X -> Y sértő függőség, és S helyére ' +
        'X ∪ Y és S − Y kerül. A két rész közös része X, amely meghatározza X ∪ Y-t, ezért a ' +
        'lépés veszteségmentes (Heath tétele). A lezártak F egészével számolódnak, nem csak ' +
        'az S-be eső függőségekkel. A felbontás függőségeket veszíthet el: azokat, amelyek a ' +
        'sémákra vetített függőségekből nem következnek.',
    bcnfUndecided: 'A BCNF-felbontás nem készült el a munkakereten belül. Lent az addig ' +
        'megtett lépések.',
    bcnfNoSteps: 'Nem kellett felbontani: R már Boyce–Codd normálformában (BCNF) van.',
    split: (s, v, x, closure, first, second) => `${s} nincs BCNF-ben: ${v} sértő függőség, ` +
        `mert ${x}⁺ = ${closure} nem tartalmazza az egész sémát, így ${x} nem szuperkulcs. A ` +
        `séma helyére ${first} és ${second} kerül.`,
    lostNone: 'Egy függőség sem vész el: a felbontás függőségőrző.',
    lostSome: (n) => `A felbontás nem függőségőrző: ${number(n)} függőség elvész:`,
    lostUndecided: 'Nem dőlt el, hogy mely függőségek vesznek el.',

    designSteps: 'A lépések, sorrendben:',
    resultTable: (title) => `${title}: a sémák és normálformáik`,
    resultColumns: ['Séma', 'Normálforma'],
    checkedBy: 'A táblázatos módszer (chase) és a felbontás vizsgálata szerint:',
    designLossless: (value) => ({
      true: 'Veszteségmentes: a táblázatban van csupa 0 sor.',
      false: 'Nem veszteségmentes: a táblázatban nincs csupa 0 sor.',
    })[value] ?? 'Nem dőlt el, hogy veszteségmentes-e.',
    designPreserving: (value) => ({
      true: 'Függőségőrző: minden függőség megmarad.',
      false: 'Nem függőségőrző: van függőség, amely elvész.',
    })[value] ?? 'Nem dőlt el, hogy függőségőrző-e.',

    synthesisApply: 'A szintézis betöltése és futtatása',
    bcnfApply: 'A BCNF-felbontás betöltése és futtatása',
    applyHint: 'A bemenet sémasorai helyére ezek a sémák kerülnek, a függőségek sorai ' +
        'maradnak; a visszavonás (Ctrl+Z) visszahozza a korábbi szöveget. Utána a táblázatos ' +
        'módszer (chase), a lépései és a vizsgálat igazolja a felbontást.',
    applyUnknownNames: 'A felbontás nem tölthető be, amíg a függőségekben ismeretlen név áll ' +
        '(lásd fent).',
  },
  en: {
    design: 'Design',
    designIntro: (relation) => `From R = ${relation} and the input's dependencies F, whatever ` +
        'the input\'s decomposition: a minimal cover, a 3NF synthesis and a BCNF decomposition.',
    designIncomplete: 'Not every part was finished: a part that ran out of its work budget says ' +
        'so, and states only what it knows for sure.',
    designNoAttributes: 'The input names no attribute, so there is nothing to design.',
    designCaveat: 'The design too is for the input as it was read: the dependencies name ' +
        'attributes that no scheme has (see the start of the check).',
    designWaiting: 'The design starts once the check ends.',
    designing: 'Designing…',
    designProgress: 'How far the design got',
    designStop: 'Stop the design',
    designStopped: 'You stopped the design; the verdict, the steps and the check are complete ' +
        'all the same.',
    designRestart: 'Start the design again',
    designHeld: 'The design starts once the check ends, and you stopped the check.',
    designStart: 'Start the design',
    designDropped: 'The design stopped because the input changed; Run does it again.',
    designFailed: 'The design stopped with an error:',

    coverTitle: 'Minimal cover',
    coverDefinition: 'A minimal cover of F is a set G of dependencies equivalent to F ' +
        '(G⁺ = F⁺) in which every right side is a single attribute, no left side has an ' +
        'extraneous attribute, and no dependency is redundant. An attribute A ∈ X is ' +
        'extraneous in X -> B when B ∈ (X − {A})⁺; X -> B is redundant when X⁺ under the ' +
        'other dependencies holds B. The steps in order: the right sides split, the trivial ' +
        'dependencies (B ∈ X) dropped, the left sides reduced, and last the redundant ' +
        'dependencies dropped; in the other order a redundant dependency could stay.',
    coverResult: (n) => `The minimal cover (${number(n)} ${n === 1 ? 'dependency' :
                                                                     'dependencies'}):`,
    coverEmpty: 'The minimal cover is empty: only trivial dependencies follow from F.',
    coverUndecided: 'The minimal cover was not finished within the work budget. The steps ' +
        'taken until then are below.',
    coverSteps: 'Once the right sides are split into single attributes, in order:',
    coverNoSteps: 'Once the right sides are split into single attributes, no dependency is ' +
        'trivial, no left side has an extraneous attribute, and none is redundant.',
    trivial: (d, a) => `${d} is trivial: ${a} is on its left side too, so it is dropped.`,
    extraneous: (d, a, rest, closure, b) =>
      `${a} is extraneous in ${d}, since ${rest}⁺ = ${closure} holds ${b}.`,
    redundant: (d, x, closure, b) => `${d} is redundant: under the other dependencies ` +
        `${x}⁺ = ${closure} holds ${b}, so it is dropped.`,

    synthesisTitle: '3NF synthesis',
    synthesisDefinition: 'The 3NF synthesis (Bernstein, 1976; Biskup, Dayal and Bernstein, ' +
        '1979) makes one scheme for each left side X of the minimal cover: X with the right ' +
        'sides of the dependencies whose left side is X. A scheme that another one holds is ' +
        'dropped; when no scheme holds a key of R, a key K of R (K⁺ = R) is added as a scheme ' +
        'of its own. The result is lossless, preserves the dependencies and has every scheme ' +
        'in third normal form (3NF). The page does not assume it: the chase and the ' +
        'decomposition check confirm it.',
    synthesisUndecided: 'The synthesis was not finished within the work budget (it does not ' +
        'start without the minimal cover).',
    schemeFrom: (s, fds) => `${s}: from ${fds} of the cover.`,
    contained: (s, t) => `${s} is dropped: ${t} holds it.`,
    keyScheme: (s, closure) => 'No scheme holds a key of R, so a key of R is added as a ' +
        `scheme: ${s}⁺ = ${closure} = R.`,
    moreFrom: (n) => `and ${number(n)} more`,

    bcnfTitle: 'BCNF decomposition',
    bcnfDefinition: 'A scheme S is in Boyce-Codd normal form (BCNF) when every X ⊆ S whose ' +
        'closure holds an attribute of S outside X is a superkey of S (S ⊆ X⁺). While a ' +
        'scheme S is not in BCNF, some X ⊂ S has Y = (X⁺ ∩ S) − X not empty and S ⊄ X⁺: X -> Y ' +
        'is a violating dependency, and S is replaced by X ∪ Y and S − Y. The two parts share ' +
        'X, which determines X ∪ Y, so the split is lossless (Heath\'s theorem). Closures are ' +
        'taken under all of F, never only under the dependencies that lie inside S. The ' +
        'decomposition can lose dependencies: those that do not follow from the dependencies ' +
        'projected onto the schemes.',
    bcnfUndecided: 'The BCNF decomposition was not finished within the work budget. The steps ' +
        'taken until then are below.',
    bcnfNoSteps: 'No split was needed: R is in Boyce-Codd normal form (BCNF) already.',
    split: (s, v, x, closure, first, second) => `${s} is not in BCNF: ${v} violates it, since ` +
        `${x}⁺ = ${closure} does not hold the whole scheme, so ${x} is no superkey. It is ` +
        `split into ${first} and ${second}.`,
    lostNone: 'No dependency is lost: the decomposition preserves the dependencies.',
    lostSome: (n) => 'The decomposition does not preserve the dependencies: ' +
        `${number(n)} ${n === 1 ? 'is' : 'are'} lost:`,
    lostUndecided: 'Not decided which dependencies are lost.',

    designSteps: 'The steps, in order:',
    resultTable: (title) => `${title}: the schemes and their normal forms`,
    resultColumns: ['Scheme', 'Normal form'],
    checkedBy: 'What the chase and the decomposition check say of it:',
    designLossless: (value) => ({
      true: 'Lossless: the tableau has a row of zeros.',
      false: 'Not lossless: the tableau has no row of zeros.',
    })[value] ?? 'Not decided whether it is lossless.',
    designPreserving: (value) => ({
      true: 'It preserves the dependencies: none is lost.',
      false: 'It does not preserve the dependencies: some are lost.',
    })[value] ?? 'Not decided whether it preserves the dependencies.',

    synthesisApply: 'Put the synthesis into the input and run it',
    bcnfApply: 'Put the BCNF decomposition into the input and run it',
    applyHint: 'These schemes replace the input\'s scheme lines, and the dependency lines stay; ' +
        'Undo (Ctrl+Z) brings the earlier text back. The chase, its steps and the check then ' +
        'prove the decomposition.',
    applyUnknownNames: 'The decomposition cannot be put into the input while a dependency ' +
        'names an unknown attribute (see above).',
  },
});

// ---- Words for the design's dependencies -------------------------------------------------------
// d is the design's object as the worker packed it.

// A dependency with a set on each side, as the stepper writes one: A,B -> C; an empty left side,
// a constant, as ∅ -> C.
function fd_text(d, left, right) {
  const side = (set) =>
    [...set.items.map((c) => attribute_name(d, c)), ...more_names(set)].join(',');
  return `${left.count === 0 ? '∅' : side(left)} -> ${side(right)}`;
}

// A dependency of the cover, left -> right with one attribute on the right.
function cover_text(d, left, right) {
  return fd_text(d, left, {items: [right], count: 1});
}

// Dependency k of the cover.
function cover_fd_text(d, k) {
  return cover_text(d, d.fds[k].left, d.fds[k].right);
}

// A list of the steps as sentences under the words of lead, a few per frame; each step worded by
// sentence(step).
function* step_list(part, steps, lead, sentence) {
  const list = element('ol');
  list.className = 'design-steps';
  part.append(element('p', word(lead)), list);
  for (const [k, s] of steps.items.entries()) {
    list.append(element('li', sentence(s)));
    if (k % 20 === 19) yield;
  }
  part.append(...cut_note(steps, 'steps'));
}

// ---- The parts ---------------------------------------------------------------------------------

function* cover_part(d, part) {
  const {dependencies, steps} = d.cover;
  if (dependencies === null) {
    part.append(element('p', word('coverUndecided')));
  } else if (dependencies.count === 0) {
    part.append(element('p', word('coverEmpty')));
  } else {
    const list = element('ul');
    list.className = 'fds';
    for (const k of dependencies.items) list.append(element('li', cover_fd_text(d, k)));
    part.append(element('p', word('coverResult', dependencies.count)), list,
                ...cut_note(dependencies, 'dependencies'));
  }
  yield;
  if (steps.count === 0) {
    if (dependencies !== null) part.append(element('p', word('coverNoSteps')));
    return;
  }
  yield* step_list(part, steps, 'coverSteps', (s) => {
    const text = cover_text(d, s.left, s.right);
    const right = attribute_name(d, s.right);
    if (s.step === 'trivial') return word('trivial', text, right);
    if (s.step === 'extraneous') {
      return word('extraneous', text, attribute_name(d, s.attribute), set_text(d, s.rest),
                  set_text(d, s.closure), right);
    }
    return word('redundant', text, set_text(d, s.left), set_text(d, s.closure), right);
  });
}

// The schemes of a decomposition with their normal forms, and what the chase and the check say
// of it; preserving is undefined for the BCNF decomposition, whose lost records say it instead.
function result_nodes(d, title, {schemes, forms, lossless, preserving}) {
  const rows = schemes.items.map((set, k) => [
    `${scheme_label(k)} = ${set_text(d, set)}`,
    forms === null ? word('form', null) : word('form', forms.items[k]),
  ]);
  const checks = [word('designLossless', lossless)];
  if (preserving !== undefined) checks.push(word('designPreserving', preserving));
  const list = element('ul');
  for (const text of checks) list.append(element('li', text));
  return [text_table(word('resultTable', word(title)), word('resultColumns'), rows),
          ...cut_note(schemes, 'schemes'), element('p', word('checkedBy')), list];
}

// The button that puts a decomposition into the input and runs it (see show_actions), or why
// there is none.
function apply_node(id, key, unknown, apply) {
  if (unknown) return [note(word('applyUnknownNames'))];
  const node = button(word(key), apply);
  node.id = id;
  node.className = 'primary';
  const actions = element('div', null, node, note(word('applyHint')));
  actions.className = 'actions';
  return [actions];
}

function* synthesis_part(d, part, apply) {
  const s = d.synthesis;
  if (s.schemes === null) {
    part.append(element('p', word('synthesisUndecided')));
  } else {
    part.append(...result_nodes(d, 'synthesisTitle', s), ...apply);
  }
  yield;
  if (s.steps.count === 0) return;
  yield* step_list(part, s.steps, 'designSteps', (step) => {
    const scheme = set_text(d, step.scheme);
    if (step.step === 'contained') return word('contained', scheme, set_text(d, step.in));
    if (step.step === 'key') return word('keyScheme', scheme, set_text(d, step.closure));
    const from = step.from.items.map((k) => cover_fd_text(d, k));
    if (step.from.count > from.length) from.push(word('moreFrom', step.from.count - from.length));
    return word('schemeFrom', scheme, from.join('; '), step.from.count);
  });
}

function* bcnf_part(d, part, apply) {
  const b = d.bcnf;
  if (b.schemes === null) {
    part.append(element('p', word('bcnfUndecided')));
  } else {
    part.append(...result_nodes(d, 'bcnfTitle', b));
    if (b.lost === null) {
      part.append(element('p', word('lostUndecided')));
    } else if (b.lost.count === 0) {
      part.append(element('p', word('lostNone')));
    } else {
      const list = element('ul');
      list.className = 'fds';
      for (const k of b.lost.items) list.append(element('li', record_text(d, k)));
      part.append(element('p', word('lostSome', b.lost.count)), list,
                  ...cut_note(b.lost, 'dependencies'));
    }
    part.append(...apply);
  }
  yield;
  if (b.steps.count === 0) {
    if (b.schemes !== null) part.append(element('p', word('bcnfNoSteps')));
    return;
  }
  yield* step_list(part, b.steps, 'designSteps', (step) => {
    const x = set_text(d, step.left);
    return word('split', set_text(d, step.scheme), fd_text(d, step.left, step.right), x,
                set_text(d, step.closure), set_text(d, step.into[0]), set_text(d, step.into[1]));
  });
}

// ---- The section ------------------------------------------------------------------------------

// What the design is doing while it waits or runs, with a button that stops it; after, why it did
// not end, with a button that starts it where that makes sense.
function design_status(design, actions) {
  const status = element('div');
  status.id = 'design-status';
  const words = {
    waiting: 'designWaiting', running: 'designing', stopped: 'designStopped',
    held: 'designHeld', dropped: 'designDropped', failed: 'designFailed',
  };
  status.append(element('p', word(words[design.status])));
  if (design.status === 'running') {
    const bar = element('progress');
    bar.setAttribute('aria-label', word('designProgress'));
    const stop = button(word('designStop'), actions.stop);
    stop.id = 'design-stop';
    status.append(bar, stop);
    status.className = 'running';
  } else if (design.status === 'stopped' || design.status === 'held') {
    const start = button(word(design.status === 'stopped' ? 'designRestart' : 'designStart'),
                         actions.start);
    start.id = 'design-start';
    status.append(start);
  } else if (design.status === 'failed') {
    status.append(element('p', design.error));
  }
  return status;
}

// The section, a part per frame, and within a long list of steps a few per frame. view is
// {result, design, stale}: the run's answer, the design's state ({status: 'waiting'} until the
// check ends, 'running' until the design ends, then 'done' with its result, or 'stopped',
// 'held' (the check was stopped, so the design did not start), 'dropped' or 'failed' with its
// error), and whether the input changed since.
function* render_design(view, actions) {
  const {result: r, design} = view;
  const section = $('#design');
  const body = $('#design-body');
  body.replaceChildren();
  section.hidden = r.error !== undefined || r.lossless === null || design === null;
  // Busy while the design waits or runs, and while its answer is drawn, part by part.
  const busy = ['waiting', 'running', 'done'].includes(design?.status);
  section.setAttribute('aria-busy', String(!section.hidden && busy));
  if (section.hidden) return;
  if (design.status !== 'done') {
    body.append(design_status(design, actions));
    actions.refresh();
    return;
  }
  const {design: d, synthesisInput, bcnfInput} = design.result;
  if (d === null || d.relation.count === 0) {
    if (d !== null) body.append(element('p', word('designNoAttributes')));
    section.setAttribute('aria-busy', 'false');
    return;
  }
  body.append(element('p', word('designIntro', set_text(d, d.relation))));
  const unknown = unknown_names(r).names.length > 0;
  if (unknown) body.append(note(word('designCaveat')));
  if (!d.complete) body.append(note(word('designIncomplete')));
  const parts = [
    ['cover', 'coverTitle', 'coverDefinition', (part) => cover_part(d, part)],
    ['synthesis', 'synthesisTitle', 'synthesisDefinition', (part) => synthesis_part(
        d, part, apply_node('synthesis-apply', 'synthesisApply', unknown,
                            () => actions.apply(synthesisInput)))],
    ['bcnf', 'bcnfTitle', 'bcnfDefinition', (part) => bcnf_part(
        d, part, apply_node('bcnf-apply', 'bcnfApply', unknown, () => actions.apply(bcnfInput)))],
  ];
  for (const [id, title, definition, fill] of parts) {
    const part = section_part(id, title, definition);
    body.append(part);
    yield* fill(part);
    yield;
    actions.refresh();
  }
  section.setAttribute('aria-busy', 'false');
}

// The buttons act only for the input on screen: a decomposition's while the input is the one
// designed and the engine wrote it as an input, the start and restart while the input is the one
// run. view is the page's state now, not the one a draw began with.
function show_actions({result, design, stale}) {
  const done = !stale && design?.status === 'done';
  const synthesis = $('#synthesis-apply');
  if (synthesis) set_enabled(synthesis, done && design.result.synthesisInput !== null);
  const bcnf = $('#bcnf-apply');
  if (bcnf) set_enabled(bcnf, done && design.result.bcnfInput !== null);
  const start = $('#design-start');
  if (start) set_enabled(start, !stale && result.lossless !== null);
}

// The section, which reaches the rest of the page through page: page.stop_design() and
// page.start_design() stop and start the design, page.apply_design(bytes) puts an input with a
// designed decomposition in place and runs it, and page.design_view() tells what the section
// shows now (see render_design).
function design_section(page) {
  const actions = {
    stop: () => page.stop_design(),
    start: () => page.start_design(),
    apply: (bytes) => page.apply_design(bytes),
    refresh: () => show_actions(page.design_view()),
  };
  return {
    render: (view) => render_design(view, actions),
    show_actions,
  };
}
