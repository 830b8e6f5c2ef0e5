// The decomposition check below the verdict: whether the dependencies are preserved, the keys of
// R, the normal form of each scheme, the redundant schemes and, for a lossy decomposition, a
// proven repair, each answer with the lines that prove it. Every answer and every derivation comes
// from the engine (the object of `lossless --json`, its lists cut to their start by the worker);
// this only words them. The check runs after the verdict: until it ends, the section says how far
// it got and offers to stop it. A list that the check's work budget cut is never worded as whole.
'use strict';

add_words({
  hu: {
    analysis: 'A felbontás vizsgálata',
    analysisIntro: (relation, schemes) => `R = ${relation}, a felbontás: ${schemes}.`,
    analysisIncomplete: 'Nem minden kérdés dőlt el: ahol a vizsgálat kifutott a ' +
        'munkakeretéből, az a rész ezt jelzi, és csak azt állítja, amit biztosan tud.',
    analysisNoSchemes: 'A bemenet egy sémát sem ad meg, így nincs mit vizsgálni.',
    moreSchemes: (n) => `… és még ${number(n)} séma`,

    checking: 'A vizsgálat fut…',
    checkPart: (part) => ({
      preservation: 'függőségőrzés',
      keys: 'kulcsok',
      normal_forms: 'normálformák',
      redundancy: 'redundáns sémák',
      repair: 'javítás',
    })[part] ?? part,
    progress: (part, done, total) =>
      (total >= 0 ? `${part}: ${number(done)} / ${number(total)}` : `${part}…`),
    progressLabel: 'A vizsgálat készültsége',
    stop: 'Leállítás',
    checkStopped: 'A vizsgálatot leállította; az ítélet és a lépések ettől még teljesek.',
    restart: 'A vizsgálat újraindítása',
    checkDropped: 'A vizsgálat leállt, mert a bemenet megváltozott; a Futtatás újra elvégzi.',
    checkFailed: 'A vizsgálat hibával leállt:',

    namesCaveat: (names, more) => 'A vizsgálat válaszai a bemenetre úgy vonatkoznak, ahogy az ' +
        'oldal beolvasta. A függőségekben olyan név is áll, amelyet egy séma sem tartalmaz: ' +
        `${names.map((n) => `„${n}”`).join(', ')}${more ? ' és talán még más' : ''}. Ha ilyen ` +
        'név áll egy függőség bal oldalán, a vizsgálat a függőséget nem alkalmazza; a jobb ' +
        'oldalról elhagyja a nevet.',
    caveatTidy: 'Az oldal átírhatja a bemenetet a bemeneti formátumra (lásd a bemenet alatt); ' +
        'lehet, hogy utána minden név ismert.',
    caveatTidyApply: 'A bemenet átírása és futtatása',

    preservationTitle: 'Függőségőrzés',
    preservationDefinition: 'Egy X -> Y függőség megmarad, ha Y ⊆ Z, ahol Z kezdetben X, majd ' +
        'körről körre minden Ri sémával Z := Z ∪ ((Z ∩ Ri)⁺ ∩ Ri), amíg Z bővül (Beeri és ' +
        'Honeyman, 1981). Ez pontosan akkor teljesül, ha X -> Y következik a sémákra vetített ' +
        'függőségekből, a vetületeket mégsem kell kiszámítani. A felbontás függőségőrző, ha ' +
        'minden függőség megmarad.',
    preserving: 'A felbontás függőségőrző: minden függőség megmarad.',
    notPreserving: (n) => `A felbontás nem függőségőrző: ${number(n)} függőség elvész.`,
    notPreservingAtLeast: (n) =>
      `A felbontás nem függőségőrző: legalább ${number(n)} függőség elvész.`,
    preservationUndecided: 'Nem dőlt el, hogy a felbontás függőségőrző-e. Lent az addig ' +
        'megvizsgált függőségek.',
    preservationCut: (decided, records) => 'A vizsgálat elérte a munkakeretét, és ott ' +
        `megállt: ${article(number(records))} ${number(records)} függőségből ` +
        `${number(decided)} dőlt el.`,
    lostTitle: (d) => `${d}: elvész`,
    startZ: (x) => `Kezdetben Z = X = ${x}.`,
    roundsTable: (d) => `${d}: a Z lezárt körei`,
    roundsColumns: ['Kör', 'Séma', 'Hozzáadott attribútumok', 'Z utána'],
    noRounds: 'Egyik séma sem bővíti Z-t.',
    lostBecause: (z, missing) => `Z = ${z}, Y − Z = ${missing}, ezért a függőség elvész.`,
    preservedBecause: (z) => `Y ⊆ Z = ${z}, ezért a függőség megmarad.`,
    preservedList: (n, complete) => `Megmaradó függőségek (${complete ? '' : 'legalább '}` +
        `${number(n)}); mindegyik levezetése kinyitható:`,
    preservedSummary: (d) => `${d}: megmarad`,
    moreRecords: (n, complete) => `… és még ${complete ? '' : 'legalább '}${number(n)} függőség.`,

    keysTitle: 'Kulcsok',
    keysDefinition: 'R kulcsa minden olyan X ⊆ R, amelyre X⁺ = R, de egyetlen valódi ' +
        'részhalmazára sem; X⁺, az X lezártja, azoknak az attribútumoknak a halmaza, amelyeket ' +
        'X meghatároz F szerint. A kulcsokat Lucchesi és Osborn (1978) módszere sorolja fel, ' +
        'amelynek ideje a kulcsok számával nő.',
    keysComplete: (n) => (n === 1 ? 'R-nek egy kulcsa van:' : `R-nek ${number(n)} kulcsa van:`),
    keysCut: (n) => `Legalább ${number(n)} kulcs van, a lista csonka: a keresés kifutott a ` +
        'munkakeretéből.',
    keyReaches: (k) => `${k}⁺ = R; a függőségek ebben a sorrendben bővítik a lezártat:`,
    keyIsR: (k) => `${k} = R, így ${k}⁺ = R.`,
    keyTable: (k) => `${k} lezártja`,
    keyColumns: ['Lépés', 'Függőség', 'Hozzáadott attribútumok'],
    moreKeys: (n, complete) => `… és még ${complete ? '' : 'legalább '}${number(n)} kulcs.`,

    formsTitle: 'Normálformák',
    formsDefinition: 'Az Ri séma kulcsa minden minimális X ⊆ Ri, amelyre Ri ⊆ X⁺; egy ' +
        'attribútum elsődleges, ha Ri valamelyik kulcsának eleme, különben másodlagos (nem ' +
        'elsődleges). Ri Boyce–Codd normálformában (BCNF) van, ha minden X ⊆ Ri és ' +
        'A ∈ Ri − X esetén, ha A ∈ X⁺, akkor X szuperkulcs (Ri ⊆ X⁺); harmadik ' +
        'normálformában (3NF), ha minden ilyen X -> A esetén X szuperkulcs vagy A elsődleges; ' +
        'második normálformában (2NF), ha egy másodlagos (nem elsődleges) attribútum sem függ ' +
        'Ri egy kulcsának valódi részhalmazától; különben első normálformában (1NF). A ' +
        'vizsgálat az Ri-re megszorított F⁺-on dolgozik, vetített fedés kiszámítása nélkül, így ' +
        'a sértő X -> A függőség nem feltétlenül szerepel F-ben.',
    formsTable: 'A sémák normálformái',
    formsColumns: ['Séma', 'Normálforma', 'Kulcsai', 'Sértő függőség'],
    atLeast: (keys) => `legalább: ${keys}`,
    keysUnknown: 'nem ismert',
    witness3NF: (s, w, x) => `${s}: ${w} teljesül, de ${x} nem szuperkulcsa a sémának, ezért ` +
        `${s} nincs Boyce–Codd normálformában.`,
    witness2NF: (s, w, x, a) => `${s}: ${w} teljesül, de ${x} nem szuperkulcsa a sémának, és ` +
        `${a} másodlagos (nem elsődleges) attribútum: egyik kulcsnak sem eleme; ezért ${s} ` +
        'nincs harmadik normálformában.',
    witness1NF: (s, w, x, a, k) => `${s}: ${w} teljesül, ${x} valódi részhalmaza a séma ${k} ` +
        `kulcsának, és ${a} másodlagos (nem elsődleges) attribútum, ezért ${s} nincs második ` +
        'normálformában.',

    redundantTitle: 'Redundáns sémák',
    redundantDefinition: 'Redundáns az a séma, amelynek minden attribútuma egy másik sémában ' +
        'is megvan (két egyező séma közül a későbbi). Elhagyása nem változtat sem a ' +
        'veszteségmentességen, sem a függőségőrzésen.',
    noRedundant: 'Nincs redundáns séma: egyik séma sincs benne egy másikban.',
    noRedundantFound: 'Nem található redundáns séma.',
    redundantList: (n) => (n === 1 ? 'Ezt a sémát egy másik séma tartalmazza:' :
                                     'Ezeket a sémákat egy-egy másik séma tartalmazza:'),
    redundantUnsure: 'A vizsgálat nem jutott végig minden részén, így redundáns séma több is ' +
        'lehet.',

    repairTitle: 'Javítás',
    repairDefinition: 'Ha a felbontás függőségőrző, egy R kulcsát tartalmazó séma hozzáadása ' +
        'mindig veszteségmentessé teszi. Különben minden elveszett X -> Y függőséghez az X ∪ Y ' +
        'séma adódik hozzá, így a kibővített felbontás függőségőrző lesz; ha a kibővített ' +
        'felbontás táblázatában a táblázatos módszer (chase) után még nincs csupa 0 sor, R egy ' +
        'kulcsa is: egy függőségőrző felbontás, amelynek egyik sémája R egy kulcsát ' +
        'tartalmazza, veszteségmentes. Az oldal csak olyan javítást ajánl, amelyet a ' +
        'táblázatos módszer (chase) már ellenőrzött.',
    repairAdd: 'A felbontás veszteségmentes és függőségőrző lesz, ha ezeket a sémákat hozzáadjuk:',
    addedFromLost: (s, d) => `${s}: az elveszett ${d} függőség X ∪ Y sémája`,
    addedKey: (s) => `${s}: R egy kulcsa`,
    why: (reason) => ({
      key: 'Miért elegendő? A felbontás függőségőrző, ezért R egy kulcsának hozzáadása ' +
          'veszteségmentessé teszi.',
      lost: 'Miért elegendő? Az elveszett függőségek sémáival minden függőség megmarad, és a ' +
          'kibővített felbontás táblázatában a táblázatos módszer (chase) után már van csupa 0 ' +
          'sor.',
      lost_and_key: 'Miért elegendő? Az elveszett függőségek sémáival minden függőség ' +
          'megmarad; a kibővített felbontás táblázatában a táblázatos módszer (chase) után még ' +
          'nem volt csupa 0 sor, ezért R egy kulcsa is hozzáadódik, és egy függőségőrző ' +
          'felbontás, amelynek egyik sémája R egy kulcsát tartalmazza, veszteségmentes.',
    })[reason],
    repairChecked: 'A kibővített felbontás táblázatát a táblázatos módszer (chase) ellenőrizte: ' +
        'van benne csupa 0 sor.',
    repairApply: 'A javított felbontás betöltése és futtatása',
    repairHint: 'Az új sémák a bemenet sémasorai után kerülnek, a visszavonás (Ctrl+Z) ' +
        'visszahozza a korábbi szöveget. A lépésenkénti táblázaton látszik, hogyan alakul ki ' +
        'a csupa 0 sor.',
    repairUnknownNames: 'A javítás nem tölthető be, amíg a függőségekben ismeretlen név áll ' +
        '(lásd fent).',
    noRepair: 'Nincs igazolt javítás: a függőségőrzés vagy R kulcsai nem dőltek el a ' +
        'munkakereten belül, vagy a javított táblázat nem férne a memóriába.',
  },
  en: {
    analysis: 'The decomposition check',
    analysisIntro: (relation, schemes) => `R = ${relation}; the decomposition: ${schemes}.`,
    analysisIncomplete: 'Not every question was decided: a part that ran out of its work ' +
        'budget says so, and states only what it knows for sure.',
    analysisNoSchemes: 'The input names no scheme, so there is nothing to check.',
    moreSchemes: (n) => `… and ${number(n)} more schemes`,

    checking: 'Checking…',
    checkPart: (part) => ({
      preservation: 'dependency preservation',
      keys: 'keys',
      normal_forms: 'normal forms',
      redundancy: 'redundant schemes',
      repair: 'repair',
    })[part] ?? part,
    progress: (part, done, total) =>
      (total >= 0 ? `${part}: ${number(done)} / ${number(total)}` : `${part}…`),
    progressLabel: 'How far the check got',
    stop: 'Stop',
    checkStopped: 'You stopped the check; the verdict and the steps are complete all the same.',
    restart: 'Start the check again',
    checkDropped: 'The check stopped because the input changed; Run does it again.',
    checkFailed: 'The check stopped with an error:',

    namesCaveat: (names, more) => 'The check\'s answers are for the input as it was read. The ' +
        'dependencies name attributes that no scheme has: ' +
        `${names.map((n) => `“${n}”`).join(', ')}${more ? ' and perhaps others' : ''}. A ` +
        'dependency with such a name on its left side never applies, and such a name on a ' +
        'right side is left out.',
    caveatTidy: 'The page can rewrite the input into the input format (see under the input); ' +
        'every name may then be known.',
    caveatTidyApply: 'Rewrite the input and run it',

    preservationTitle: 'Dependency preservation',
    preservationDefinition: 'A dependency X -> Y is preserved when Y ⊆ Z, where Z starts as X ' +
        'and grows, round after round, with each scheme Ri: Z := Z ∪ ((Z ∩ Ri)⁺ ∩ Ri), until ' +
        'it stops growing (Beeri and Honeyman, 1981). This holds exactly when X -> Y follows ' +
        'from the dependencies projected onto the schemes, yet no projection is computed. The ' +
        'decomposition preserves the dependencies when each of them is preserved.',
    preserving: 'The decomposition preserves the dependencies: none is lost.',
    notPreserving: (n) => 'The decomposition does not preserve the dependencies: ' +
        `${number(n)} ${n === 1 ? 'is' : 'are'} lost.`,
    notPreservingAtLeast: (n) => 'The decomposition does not preserve the dependencies: at ' +
        `least ${number(n)} ${n === 1 ? 'is' : 'are'} lost.`,
    preservationUndecided: 'Not decided whether the decomposition preserves the dependencies. ' +
        'The dependencies judged until then are below.',
    preservationCut: (decided, records) => 'The check stopped at its work budget: ' +
        `${number(decided)} of ${number(records)} dependencies decided.`,
    lostTitle: (d) => `${d}: lost`,
    startZ: (x) => `At the start Z = X = ${x}.`,
    roundsTable: (d) => `${d}: the rounds of Z`,
    roundsColumns: ['Round', 'Scheme', 'Attributes added', 'Z after it'],
    noRounds: 'No scheme adds anything to Z.',
    lostBecause: (z, missing) => `Z = ${z} and Y − Z = ${missing}, so the dependency is lost.`,
    preservedBecause: (z) => `Y ⊆ Z = ${z}, so the dependency is preserved.`,
    preservedList: (n, complete) => `Preserved dependencies (${complete ? '' : 'at least '}` +
        `${number(n)}); open one for its rounds:`,
    preservedSummary: (d) => `${d}: preserved`,
    moreRecords: (n, complete) => `… and ${complete ? '' : 'at least '}${number(n)} more.`,

    keysTitle: 'Keys',
    keysDefinition: 'A key of R is an X ⊆ R with X⁺ = R that no proper subset of X has; X⁺, ' +
        'the closure of X, is the set of attributes that X determines under F. The keys are ' +
        'listed by the method of Lucchesi and Osborn (1978), whose time grows with the number ' +
        'of keys.',
    keysComplete: (n) => `R has ${n === 1 ? 'one key' : `${number(n)} keys`}:`,
    keysCut: (n) => `At least ${number(n)} keys; the list was cut: the search ran out of its ` +
        'work budget.',
    keyReaches: (k) => `${k}⁺ = R, the dependencies applied in this order:`,
    keyIsR: (k) => `${k} = R, so ${k}⁺ = R.`,
    keyTable: (k) => `The closure of ${k}`,
    keyColumns: ['Step', 'Dependency', 'Attributes added'],
    moreKeys: (n, complete) => `… and ${complete ? '' : 'at least '}${number(n)} more keys.`,

    formsTitle: 'Normal forms',
    formsDefinition: 'A key of a scheme Ri is a minimal X ⊆ Ri with Ri ⊆ X⁺; an attribute is ' +
        'prime when some key of Ri holds it, and non-prime otherwise. Ri is in Boyce-Codd ' +
        'normal form (BCNF) when every X ⊆ Ri and A ∈ Ri − X with A ∈ X⁺ has X a superkey ' +
        '(Ri ⊆ X⁺); in third normal form (3NF) when each such X -> A has X a superkey or A ' +
        'prime; in second normal form (2NF) when no non-prime attribute depends on a proper ' +
        'subset of a key of Ri; otherwise in first normal form (1NF). The check works on F⁺ ' +
        'restricted to Ri without computing a cover of it, so a violating dependency X -> A ' +
        'need not be in F.',
    formsTable: 'The normal forms of the schemes',
    formsColumns: ['Scheme', 'Normal form', 'Its keys', 'Violating dependency'],
    atLeast: (keys) => `at least ${keys}`,
    keysUnknown: 'not known',
    witness3NF: (s, w, x) => `${s}: ${w} holds, but ${x} is not a superkey of the scheme, so ` +
        `${s} is not in Boyce-Codd normal form.`,
    witness2NF: (s, w, x, a) => `${s}: ${w} holds, but ${x} is not a superkey of the scheme and ` +
        `${a} is non-prime (it is in no key), so ${s} is not in third normal form.`,
    witness1NF: (s, w, x, a, k) => `${s}: ${w} holds, ${x} is a proper subset of the scheme's ` +
        `key ${k} and ${a} is non-prime, so ${s} is not in second normal form.`,

    redundantTitle: 'Redundant schemes',
    redundantDefinition: 'A scheme is redundant when another scheme holds all its attributes ' +
        '(of two equal schemes, the later). Dropping it changes neither the lossless join nor ' +
        'the preservation of the dependencies.',
    noRedundant: 'No scheme is redundant: none lies within another.',
    noRedundantFound: 'No redundant scheme was found.',
    redundantList: (n) => (n === 1 ? 'Another scheme holds this one:' :
                                     'Another scheme holds each of these:'),
    redundantUnsure: 'The check did not finish every part, so there may be more redundant ' +
        'schemes.',

    repairTitle: 'Repair',
    repairDefinition: 'When the decomposition preserves the dependencies, adding a scheme that ' +
        'holds a key of R always makes it lossless. Otherwise the scheme X ∪ Y of each lost ' +
        'X -> Y is added, which makes the extended decomposition preserve them, and then a key ' +
        'of R if the tableau of the extended decomposition, once chased, still has no row of ' +
        'zeros: a decomposition that preserves the dependencies and has a scheme holding a key ' +
        'of R is lossless. A repair is offered only once the chase has confirmed it.',
    repairAdd: 'The decomposition becomes lossless and preserves the dependencies with these ' +
        'schemes added:',
    addedFromLost: (s, d) => `${s}: X ∪ Y of the lost ${d}`,
    addedKey: (s) => `${s}: a key of R`,
    why: (reason) => ({
      key: 'Why does this suffice? The decomposition preserves the dependencies, so adding a ' +
          'key of R makes it lossless.',
      lost: 'Why does this suffice? With the schemes of the lost dependencies every ' +
          'dependency is preserved, and the tableau of the extended decomposition, once ' +
          'chased, has a row of zeros.',
      lost_and_key: 'Why does this suffice? With the schemes of the lost dependencies every ' +
          'dependency is preserved; the tableau of the extended decomposition, once chased, ' +
          'still had no row of zeros, so a key of R is added too, and a decomposition that ' +
          'preserves the dependencies and has a scheme holding a key of R is lossless.',
    })[reason],
    repairChecked: 'The chase of the extended decomposition\'s tableau confirms it: it has a ' +
        'row of zeros.',
    repairApply: 'Put the repaired decomposition into the input and run it',
    repairHint: 'The new schemes go after the input\'s scheme lines; Undo (Ctrl+Z) brings the ' +
        'earlier text back. The stepper then shows the row of zeros appear.',
    repairUnknownNames: 'The repair cannot be put into the input while a dependency names an ' +
        'unknown attribute (see above).',
    noRepair: 'No proven repair: the preservation or the keys of R were not decided within the ' +
        'work budget, or the repaired tableau would not fit in memory.',
  },
});

