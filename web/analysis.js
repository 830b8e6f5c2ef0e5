// The decomposition check below the verdict: whether the dependencies are preserved, the keys of
// R, the normal form of each scheme, the redundant schemes and, for a lossy decomposition, a
// proven repair, each answer with the lines that prove it. Every answer and every derivation comes
// from the engine (the object of `lossless --json`, its lists cut to their start by the worker);
// this only words them.
'use strict';

add_words({
  hu: {
    analysis: 'A felbontás vizsgálata',
    analysisIntro: (relation, schemes) => `R = ${relation}, a felbontás: ${schemes}.`,
    analysisIncomplete: 'Nem minden kérdés dőlt el: ahol a vizsgálat kifutott a ' +
        'munkakeretéből, az a rész ezt jelzi, és csak azt állítja, amit biztosan tud.',
    analysisNoSchemes: 'A bemenet egy sémát sem ad meg, így nincs mit vizsgálni.',
    definition: 'Definíció',
    moreNames: (n) => `… és még ${number(n)}`,
    moreSchemes: (n) => `… és még ${number(n)} séma`,
    firstShown: (shown, total) => `Az első ${number(shown)} látszik (összesen ${number(total)}).`,

    preservationTitle: 'Függőségőrzés',
    preservationDefinition: 'Egy X -> Y függőség megmarad, ha Y ⊆ Z, ahol Z kezdetben X, majd ' +
        'körről körre minden Ri sémával Z := Z ∪ ((Z ∩ Ri)⁺ ∩ Ri), amíg Z bővül (Beeri és ' +
        'Honeyman, 1981). Ez pontosan akkor teljesül, ha X -> Y következik a sémákra vetített ' +
        'függőségekből, a vetületeket mégsem kell kiszámítani. A felbontás függőségőrző, ha ' +
        'minden függőség megmarad.',
    preserving: 'A felbontás függőségőrző: minden függőség megmarad.',
    notPreserving: (n) => `A felbontás nem függőségőrző: ${number(n)} függőség elvész.`,
    preservationUndecided: 'Nem dőlt el, hogy a felbontás függőségőrző-e: a vizsgálat ' +
        'kifutott a munkakeretéből. Lent az addig megvizsgált függőségek.',
    lostTitle: (d) => `${d}: elvész`,
    startZ: (x) => `Kezdetben Z = X = ${x}.`,
    roundsTable: (d) => `${d}: a Z lezárt körei`,
    roundsColumns: ['Kör', 'Séma', 'Hozzáadott attribútumok', 'Z utána'],
    noRounds: 'Egyik séma sem bővíti Z-t.',
    lostBecause: (z, missing) => `Z = ${z}, ebből hiányzik Y része: ${missing}, ezért a ` +
        'függőség elvész.',
    preservedBecause: (z) => `Y ⊆ Z = ${z}, ezért a függőség megmarad.`,
    preservedList: (n) => `Megmaradó függőségek (${number(n)}); mindegyik levezetése kinyitható:`,
    preservedSummary: (d) => `${d}: megmarad`,
    moreRecords: (n) => `… és még ${number(n)} függőség.`,

    keysTitle: 'Kulcsok',
    keysDefinition: 'R kulcsa minden olyan X ⊆ R, amelyre X⁺ = R, de egyetlen valódi ' +
        'részhalmazára sem; X⁺, az X lezártja, az, amit a függőségek X-ből levezetnek. A ' +
        'kulcsokat Lucchesi és Osborn (1978) módszere sorolja fel, amelynek ideje a kulcsok ' +
        'számával nő.',
    keysComplete: (n) => (n === 1 ? 'R-nek egy kulcsa van:' : `R-nek ${number(n)} kulcsa van:`),
    keysCut: (n) => `Legalább ${number(n)} kulcs van, a lista csonka: a keresés kifutott a ` +
        'munkakeretéből.',
    keyReaches: (k) => `${k}⁺ = R; a függőségek ebben a sorrendben bővítik a lezártat:`,
    keyIsR: (k) => `${k} = R, így ${k}⁺ = R.`,
    keyTable: (k) => `${k} lezártja`,
    keyColumns: ['Lépés', 'Függőség', 'Hozzáadott attribútumok'],
    moreKeys: (n) => `… és még ${number(n)} kulcs.`,

    formsTitle: 'Normálformák',
    formsDefinition: 'Az Ri séma kulcsa minden minimális X ⊆ Ri, amelyre Ri ⊆ X⁺; egy ' +
        'attribútum elsődleges, ha Ri valamelyik kulcsának eleme. Ri Boyce–Codd normálformában ' +
        '(BCNF) van, ha minden X ⊆ Ri és A ∈ Ri − X esetén, ha A ∈ X⁺, akkor X szuperkulcs ' +
        '(Ri ⊆ X⁺); harmadik normálformában (3NF), ha minden ilyen X -> A esetén X szuperkulcs ' +
        'vagy A elsődleges; második normálformában (2NF), ha egy nem elsődleges attribútum sem ' +
        'függ Ri egy kulcsának valódi részhalmazától; különben első normálformában (1NF). A ' +
        'vizsgálat az Ri-re megszorított F⁺-on dolgozik, vetített fedés kiszámítása nélkül, így ' +
        'a tanú X -> A nem feltétlenül szerepel F-ben.',
    formsTable: 'A sémák normálformái',
    formsColumns: ['Séma', 'Normálforma', 'Kulcsai', 'Tanú'],
    form: (form) => ({
      'BCNF': 'Boyce–Codd normálforma (BCNF)',
      '3NF': 'harmadik normálforma (3NF)',
      '2NF': 'második normálforma (2NF)',
      '1NF': 'első normálforma (1NF)',
    })[form] ?? 'nem eldöntött: túl nagy',
    atLeast: (keys) => `legalább: ${keys}`,
    keysUnknown: 'nem ismert',
    witness3NF: (s, w, x) => `${s}: ${w} teljesül, de ${x} nem szuperkulcsa a sémának, ezért ` +
        `${s} nincs Boyce–Codd normálformában.`,
    witness2NF: (s, w, x, a) => `${s}: ${w} teljesül, de ${x} nem szuperkulcsa a sémának, és ` +
        `${a} nem elsődleges attribútum (egyik kulcsnak sem eleme), ezért ${s} nincs harmadik ` +
        'normálformában.',
    witness1NF: (s, w, x, a, k) => `${s}: ${w} teljesül, ${x} valódi részhalmaza a séma ${k} ` +
        `kulcsának, és ${a} nem elsődleges attribútum, ezért ${s} nincs második normálformában.`,

    redundantTitle: 'Redundáns sémák',
    redundantDefinition: 'Redundáns az a séma, amelynek minden attribútuma egy másik sémában ' +
        'is megvan (két egyező séma közül a későbbi). Elhagyása nem változtat sem a ' +
        'veszteségmentességen, sem a függőségőrzésen.',
    noRedundant: 'Nincs redundáns séma: egyik séma sincs benne egy másikban.',
    redundantList: (n) => (n === 1 ? 'Ezt a sémát egy másik séma tartalmazza:' :
                                     'Ezeket a sémákat egy-egy másik séma tartalmazza:'),

    repairTitle: 'Javítás',
    repairDefinition: 'Ha a felbontás függőségőrző, R egy kulcsának hozzáadása mindig ' +
        'veszteségmentessé teszi. Különben minden elveszett X -> Y függőséghez az X ∪ Y séma ' +
        'adódik hozzá, így a felbontás függőségőrző lesz, majd ha a táblázatban még nincs ' +
        'csupa 0 sor, R egy kulcsa is: egy függőségőrző felbontás, amelynek egyik sémája ' +
        'tartalmazza R egy kulcsát, veszteségmentes. Az oldal csak olyan javítást ajánl, ' +
        'amelyet a táblázatos módszer (chase) már ellenőrzött.',
    repairAdd: 'A felbontás veszteségmentes és függőségőrző lesz, ha ezeket a sémákat hozzáadjuk:',
    addedFromLost: (s, d) => `${s}: az elveszett ${d} függőség X ∪ Y sémája`,
    addedKey: (s) => `${s}: R egy kulcsa`,
    whyKey: 'Miért elég: a felbontás függőségőrző, ezért R egy kulcsának hozzáadása ' +
        'veszteségmentessé teszi.',
    whyLost: 'Miért elég: az elveszett függőségek sémáival minden függőség megmarad, és a ' +
        'táblázatban már van csupa 0 sor.',
    whyLostKey: 'Miért elég: az elveszett függőségek sémáival minden függőség megmarad; a ' +
        'táblázatban még nem volt csupa 0 sor, ezért R egy kulcsa is hozzáadódik, és egy ' +
        'függőségőrző felbontás, amelynek egyik sémája kulcs, veszteségmentes.',
    repairChecked: 'A kiegészített felbontás táblázatát a chase ellenőrizte: van benne ' +
        'csupa 0 sor.',
    repairApply: 'A javított felbontás betöltése és futtatása',
    repairHint: 'Az új sémák a bemenet sémasorai után kerülnek, a visszavonás (Ctrl+Z) ' +
        'visszahozza a korábbi szöveget. A lépésenkénti táblázaton látszik, hogyan alakul ki ' +
        'a csupa 0 sor.',
    noRepair: 'Nincs igazolt javítás: a függőségőrzés vagy R kulcsai nem dőltek el a ' +
        'munkakereten belül, vagy a javított táblázat nem férne a memóriába.',
  },
  en: {
    analysis: 'The decomposition check',
    analysisIntro: (relation, schemes) => `R = ${relation}; the decomposition: ${schemes}.`,
    analysisIncomplete: 'Not every question was decided: a part that ran out of its work ' +
        'budget says so, and states only what it knows for sure.',
    analysisNoSchemes: 'The input names no scheme, so there is nothing to check.',
    definition: 'Definition',
    moreNames: (n) => `… and ${number(n)} more`,
    moreSchemes: (n) => `… and ${number(n)} more schemes`,
    firstShown: (shown, total) => `The first ${number(shown)} of ${number(total)} are shown.`,

    preservationTitle: 'Dependency preservation',
    preservationDefinition: 'A dependency X -> Y is preserved when Y ⊆ Z, where Z starts as X ' +
        'and grows, round after round, with each scheme Ri: Z := Z ∪ ((Z ∩ Ri)⁺ ∩ Ri), until ' +
        'it stops growing (Beeri and Honeyman, 1981). This holds exactly when X -> Y follows ' +
        'from the dependencies projected onto the schemes, yet no projection is computed. The ' +
        'decomposition preserves the dependencies when each of them is preserved.',
    preserving: 'The decomposition preserves the dependencies: none is lost.',
    notPreserving: (n) => 'The decomposition does not preserve the dependencies: ' +
        `${number(n)} ${n === 1 ? 'is' : 'are'} lost.`,
    preservationUndecided: 'Not decided whether the decomposition preserves the dependencies: ' +
        'the check ran out of its work budget. The dependencies judged until then are below.',
    lostTitle: (d) => `${d}: lost`,
    startZ: (x) => `At the start Z = X = ${x}.`,
    roundsTable: (d) => `${d}: the rounds of Z`,
    roundsColumns: ['Round', 'Scheme', 'Attributes added', 'Z after it'],
    noRounds: 'No scheme adds anything to Z.',
    lostBecause: (z, missing) => `Z = ${z} lacks ${missing} of Y, so the dependency is lost.`,
    preservedBecause: (z) => `Y ⊆ Z = ${z}, so the dependency is preserved.`,
    preservedList: (n) => `Preserved dependencies (${number(n)}); open one for its rounds:`,
    preservedSummary: (d) => `${d}: preserved`,
    moreRecords: (n) => `… and ${number(n)} more.`,

    keysTitle: 'Keys',
    keysDefinition: 'A key of R is an X ⊆ R with X⁺ = R that no proper subset of X has; X⁺, ' +
        'the closure of X, is what the dependencies derive from X. The keys are listed by the ' +
        'method of Lucchesi and Osborn (1978), whose time grows with the number of keys.',
    keysComplete: (n) => `R has ${n === 1 ? 'one key' : `${number(n)} keys`}:`,
    keysCut: (n) => `At least ${number(n)} keys; the list was cut: the search ran out of its ` +
        'work budget.',
    keyReaches: (k) => `${k}⁺ = R, the dependencies applied in this order:`,
    keyIsR: (k) => `${k} = R, so ${k}⁺ = R.`,
    keyTable: (k) => `The closure of ${k}`,
    keyColumns: ['Step', 'Dependency', 'Attributes added'],
    moreKeys: (n) => `… and ${number(n)} more keys.`,

    formsTitle: 'Normal forms',
    formsDefinition: 'A key of a scheme Ri is a minimal X ⊆ Ri with Ri ⊆ X⁺; an attribute is ' +
        'prime when some key of Ri holds it. Ri is in Boyce-Codd normal form (BCNF) when every ' +
        'X ⊆ Ri and A ∈ Ri − X with A ∈ X⁺ has X a superkey (Ri ⊆ X⁺); in third normal form ' +
        '(3NF) when each such X -> A has X a superkey or A prime; in second normal form (2NF) ' +
        'when no non-prime attribute depends on a proper subset of a key of Ri; otherwise in ' +
        'first normal form (1NF). The check works on F⁺ restricted to Ri without computing a ' +
        'cover of it, so a witness X -> A need not be in F.',
    formsTable: 'The normal forms of the schemes',
    formsColumns: ['Scheme', 'Normal form', 'Its keys', 'Witness'],
    form: (form) => ({
      'BCNF': 'Boyce-Codd normal form (BCNF)',
      '3NF': 'third normal form (3NF)',
      '2NF': 'second normal form (2NF)',
      '1NF': 'first normal form (1NF)',
    })[form] ?? 'not decided: too large',
    atLeast: (keys) => `at least ${keys}`,
    keysUnknown: 'not known',
    witness3NF: (s, w, x) => `${s}: ${w} holds, but ${x} is not a superkey of the scheme, so ` +
        `${s} is not in Boyce-Codd normal form.`,
    witness2NF: (s, w, x, a) => `${s}: ${w} holds, but ${x} is not a superkey of the scheme and ` +
        `${a} is not prime (it is in no key), so ${s} is not in third normal form.`,
    witness1NF: (s, w, x, a, k) => `${s}: ${w} holds, ${x} is a proper subset of the scheme's ` +
        `key ${k} and ${a} is not prime, so ${s} is not in second normal form.`,

    redundantTitle: 'Redundant schemes',
    redundantDefinition: 'A scheme is redundant when another scheme holds all its attributes ' +
        '(of two equal schemes, the later). Dropping it changes neither the lossless join nor ' +
        'the preservation of the dependencies.',
    noRedundant: 'No scheme is redundant: none lies within another.',
    redundantList: (n) => (n === 1 ? 'Another scheme holds this one:' :
                                     'Another scheme holds each of these:'),

    repairTitle: 'Repair',
    repairDefinition: 'When the decomposition preserves the dependencies, adding a key of R ' +
        'always makes it lossless. Otherwise the scheme X ∪ Y of each lost X -> Y is added, ' +
        'which makes it preserve them, and then a key of R if the tableau still has no row of ' +
        'zeros: a decomposition that preserves the dependencies and has a scheme holding a key ' +
        'of R is lossless. A repair is offered only once the chase has confirmed it.',
    repairAdd: 'The decomposition becomes lossless and preserves the dependencies with these ' +
        'schemes added:',
    addedFromLost: (s, d) => `${s}: X ∪ Y of the lost ${d}`,
    addedKey: (s) => `${s}: a key of R`,
    whyKey: 'Why this suffices: the decomposition preserves the dependencies, so adding a key ' +
        'of R makes it lossless.',
    whyLost: 'Why this suffices: with the schemes of the lost dependencies every dependency is ' +
        'preserved, and the tableau then has a row of zeros.',
    whyLostKey: 'Why this suffices: with the schemes of the lost dependencies every dependency ' +
        'is preserved; the tableau still had no row of zeros, so a key of R is added too, and a ' +
        'decomposition that preserves the dependencies and holds a key is lossless.',
    repairChecked: 'The chase of the repaired decomposition\'s tableau confirms it: it has a ' +
        'row of zeros.',
    repairApply: 'Put the repaired decomposition into the input and run it',
    repairHint: 'The new schemes go after the input\'s scheme lines; Undo (Ctrl+Z) brings the ' +
        'earlier text back. The stepper then shows the row of zeros appear.',
    noRepair: 'No proven repair: the preservation or the keys of R were not decided within the ' +
        'work budget, or the repaired tableau would not fit in memory.',
  },
});

