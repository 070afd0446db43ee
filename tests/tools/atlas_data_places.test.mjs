// Tests of the place tables on small made-up sources: the ISTAT-GeoNames join, bilingual
// names, predecessors, former municipalities, hamlets that would hide a municipality, and
// the foreign places with their regime lists.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { italianPlaces, foreignPlaces } from '../../tools/atlas-data/lib/places.mjs';

const geo = (name, admin2, admin3, featureCode, latitude, longitude, extra = {}) => ({
  name, asciiname: name, admin2, admin3, featureCode, latitude, longitude, country: 'IT',
  admin1: '', population: 5000, timezone: 'Europe/Rome', ...extra,
});

const istat = {
  municipalities: [
    { code: '015146', name: 'Milano', province: 'MI', region: 'Lombardia' },
    { code: '039004', name: 'Cervia', province: 'RA', region: 'Emilia-Romagna' },
    { code: '021008', name: 'Bolzano/Bozen', province: 'BZ', region: 'Trentino-Alto Adige' },
    { code: '005122', name: 'Moransengo-Tonengo', province: 'AT', region: 'Piemonte' },
    { code: '004003', name: 'Alba', province: 'CN', region: 'Piemonte' },
    { code: '067001', name: 'Alba Adriatica', province: 'TE', region: 'Abruzzo' },
    { code: '999999', name: 'Nowhere', province: 'MI', region: 'Lombardia' },
  ],
  regionByProvince: { MI: 'Lombardia', RA: 'Emilia-Romagna', BZ: 'Trentino-Alto Adige', AT: 'Piemonte',
    CN: 'Piemonte', TE: 'Abruzzo' },
};

const geonames = [
  geo('Milano', 'MI', '015146', 'PPLA', 45.46, 9.19),
  geo('Milano Marittima', 'RA', '039004', 'PPL', 44.27, 12.35),  // would hide MILANO
  geo('Cervia', 'RA', '039004', 'PPLA3', 44.26, 12.35),
  geo('Bolzano', 'BZ', '021008', 'PPLA2', 46.49, 11.34),
  geo('Moransengo', 'AT', '005079', 'PPLA3', 45.10, 8.00),  // former, merged after 2020
  geo('Tonengo', 'AT', '005110', 'PPLA3', 45.12, 8.02),
  geo('Alba', 'CN', '004003', 'PPLA3', 44.70, 8.03),
  geo('Alba Adriatica', 'TE', '067001', 'PPLA3', 42.83, 13.93),
  geo('Alba Acque', 'CN', '004003', 'PPL', 44.71, 8.04),  // sorts before ALBA ADRIATICA: harmless
  geo('Alba Vecchia', 'CN', '004003', 'PPL', 44.72, 8.05),  // would come last
  geo('Pula', '', '', 'PPLA', 44.87, 13.85, { country: 'HR' }),
];
const ceded = [['Pola', 'PL', 'Pula', 'HR']];

test('Italian places join ISTAT names to GeoNames positions', () => {
  const warnings = [];
  const { places, stats } = italianPlaces(istat, geonames, (w) => warnings.push(w),
    { cededTowns: ceded, otherNames: [['Mailand', 'Milano', 'MI']] });
  const byName = Object.fromEntries(places.map((p) => [p.name, p]));
  assert.deepEqual(warnings, ['municipality without coordinates: 999999 Nowhere']);
  assert.equal(stats.joined, 5);
  assert.equal(byName['MILANO *MI*'].latitude, 45.46);
  assert.equal(byName['MILANO *MI*'].regime, '00390003');
  // Bilingual names give two places with one position and regime.
  assert.equal(byName['BOZEN *BZ*'].latitude, byName['BOLZANO *BZ*'].latitude);
  assert.equal(byName['BOZEN *BZ*'].regime, '00390004');
  // A municipality newer than GeoNames takes the mean position of its predecessors...
  assert.ok(Math.abs(byName['MORANSENGO TONENGO *AT*'].latitude - 45.11) < 1e-9);
  // ...which stay searchable themselves.
  assert.ok(byName['MORANSENGO *AT*'] && byName['TONENGO *AT*']);
  // A hamlet that would be the last of MILANO's group is left out; one that would not stays.
  assert.equal(byName['MILANO MARITTIMA *RA*'], undefined);
  assert.ok(byName['ALBA ACQUE *CN*']);
  assert.equal(byName['ALBA VECCHIA *CN*'], undefined);
  assert.ok(byName['ALBA ADRIATICA *TE*']);
  assert.equal(byName['POLA *PL*'].regime, '00390006');
  assert.equal(byName['POLA *PL*'].longitude, 13.85);
  assert.throws(() => italianPlaces(istat, geonames, () => {}, { cededTowns: [['Zara', 'ZA', 'Zadar', 'HR']], otherNames: [] }),
    /Zadar not in GeoNames/);
  // Another name of a municipality takes its position and regime.
  assert.equal(byName['MAILAND *MI*'].latitude, 45.46);
  assert.equal(byName['MAILAND *MI*'].regime, '00390003');
  assert.throws(() => italianPlaces(istat, geonames, () => {}, { cededTowns: [], otherNames: [['X', 'Roma', 'RM']] }),
    /no municipality Roma/);
  for (const p of places) assert.ok(p.name.length <= 31 && p.state === 'ITALIA', p.name);
});

const countries = {
  getName: (cc) => ({ FR: 'Francia', PK: 'Pakistan', GB: 'Regno Unito', CI: "Costa d'Avorio" })[cc],
  alpha2ToNumeric: (cc) => ({ FR: '250', PK: '586', GB: '826', CI: '384' })[cc],
};
const abroad = (name, country, timezone, population, extra = {}) => ({
  name, asciiname: name, country, timezone, population, admin1: '', featureCode: 'PPL',
  latitude: 1, longitude: 2, ...extra,
});

test('foreign places get names, states and one regime list per country and zone', () => {
  const rows = [
    abroad('Béziers', 'FR', 'Europe/Paris', 70000),
    abroad('Karachi', 'PK', 'Asia/Karachi', 11000000),
    abroad('London', 'GB', 'Europe/London', 8000000),
    abroad('Abidjan', 'CI', 'Africa/Abidjan', 4000000),
    abroad('Tiny', 'FR', 'Europe/Paris', 500),  // under the population limit
    abroad('Paris 16', 'FR', 'Europe/Paris', 160000, { featureCode: 'PPLX' }),  // a district
  ];
  const { places, lists } = foreignPlaces(rows, countries, (z) => z, 1000, () => {});
  const byName = Object.fromEntries(places.map((p) => [p.name, p]));
  assert.deepEqual(Object.keys(byName).sort(), ['ABIDJAN', 'BéZIERS', 'KARACHI', 'LONDON', 'LONDRA']);
  assert.equal(byName['KARACHI'].regime, '00920000');  // the list the program treats specially
  assert.equal(byName['BéZIERS'].regime, '12500001');
  assert.equal(byName['BéZIERS'].state, 'FRANCIA');
  assert.equal(byName['LONDRA'].regime, byName['LONDON'].regime);
  assert.equal(byName['ABIDJAN'].state, "COSTA D'AVORIO");
  const greg = Object.fromEntries(lists.map((l) => [l.id, l.greg]));
  assert.equal(greg[byName['LONDON'].regime], '1752-09-14');
  assert.equal(greg[byName['ABIDJAN'].regime], 'ALWAYS');
  assert.equal(lists.length, 4);
});