// ---- Words for schemes and derivations ---------------------------------------------------------
// a is the check's object as the worker packed it.

function scheme_text(a, k) {
  const schemes = a.schemes;
  return k < schemes.items.length ? `${scheme_label(k)} = ${set_text(a, schemes.items[k])}` :
                                    scheme_label(k);
}

// The rounds of Z := Z u ((Z n S)+ n S) for one record, with the sentence that concludes it.
function judged_record(a, record, lost) {
  const nodes = [];
  const {left} = a.dependencies[record.dependency];
  nodes.push(element('p', word('startZ', set_text(a, left))));
  if (record.rounds !== undefined) {
    if (record.rounds.count === 0) {
      nodes.push(element('p', word('noRounds')));
    } else {
      const rows = record.rounds.items.map((r) => [String(r.round), scheme_label(r.scheme),
                                                   set_text(a, r.added), set_text(a, r.closure)]);
      nodes.push(text_table(word('roundsTable', record_text(a, record.dependency)),
                            word('roundsColumns'), rows),
                 ...cut_note(record.rounds, 'rounds'));
    }
  }
  if (lost) {
    nodes.push(element('p', word('lostBecause', set_text(a, record.closure),
                                 set_text(a, record.missing))));
  } else if (record.closure !== undefined) {
    nodes.push(element('p', word('preservedBecause', set_text(a, record.closure))));
  }
  return nodes;
}