// ---- Words for sets, dependencies and schemes -------------------------------------------------

function attribute_name(c) {
  if (c === -1) return '?';
  const text = state.result.analysis.names[c];
  return text === '' ? word('emptyName') : text;
}

// A cut list's end: how many more there are, in the language's words.
function more_names(list) {
  return list.count > list.items.length ? [word('moreNames', list.count - list.items.length)] : [];
}

// A set of attributes as {A, B, C}; the empty set as ∅.
function set_text(set) {
  if (set.count === 0) return '∅';
  return `{${[...set.items.map(attribute_name), ...more_names(set)].join(', ')}}`;
}

// Dependency k of F as the stepper writes one: A,B -> C.
function record_text(k) {
  const {left, right} = state.result.analysis.dependencies[k];
  const side = (set) => [...set.items.map(attribute_name), ...more_names(set)].join(',');
  return `${side(left)} -> ${side(right)}`;
}

function scheme_label(k) {
  return `R${k + 1}`;
}

function scheme_text(k) {
  const schemes = state.result.analysis.schemes;
  return k < schemes.items.length ? `${scheme_label(k)} = ${set_text(schemes.items[k])}` :
                                    scheme_label(k);
}

// A note saying that only the start of a list is shown, or nothing.
function cut_note(list, key = 'firstShown') {
  if (list.count <= list.items.length) return [];
  return [note(key === 'firstShown' ? word(key, list.items.length, list.count) :
                                      word(key, list.count - list.items.length))];
}

