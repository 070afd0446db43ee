// Unit tests of the atlas data pipeline: names, the TZif and POSIX TZ readers, the
// Gregorian table and the Italian regime lists.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { italianSearchForm, foreignName, programSearchForm, fitName } from '../../tools/atlas-data/lib/names.mjs';
import { parsePosixTz, expandPosixTz, zoneHistory } from '../../tools/atlas-data/lib/tzif.mjs';
import { labelOf, formatCorrection, regimeRows, utc, isoInstant, ZONEINFO } from '../../tools/atlas-data/lib/regimes.mjs';
import { gregorianAdoption } from '../../tools/atlas-data/lib/gregorian.mjs';
import { italianRegimeLists, italianRegimeId, CEDED_TOWNS } from '../../tools/atlas-data/lib/italy.mjs';
import { EXTRA_NAMES } from '../../tools/atlas-data/lib/exonyms.mjs';

test('Italian names take the search form the program compares with', () => {
  assert.equal(italianSearchForm('Agliè'), 'AGLIE');
  assert.equal(italianSearchForm('Antey-Saint-André'), 'ANTEY SAINT ANDRE');  // a typed "-" is a space
  assert.equal(italianSearchForm("Sant'Agata de' Goti"), "SANT'AGATA DE' GOTI");
  assert.equal(italianSearchForm('Città di Castello'), 'CITTA DI CASTELLO');
  assert.equal(italianSearchForm('Appiano sulla strada del vino'), 'APPIANO SULLA STRADA DEL VINO');
  assert.match(italianSearchForm('Forlì’s (x)'), /^[A-Z0-9' ]+$/);
});

test('foreign names keep only the accents the typed search can find', () => {
  assert.equal(foreignName('Zürich', 'Zurich'), 'ZüRICH');
  assert.equal(foreignName('A Coruña', 'A Coruna'), 'A CORUñA');
  assert.equal(foreignName('Łódź', 'Lodz'), 'LóDZ');  // ź is not searchable, ó is
  assert.equal(foreignName('Hà Nội', 'Ha Noi'), 'Hà NOI');
  assert.equal(foreignName('Œuvre', 'Oeuvre'), 'OEUVRE');
  assert.equal(foreignName('Ak”yar', ''), 'AKYAR');
  assert.equal(foreignName('東京', 'Tokyo'), 'TOKYO');
  for (const n of ['Zürich', 'São Paulo', 'Kraków', 'Ørsta', 'İstanbul']) {
    assert.match(programSearchForm(foreignName(n, '')), /^[A-Z ]+$/, n);
  }
});

test('extra names of foreign cities can be typed in plain letters', () => {
  for (const [, , ...names] of EXTRA_NAMES) {
    for (const n of names) assert.match(programSearchForm(foreignName(n, '')), /^[A-Z' ]+$/, n);
  }
  assert.equal(foreignName('Bucureşti', ''), 'BUCURESTI');
});

test('cut names keep their start and the province mark', () => {
  assert.equal(fitName('APPIANO SULLA STRADA DEL VINO', ' *BZ*', 31), 'APPIANO SULLA STRADA DEL V *BZ*');
  assert.equal(fitName('ROMA', ' *RM*', 31), 'ROMA *RM*');
  assert.equal(fitName('X'.repeat(40), '', 31).length, 31);
});

test('POSIX TZ rules give the documented change dates', () => {
  const eu = parsePosixTz('CET-1CEST,M3.5.0,M10.5.0/3');
  const [start, end] = expandPosixTz(eu, 2030, 2030);
  assert.equal(isoInstant(start.at), '2030-03-31T01:00:00Z');
  assert.equal(isoInstant(end.at), '2030-10-27T01:00:00Z');
  const us = parsePosixTz('EST5EDT,M3.2.0,M11.1.0');
  const [s2, e2] = expandPosixTz(us, 2031, 2031);
  assert.equal(isoInstant(s2.at), '2031-03-09T07:00:00Z');
  assert.equal(isoInstant(e2.at), '2031-11-02T06:00:00Z');
  const south = parsePosixTz('<-04>4<-03>,M9.1.6/24,M4.1.6/24');  // Chile: DST across the new year
  assert.equal(south.std.utoff, -4 * 3600);
  assert.equal(south.dst.utoff, -3 * 3600);
  assert.equal(parsePosixTz('<+0530>-5:30').std.utoff, 19800);
});

test('a zone history matches zdump transition by transition', () => {
  for (const zone of ['Europe/Rome', 'America/New_York', 'Asia/Kolkata', 'Australia/Lord_Howe']) {
    const history = zoneHistory(`${ZONEINFO}/${zone}`, 2036);
    const text = execFileSync('zdump', ['-v', '-c', '1800,2037', zone], { encoding: 'utf8' });
    const theirs = [];
    let last = null;
    for (const line of text.split('\n')) {
      const m = / (\w{3})\s+(\d+) (\d\d):(\d\d):(\d\d) (\d+) UT = .* gmtoff=(-?\d+)$/.exec(line);
      if (!m) continue;
      const at = Date.UTC(+m[6], 'JanFebMarAprMayJunJulAugSepOctNovDec'.indexOf(m[1]) / 3, +m[2], +m[3], +m[4], +m[5]) / 1000;
      if (last !== null && m[7] !== last.utoff) theirs.push(`${at} ${m[7]}`);
      last = { utoff: m[7] };
    }
    // Changes of abbreviation alone (LMT to RMT) are left out on both sides.
    const ours = [];
    let prev = String(history.initial.utoff);
    for (const c of history.changes) {
      if (String(c.utoff) !== prev) ours.push(`${c.at} ${c.utoff}`);
      prev = String(c.utoff);
    }
    assert.deepEqual(ours, theirs, zone);
  }
});

test('labels fit in four characters and avoid the reserved codes', () => {
  assert.equal(labelOf('CEST'), 'CEST');
  assert.equal(labelOf('+0530'), '+530');
  assert.equal(labelOf('-03'), '-03');
  assert.equal(labelOf('+1245'), '+12¾');
  assert.equal(labelOf('LMT'), 'MT');
  assert.equal(formatCorrection(-2996 / 3600), '-0.832222');
  assert.equal(formatCorrection(-0), '0');
  assert.equal(formatCorrection(5), '5');
});

test('regime rows refuse instants out of order', () => {
  const list = { id: '00000001', greg: 'ALWAYS', lmt: { at: 100, correction: -1 },
    changes: [{ at: 100, correction: -2, label: 'X' }] };
  assert.throws(() => regimeRows(list), /not ascending/);
});

test('Gregorian adoption by country, region and zone', () => {
  assert.equal(gregorianAdoption('IT', '', 'Europe/Rome'), '1582-10-15');
  assert.equal(gregorianAdoption('GB', '', 'Europe/London'), '1752-09-14');
  assert.equal(gregorianAdoption('US', 'NY', 'America/New_York'), '1752-09-14');
  assert.equal(gregorianAdoption('US', 'AK', 'America/Anchorage'), '1867-10-18');
  assert.equal(gregorianAdoption('DE', '02', 'Europe/Berlin'), '1583-10-16');
  assert.equal(gregorianAdoption('DE', '16', 'Europe/Berlin'), '1700-03-01');
  assert.equal(gregorianAdoption('RU', '48', 'Europe/Moscow'), '1918-02-14');
  assert.equal(gregorianAdoption('JP', '40', 'Asia/Tokyo'), 'ALWAYS');
});

test('Italian regimes: local mean time to 1893, Austria to 1918, two dates of 1944', () => {
  const lists = Object.fromEntries(italianRegimeLists().map((l) => [l.id, l]));
  const at = (id, y, m, d, h = 12) => {
    const t = utc(y, m, d, h);
    const l = lists[id];
    let c = null;
    if (t >= l.lmt.at) c = l.lmt.correction;
    for (const x of l.changes) if (x.at <= t) c = x.correction;
    return c;  // null: local mean time
  };
  const [centre, south, north, tyrol, littoral, istria] = ['00390001', '00390002', '00390003', '00390004', '00390005', '00390006'];
  assert.equal(at(north, 1893, 10, 30), null);
  assert.equal(at(north, 1893, 11, 2), -1);
  assert.equal(at(tyrol, 1893, 6, 1), -1);  // Vienna's CET from April 1893
  assert.equal(at(tyrol, 1916, 5, 15), -2);  // Austrian summer time began 30 April 1916
  assert.equal(at(centre, 1916, 5, 15), -1);  // Italian on 3 June
  assert.equal(at(littoral, 1918, 9, 20), -1);  // Austrian end 16 September
  assert.equal(at(centre, 1918, 9, 20), -2);  // Italian end 6 October
  assert.equal(at(south, 1944, 4, 2, 12), -2);  // Kingdom of the South: 2 April
  assert.equal(at(centre, 1944, 4, 2, 12), -1);  // German-held Rome: 3 April
  assert.equal(at(north, 1944, 9, 25), -2);  // German dates in the north: 2 October
  assert.equal(at(centre, 1944, 9, 25), -1);  // liberated centre: 17 September
  for (const id of [centre, south, north, tyrol, littoral]) {
    assert.equal(at(id, 1970, 7, 1), -2, id);
    assert.equal(at(id, 1950, 7, 1), -1, id);
  }
  assert.equal(at(istria, 1940, 7, 1), -2);  // Italian summer time of 1940 in Pola and Fiume
  assert.equal(at(istria, 1944, 9, 25), -2);
  assert.equal(at(istria, 1950, 7, 1), -1);  // Yugoslavia kept no summer time until 1983
  assert.equal(at(istria, 1970, 7, 1), -1);
  assert.equal(lists[tyrol].greg, '1583-10-16');
  assert.equal(lists[centre].greg, '1582-10-15');
});

test('municipalities find their regime by region, province and exception', () => {
  assert.equal(italianRegimeId('ROMA', 'RM', 'Lazio'), '00390001');
  assert.equal(italianRegimeId('NAPOLI', 'NA', 'Campania'), '00390002');
  assert.equal(italianRegimeId('TORINO', 'TO', 'Piemonte'), '00390003');
  assert.equal(italianRegimeId('CARRARA', 'MS', 'Toscana'), '00390003');
  assert.equal(italianRegimeId('BOLZANO', 'BZ', 'Trentino-Alto Adige'), '00390004');
  assert.equal(italianRegimeId("CORTINA D'AMPEZZO", 'BL', 'Veneto'), '00390004');
  assert.equal(italianRegimeId('TRIESTE', 'TS', 'Friuli-Venezia Giulia'), '00390005');
  assert.equal(italianRegimeId('UDINE', 'UD', 'Friuli-Venezia Giulia'), '00390003');
  assert.throws(() => italianRegimeId('X', 'ZZ', 'Nowhere'), /no Italian regime/);
  assert.equal(new Set(CEDED_TOWNS.map((t) => t[0])).size, CEDED_TOWNS.length);
});