// The verdict on the preservation; of a list that the budget cut, "at least" and how far the
// check got, never a count.
function preservation_answer(c) {
  const p = c.analysis.preservation;
  const answer = p.preserving === true ? word('preserving') :
      p.preserving === null ? word('preservationUndecided') :
      word(p.complete ? 'notPreserving' : 'notPreservingAtLeast', p.lost.count);
  const nodes = [element('p', answer)];
  if (!p.complete) {
    const decided = p.lost.count + p.preserved.count;
    const cut = element('p', word('preservationCut', decided, c.preservationRecords));
    cut.id = 'preservation-cut';
    nodes.push(cut);
  }
  return nodes;
}

function* preservation_part(c, part) {
  const a = c.analysis;
  const p = a.preservation;
  part.append(...preservation_answer(c));
  for (const [k, record] of p.lost.items.entries()) {
    const title = element('p', null, element('strong', word('lostTitle',
                                                            record_text(a, record.dependency))));
    const box = element('div', null, title, ...judged_record(a, record, true));
    box.className = 'lost';
    part.append(box);
    if (k % 10 === 9) yield;
  }
  part.append(...more_note(p.lost, 'moreRecords', p.complete));
  if (p.preserved.count === 0) return;
  part.append(element('p', word('preservedList', p.preserved.count, p.complete)));
  for (const [k, record] of p.preserved.items.entries()) {
    const summary = element('summary',
                            word('preservedSummary', record_text(a, record.dependency)));
    part.append(element('details', null, summary, ...judged_record(a, record, false)));
    if (k % 10 === 9) yield;
  }
  part.append(...more_note(p.preserved, 'moreRecords', p.complete));
}