// ---- The parts --------------------------------------------------------------------------------

// A part of the section: its heading, its definition one click away, and its answers.
function analysis_part(id, title, definition) {
  const heading = element('h3', word(title));
  heading.id = `${id}-heading`;
  const summary = element('summary', word('definition'));
  const details = element('details', null, summary, element('p', word(definition)));
  details.className = 'definition';
  const part = element('div', null, heading, details);
  part.id = id;
  part.className = 'part';
  part.setAttribute('role', 'group');
  part.setAttribute('aria-labelledby', heading.id);
  return part;
}

// The rounds of Z := Z u ((Z n S)+ n S) for one record, with the sentence that concludes it.
function judged_record(record, lost) {
  const nodes = [];
  const {left} = state.result.analysis.dependencies[record.dependency];
  nodes.push(element('p', word('startZ', set_text(left))));
  if (record.rounds !== undefined) {
    if (record.rounds.count === 0) {
      nodes.push(element('p', word('noRounds')));
    } else {
      const rows = record.rounds.items.map((r) =>
        [String(r.round), scheme_label(r.scheme), set_text(r.added), set_text(r.closure)]);
      nodes.push(text_table(word('roundsTable', record_text(record.dependency)),
                            word('roundsColumns'), rows),
                 ...cut_note(record.rounds));
    }
  }
  if (lost) nodes.push(element('p', word('lostBecause', set_text(record.closure),
                                         set_text(record.missing))));
  else if (record.closure !== undefined) {
    nodes.push(element('p', word('preservedBecause', set_text(record.closure))));
  }
  return nodes;
}