function* keys_part(c, part) {
  const a = c.analysis;
  const {complete, keys} = a.keys;
  part.append(element('p', complete ? word('keysComplete', keys.count) :
                                      word('keysCut', keys.count)));
  for (const [k, {key, steps}] of keys.items.entries()) {
    const shown = set_text(a, key);
    const box = element('div');
    box.className = 'key';
    if (steps.count === 0) {
      box.append(element('p', word('keyIsR', shown)));
    } else {
      const rows = steps.items.map((s, i) =>
        [String(i + 1), breakable(record_text(a, s.dependency)), set_text(a, s.added)]);
      box.append(element('p', word('keyReaches', shown)),
                 text_table(word('keyTable', shown), word('keyColumns'), rows),
                 ...cut_note(steps, 'steps'));
    }
    part.append(box);
    if (k % 10 === 9) yield;
  }
  part.append(...more_note(keys, 'moreKeys', complete));
}

// A violating dependency X -> A as the stepper writes a dependency.
function witness_text(a, w) {
  return `${w.left.items.map((c) => attribute_name(a, c)).join(',')} -> ` +
      attribute_name(a, w.right);
}

// The sentence that says which condition of the next form up the violating dependency breaks.
function witness_sentence(a, k, s) {
  const w = s.witness;
  const x = set_text(a, w.left);
  const name = attribute_name(a, w.right);
  const dependency = witness_text(a, w);
  const label = scheme_label(k);
  if (s.form === '3NF') return word('witness3NF', label, dependency, x);
  if (s.form === '2NF') return word('witness2NF', label, dependency, x, name);
  return word('witness1NF', label, dependency, x, name, set_text(a, w.key));
}