function* preservation_part(a, part) {
  const p = a.preservation;
  part.append(element('p', p.preserving === true ? word('preserving') :
                           p.preserving === false ? word('notPreserving', p.lost.count) :
                                                    word('preservationUndecided')));
  for (const [k, record] of p.lost.items.entries()) {
    const title = element('p', null, element('strong', word('lostTitle',
                                                            record_text(record.dependency))));
    const box = element('div', null, title, ...judged_record(record, true));
    box.className = 'lost';
    part.append(box);
    if (k % 10 === 9) yield;
  }
  part.append(...cut_note(p.lost, 'moreRecords'));
  if (p.preserved.count === 0) return;
  part.append(element('p', word('preservedList', p.preserved.count)));
  for (const [k, record] of p.preserved.items.entries()) {
    const summary = element('summary', word('preservedSummary', record_text(record.dependency)));
    part.append(element('details', null, summary, ...judged_record(record, false)));
    if (k % 10 === 9) yield;
  }
  part.append(...cut_note(p.preserved, 'moreRecords'));
}

function* keys_part(a, part) {
  const {complete, keys} = a.keys;
  part.append(element('p', complete ? word('keysComplete', keys.count) :
                                      word('keysCut', keys.count)));
  for (const [k, {key, steps}] of keys.items.entries()) {
    const shown = set_text(key);
    const box = element('div');
    box.className = 'key';
    if (steps.count === 0) {
      box.append(element('p', word('keyIsR', shown)));
    } else {
      const rows = steps.items.map((s, i) =>
        [String(i + 1), record_text(s.dependency), set_text(s.added)]);
      box.append(element('p', word('keyReaches', shown)),
                 text_table(word('keyTable', shown), word('keyColumns'), rows),
                 ...cut_note(steps));
    }
    part.append(box);
    if (k % 10 === 9) yield;
  }
  part.append(...cut_note(keys, 'moreKeys'));
}

// A witness X -> A as the stepper writes a dependency.
function witness_text(w) {
  return `${w.left.items.map(attribute_name).join(',')} -> ${attribute_name(w.right)}`;
}

// The sentence that says which condition of the next form up the witness breaks.
function witness_sentence(k, s) {
  const w = s.witness;
  const x = set_text(w.left);
  const a = attribute_name(w.right);
  const dependency = witness_text(w);
  const label = scheme_label(k);
  if (s.form === '3NF') return word('witness3NF', label, dependency, x);
  if (s.form === '2NF') return word('witness2NF', label, dependency, x, a);
  return word('witness1NF', label, dependency, x, a, set_text(w.key));
}

function* normal_forms_part(a, part) {
  const forms = a.normal_forms.items;
  const keys_of = (s) => {
    if (s.keys.count === 0) return word('keysUnknown');
    const text = [...s.keys.items.map(set_text), ...more_names(s.keys)].join(', ');
    return s.keys_complete ? text : word('atLeast', text);
  };
  const rows = forms.map((s, k) => [
    scheme_text(k), word('form', s.form), keys_of(s),
    s.witness === null ? '–' : witness_text(s.witness),
  ]);
  part.append(text_table(word('formsTable'), word('formsColumns'), rows),
              ...cut_note(a.normal_forms));
  yield;
  forms.forEach((s, k) => {
    if (s.witness !== null) part.append(element('p', witness_sentence(k, s)));
  });
}