function* normal_forms_part(c, part) {
  const a = c.analysis;
  const forms = a.normal_forms.items;
  const keys_of = (s) => {
    if (s.keys.count === 0) return word('keysUnknown');
    const text = [...s.keys.items.map((key) => set_text(a, key)), ...more_names(s.keys)];
    return s.keys_complete ? text.join(', ') : word('atLeast', text.join(', '));
  };
  const rows = forms.map((s, k) => [
    scheme_text(a, k), word('form', s.form), keys_of(s),
    s.witness === null ? '–' : breakable(witness_text(a, s.witness)),
  ]);
  part.append(text_table(word('formsTable'), word('formsColumns'), rows),
              ...cut_note(a.normal_forms, 'schemes'));
  yield;
  forms.forEach((s, k) => {
    if (s.witness !== null) part.append(element('p', witness_sentence(a, k, s)));
  });
}

// The redundant schemes; a search that its budget cut words its list as possibly incomplete.
function redundant_part(c, part) {
  const a = c.analysis;
  const {items} = a.redundant;
  if (items.length === 0) {
    part.append(element('p', word(c.redundantComplete ? 'noRedundant' : 'noRedundantFound')));
  } else {
    const list = element('ul');
    for (const k of items) list.append(element('li', scheme_text(a, k)));
    part.append(element('p', word('redundantList', a.redundant.count)), list,
                ...cut_note(a.redundant, 'schemes'));
  }
  if (!c.redundantComplete) part.append(note(word('redundantUnsure')));
}