function redundant_part(a, part) {
  const {items} = a.redundant;
  if (items.length === 0) {
    part.append(element('p', word('noRedundant')));
    return;
  }
  const list = element('ul');
  for (const k of items) list.append(element('li', scheme_text(k)));
  part.append(element('p', word('redundantList', a.redundant.count)), list,
              ...cut_note(a.redundant));
}

function repair_part(a, part) {
  const repair = a.repair;
  if (repair === null) {
    part.append(element('p', word('noRepair')));
    return;
  }
  const schemes = a.schemes.count;
  const list = element('ul');
  repair.add.items.forEach((set, k) => {
    const label = `${scheme_label(schemes + k)} = ${set_text(set)}`;
    const from = repair.from.items[k];
    list.append(element('li', from === -1 ? word('addedKey', label) :
                                            word('addedFromLost', label, record_text(from))));
  });
  const why = a.preservation.preserving ? 'whyKey' : repair.with_key ? 'whyLostKey' : 'whyLost';
  const apply = button(word('repairApply'), apply_repair);
  apply.id = 'repair-apply';
  apply.className = 'primary';
  set_enabled(apply, !state.stale && state.result.repaired !== null);
  const actions = element('div', null, apply, note(word('repairHint')));
  actions.className = 'actions';
  part.append(element('p', word('repairAdd')), list, ...cut_note(repair.add),
              element('p', word(why)), element('p', word('repairChecked')), actions);
}

// Puts the repaired input in place of the input and runs it: the run shows the row of zeros.
function apply_repair() {
  const repaired = state.result.repaired;
  if (state.stale || repaired === null) return;
  replace_input(repaired);
  run();
}

// The section, a part per frame, and within a long part a few records per frame.
function* render_analysis() {
  const r = state.result;
  const section = $('#analysis');
  const body = $('#analysis-body');
  body.replaceChildren();
  section.hidden = r.error !== undefined || !r.analysis;
  if (section.hidden) return;
  const a = r.analysis;
  if (a.schemes.count === 0) {
    body.append(element('p', word('analysisNoSchemes')));
    return;
  }
  const schemes = a.schemes.items.map((_, k) => scheme_text(k));
  if (a.schemes.count > schemes.length) {
    schemes.push(word('moreSchemes', a.schemes.count - schemes.length));
  }
  body.append(element('p', word('analysisIntro', set_text(a.relation), schemes.join('; '))));
  if (!a.complete) body.append(note(word('analysisIncomplete')));
  const parts = [
    ['preservation', 'preservationTitle', 'preservationDefinition', preservation_part],
    ['keys', 'keysTitle', 'keysDefinition', keys_part],
    ['normal-forms', 'formsTitle', 'formsDefinition', normal_forms_part],
    ['redundant', 'redundantTitle', 'redundantDefinition', redundant_part],
  ];
  if (!a.lossless) parts.push(['repair', 'repairTitle', 'repairDefinition', repair_part]);
  for (const [id, title, definition, fill] of parts) {
    const part = analysis_part(id, title, definition);
    body.append(part);
    yield* fill(a, part) ?? [];
    yield;
  }
}

// On paper every part is read whole: the closed <details> open while printing, and close after.
function open_details_for_print(printing) {
  for (const node of document.querySelectorAll('#analysis details')) {
    if (printing && !node.open) {
      node.open = true;
      node.dataset.openedForPrint = '';
    } else if (!printing && 'openedForPrint' in node.dataset) {
      node.open = false;
      delete node.dataset.openedForPrint;
    }
  }
}

addEventListener('beforeprint', () => open_details_for_print(true));
addEventListener('afterprint', () => open_details_for_print(false));
matchMedia('print').addEventListener('change', (media) => open_details_for_print(media.matches));