// The repair with its reason and, while every name of the input is known, a button that puts it
// into the input and runs it (see the actions of analysis_section).
function repair_part(c, part, unknown_names, repair_action) {
  const a = c.analysis;
  const repair = a.repair;
  if (repair === null) {
    part.append(element('p', word('noRepair')));
    return;
  }
  const schemes = a.schemes.count;
  const list = element('ul');
  repair.add.items.forEach((set, k) => {
    const label = `${scheme_label(schemes + k)} = ${set_text(a, set)}`;
    const from = repair.from.items[k];
    list.append(element('li', from === -1 ? word('addedKey', label) :
                                            word('addedFromLost', label, record_text(a, from))));
  });
  part.append(element('p', word('repairAdd')), list, ...cut_note(repair.add, 'schemes'),
              element('p', word('why', c.repairReason)), element('p', word('repairChecked')));
  if (unknown_names) {
    part.append(note(word('repairUnknownNames')));
    return;
  }
  const apply = button(word('repairApply'), repair_action);
  apply.id = 'repair-apply';
  apply.className = 'primary';
  const actions = element('div', null, apply, note(word('repairHint')));
  actions.className = 'actions';
  part.append(actions);
}

// ---- The section ------------------------------------------------------------------------------

// Opens the section while some dependency names an attribute that no scheme has: the answers
// are for the input as read. Offers the tidy-up, whose button acts while there is an offer for
// the input on screen (see show_actions).
function caveat_node(r, tidy_action) {
  const {names, more} = unknown_names(r);
  if (names.length === 0) return null;
  const caveat = element('div', null,
                         element('p', word('namesCaveat', names.map(visible_blanks), more)));
  caveat.id = 'analysis-caveat';
  const apply = button(word('caveatTidyApply'), tidy_action);
  apply.id = 'caveat-tidy';
  const offer = element('div', null, note(word('caveatTidy')), apply);
  offer.id = 'caveat-tidy-offer';
  offer.className = 'actions';
  caveat.append(offer);
  return caveat;
}

// What the check is doing while it runs, with a button that stops it; after, why it did not end.
function check_status(check, actions) {
  const status = element('div');
  status.id = 'check-status';
  if (check.status === 'running') {
    const bar = element('progress');
    bar.id = 'check-progress';
    bar.setAttribute('aria-label', word('progressLabel'));
    const text = element('span');
    text.id = 'check-progress-text';
    const stop = button(word('stop'), actions.stop);
    stop.id = 'check-stop';
    status.append(element('p', null, text), bar, stop);
    status.className = 'running';
  } else if (check.status === 'stopped' || check.status === 'dropped') {
    status.append(element('p', word(check.status === 'stopped' ? 'checkStopped' :
                                                                 'checkDropped')));
    if (check.status === 'stopped') {
      const restart = button(word('restart'), actions.restart);
      restart.id = 'check-restart';
      status.append(restart);
    }
  } else {
    status.append(element('p', word('checkFailed')), element('p', check.error));
  }
  return status;
}

// How far the running check got: {part, done, total} as the engine told it, or null before it
// told anything. The bar fills within the preservation, the part that takes long.
function show_progress(progress) {
  const text = $('#check-progress-text');
  const bar = $('#check-progress');
  if (!text || !bar) return;
  if (progress === null) {
    text.textContent = word('checking');
    bar.removeAttribute('value');
    return;
  }
  const part = word('checkPart', progress.part);
  text.textContent = `${word('checking')} ${word('progress', part, progress.done,
                                                   progress.total)}`;
  if (progress.total > 0) {
    bar.max = progress.total;
    bar.value = progress.done;
  } else {
    bar.removeAttribute('value');
  }
}

// The section, a part per frame, and within a long part a few records per frame. view is
// {result, check, stale, tidy}: the run's answer, the check's state ({status: 'running',
// progress} until it ends, then 'done' with its result, or 'stopped', 'dropped' or 'failed'
// with its error), whether the input changed since, and whether the tidy-up offers a rewrite.
function* render_analysis(view, actions) {
  const {result: r, check} = view;
  const section = $('#analysis');
  const body = $('#analysis-body');
  body.replaceChildren();
  section.hidden = r.error !== undefined || r.lossless === null || check === null;
  // Busy while the check runs and while its answer is drawn, part by part.
  section.setAttribute('aria-busy', String(!section.hidden));
  if (section.hidden) return;
  const caveat = caveat_node(r, actions.tidy);
  if (caveat !== null) body.append(caveat);
  if (check.status !== 'done') {
    body.append(check_status(check, actions));
    if (check.status === 'running') show_progress(check.progress);
    else section.setAttribute('aria-busy', 'false');
    actions.refresh();
    return;
  }
  const c = check.result;
  const a = c.analysis;
  if (a.schemes.count === 0) {
    body.append(element('p', word('analysisNoSchemes')));
    section.setAttribute('aria-busy', 'false');
    return;
  }
  const schemes = a.schemes.items.map((_, k) => scheme_text(a, k));
  if (a.schemes.count > schemes.length) {
    schemes.push(word('moreSchemes', a.schemes.count - schemes.length));
  }
  body.append(element('p', word('analysisIntro', set_text(a, a.relation), schemes.join('; '))));
  if (!a.complete) body.append(note(word('analysisIncomplete')));
  actions.refresh();
  const parts = [
    ['preservation', 'preservationTitle', 'preservationDefinition', preservation_part],
    ['keys', 'keysTitle', 'keysDefinition', keys_part],
    ['normal-forms', 'formsTitle', 'formsDefinition', normal_forms_part],
    ['redundant', 'redundantTitle', 'redundantDefinition', redundant_part],
  ];
  const repair = (c, part) => repair_part(c, part, caveat !== null, () => actions.repair(c));
  if (!a.lossless) parts.push(['repair', 'repairTitle', 'repairDefinition', repair]);
  for (const [id, title, definition, fill] of parts) {
    const part = section_part(id, title, definition);
    body.append(part);
    yield* fill(c, part) ?? [];
    yield;
    actions.refresh();
  }
  section.setAttribute('aria-busy', 'false');
}

// The buttons act only for the input on screen: the repair and the check's restart while the
// input is the one checked, the caveat's tidy-up while there is an offer for the input on screen.
// view is the page's state now, not the one a draw began with: an offer can come meanwhile.
function show_actions({result, check, stale, tidy}) {
  const repair = $('#repair-apply');
  if (repair) {
    set_enabled(repair, !stale && check?.status === 'done' && check.result.repaired !== null);
  }
  const restart = $('#check-restart');
  if (restart) set_enabled(restart, !stale && result.lossless !== null);
  const offer = $('#caveat-tidy-offer');
  if (offer) offer.hidden = !tidy;
  const apply = $('#caveat-tidy');
  if (apply) set_enabled(apply, !stale && tidy);
}

// The section, which reaches the rest of the page through page: page.stop_check() and
// page.start_check() stop and restart the check, page.apply_repair(bytes) puts a repaired input
// in place and runs it, page.apply_tidy() does so with the tidy-up's rewrite, and
// page.check_view() tells what the section shows now (see render_analysis).
function analysis_section(page) {
  const actions = {
    stop: () => page.stop_check(),
    restart: () => page.start_check(),
    repair: (c) => page.apply_repair(c.repaired),
    tidy: () => page.apply_tidy(),
    refresh: () => show_actions(page.check_view()),
  };
  return {
    render: (view) => render_analysis(view, actions),
    show_progress,
    show_actions,
  };
}
