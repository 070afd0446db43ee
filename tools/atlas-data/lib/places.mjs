// Italian and foreign places, with the regime list that rules each.
import { italianSearchForm, foreignName, fitName } from './names.mjs';
import { italianRegimeId, CEDED_TOWNS, CEDED_REGIME, OTHER_NAMES } from './italy.mjs';
import { gregorianAdoption } from './gregorian.mjs';
import { historyOf, regimeFromHistory } from './regimes.mjs';
import { EXTRA_NAMES } from './exonyms.mjs';

export const NAME_WIDTH = 31;
export const STATE_WIDTH = 23;

const SEAT_CODES = ['PPLC', 'PPLA', 'PPLA2', 'PPLA3'];

// Municipalities created after the GeoNames snapshot: the GeoNames rows of the
// municipalities they were made from (names as GeoNames writes them, same province unless
// given). Their coordinates are the mean of their predecessors'.
const PREDECESSORS = {
  '005122': ['Moransengo', 'Tonengo'],
  '012144': ['Bardello', 'Malgesso', 'Bregano'],
  '013256': ['Uggiate Trevano', 'Ronago'],
  '022252': ['Fondo', 'Castelfondo', 'Malosco'],
  '022253': ['Revò', 'Cloz', 'Brez', 'Cagnò', 'Romallo'],
  '022254': ['Carano', 'Daiano', 'Varena'],
  '024128': ['Sovizzo', 'Gambugliano'],
  '025075': ['Quero', 'Vas', 'Alano di Piave'],
  '028108': ['Carceri', "Vighizzolo d'Este"],
  '099030': ['Villagrande|PU'],  // seat of Montecopiolo, moved from Pesaro e Urbino to Rimini in 2021
  '099031': ['Sassofeltrio|PU'],
  '075098': ['Presicce', 'Acquarica del Capo'],
  '081025': ['Rilievo'],  // made in 2021 from hamlets of Trapani; Rilievo is one of them
};

function mean(rows) {
  return {
    latitude: rows.reduce((s, r) => s + r.latitude, 0) / rows.length,
    longitude: rows.reduce((s, r) => s + r.longitude, 0) / rows.length,
  };
}

export function italianPlaces(istat, geonames, warn, { cededTowns = CEDED_TOWNS, otherNames = OTHER_NAMES } = {}) {
  const { municipalities, regionByProvince } = istat;
  const it = geonames.filter((r) => r.country === 'IT');
  const byCode = new Map();
  for (const r of it) {
    if (!r.admin3) continue;
    if (!byCode.has(r.admin3)) byCode.set(r.admin3, []);
    byCode.get(r.admin3).push(r);
  }
  const current = new Map(municipalities.map((m) => [m.code, m]));
  const places = [];
  const seen = new Set();
  const add = (name, province, latitude, longitude, regionProvince, municipalitySearchName, kind) => {
    const search = italianSearchForm(name);
    if (!search) return;
    const key = `${search}|${province}`;
    if (seen.has(key)) return;
    seen.add(key);
    const region = regionByProvince[regionProvince];
    places.push({
      name: fitName(search, ` *${province}*`, NAME_WIDTH), state: 'ITALIA', latitude, longitude,
      regime: italianRegimeId(municipalitySearchName ?? search, regionProvince, region), kind,
    });
  };

  // 1. Current municipalities: ISTAT names and provinces, GeoNames coordinates.
  let joined = 0, fromPredecessors = 0;
  for (const m of municipalities) {
    let pos = null;
    const rows = byCode.get(m.code) ?? [];
    const seat = rows.filter((r) => SEAT_CODES.includes(r.featureCode)).sort((a, b) => b.population - a.population)[0];
    if (seat || rows.length) { pos = seat ?? rows[0]; joined++; }
    else if (PREDECESSORS[m.code]) {
      const pred = PREDECESSORS[m.code].map((spec) => {
        const [n, prov] = spec.split('|');
        const found = it.find((r) => r.name === n && r.admin2 === (prov ?? m.province) && !current.has(r.admin3))
          ?? it.find((r) => r.name === n && r.admin2 === (prov ?? m.province));
        if (!found) throw new Error(`predecessor ${spec} of ${m.name} not in GeoNames`);
        return found;
      });
      pos = mean(pred);
      fromPredecessors++;
    } else {
      warn(`municipality without coordinates: ${m.code} ${m.name}`);
      continue;
    }
    // Bilingual names ("Bolzano/Bozen") give one place per language.
    const forms = m.name.split('/').map((s) => s.trim()).filter(Boolean);
    const official = italianSearchForm(forms[0]);
    for (const form of forms) add(form, m.province, pos.latitude, pos.longitude, m.province, official, 'comune');
  }

  // 2. Former municipalities that GeoNames still lists under their own ISTAT code, with the
  // province they belonged to. One that lives on under its name in another province (moved
  // between provinces) keeps the legal-time history of its place, that is of the current one.
  const currentByName = new Map(municipalities.map((m) => [italianSearchForm(m.name.split('/')[0]), m]));
  let former = 0;
  for (const r of it) {
    if (!r.admin3 || current.has(r.admin3) || !SEAT_CODES.includes(r.featureCode)) continue;
    const before = places.length;
    const now = currentByName.get(italianSearchForm(r.name));
    if (now) add(r.name, r.admin2, r.latitude, r.longitude, now.province, italianSearchForm(r.name), 'ex comune');
    else add(r.name, r.admin2, r.latitude, r.longitude, r.admin2, null, 'ex comune');
    former += places.length - before;
  }

  // 3. Hamlets and districts of at least 1000 inhabitants, in the province of their municipality.
  let hamlets = 0;
  for (const r of it) {
    if (!['PPL', 'PPLX', 'PPLL'].includes(r.featureCode)) continue;
    const m = current.get(r.admin3);
    const province = m ? m.province : r.admin2;
    if (!regionByProvince[province]) continue;
    const before = places.length;
    add(r.name, province, r.latitude, r.longitude, province, m ? italianSearchForm(m.name.split('/')[0]) : null, 'frazione');
    hamlets += places.length - before;
  }
  // 4. Italian towns ceded in 1947, under their Italian names and provinces of 1939.
  for (const [name, province, geoName, country, admin1] of cededTowns) {
    const r = geonames.find((g) => g.name === geoName && g.country === country && (!admin1 || g.admin1 === admin1));
    if (!r) throw new Error(`ceded town ${name}: ${geoName} not in GeoNames`);
    const search = italianSearchForm(name);
    places.push({ name: fitName(search, ` *${province}*`, NAME_WIDTH), state: 'ITALIA',
      latitude: r.latitude, longitude: r.longitude, regime: CEDED_REGIME, kind: 'ceduto 1947' });
  }
  const ceded = cededTowns.length;

  // 5. Usual and former names of municipalities, at the municipality's position.
  for (const [name, official, province] of otherNames) {
    const target = places.find((p) => p.kind === 'comune' && p.name === fitName(italianSearchForm(official), ` *${province}*`, NAME_WIDTH));
    if (!target) throw new Error(`other name ${name}: no municipality ${official} (${province})`);
    const before = places.length;
    add(name, province, target.latitude, target.longitude, province, italianSearchForm(official), 'altro nome');
    if (places.length > before) places[places.length - 1].regime = target.regime;
  }

  // The typed search lands on the last name of the group that begins with the typed text
  // and a space ("MILANO", "MILANO MARITTIMA"), and Enter takes it: a hamlet or former name
  // that would be the last of a municipality's group would be chosen instead of the
  // municipality, so such names are left out.
  const baseName = (p) => p.name.replace(/ \*[A-Z]{2}\*$/, '');
  const municipalityNames = new Set(places.filter((p) => p.kind === 'comune').map(baseName));
  const lastOfGroup = new Map();  // municipality name -> last municipality name of its group
  for (const p of places) {
    if (p.kind !== 'comune') continue;
    const b = baseName(p);
    for (let i = b.indexOf(' '); i > 0; i = b.indexOf(' ', i + 1)) {
      const head = b.slice(0, i);
      if (municipalityNames.has(head) && !(lastOfGroup.get(head) > p.name)) lastOfGroup.set(head, p.name);
    }
  }
  const shadows = (p) => {
    const b = baseName(p);
    for (let i = b.indexOf(' '); i > 0; i = b.indexOf(' ', i + 1)) {
      const head = b.slice(0, i);
      if (municipalityNames.has(head) && !(lastOfGroup.get(head) > p.name)) return true;
    }
    return false;
  };
  const kept = places.filter((p) => p.kind === 'comune' || !shadows(p));
  const shadowing = places.length - kept.length;
  return { places: kept, stats: { municipalities: municipalities.length, joined, fromPredecessors, former, hamlets, ceded, shadowing } };
}


// Italian country names in the form the state field keeps: upper case, no accents, at most 23.
const STATE_NAMES = {
  US: 'STATI UNITI', GB: 'REGNO UNITO', CD: 'REP. DEM. DEL CONGO', CG: 'REP. DEL CONGO',
  CF: 'REP. CENTRAFRICANA', FM: 'MICRONESIA', GS: 'GEORGIA DEL SUD', IO: 'TERR. BRIT. OC. INDIANO',
  MP: 'MARIANNE SETTENTRIONALI', SH: "SANT'ELENA", TF: 'TERRE AUSTRALI FRANCESI',
  UM: 'ISOLE MINORI USA', VC: 'SAINT VINCENT', VG: 'ISOLE VERGINI BRIT.', VI: 'ISOLE VERGINI USA',
  XK: 'KOSOVO', BQ: 'ISOLE BES', VA: 'CITTA DEL VATICANO',
};

// ISO numeric codes missing from the country package.
const NUMERIC = { XK: '383' };

export function stateName(countries, cc) {
  if (STATE_NAMES[cc]) return STATE_NAMES[cc];
  const n = countries.getName(cc, 'it');
  if (!n) throw new Error(`no Italian name for country ${cc}`);
  const s = n.normalize('NFD').replace(/\p{M}/gu, '').toUpperCase();
  if (s.length > STATE_WIDTH) throw new Error(`state name too long for ${cc}: ${s}`);
  return s;
}

// Pakistan keeps the list id whose fixed correction the program applies after 1951.
const RESERVED_LISTS = { 'PK|Asia/Karachi': '00920000' };

export function foreignPlaces(geonames, countries, resolveZone, minPopulation, warn) {
  // Districts of a city (PPLX: "Zürich (Kreis 9) / Altstetten") are left out: birth records
  // name the city, and a district would take the typed search of its city's name.
  const rows = geonames.filter((r) => r.country !== 'IT' && r.population >= minPopulation && r.featureCode !== 'PPLX');
  // Regime lists: one per (country, zone, Gregorian date).
  const keys = new Map();
  for (const r of rows) {
    const zone = resolveZone(r.timezone);
    const greg = gregorianAdoption(r.country, r.admin1, zone);
    r._listKey = `${r.country}|${zone}|${greg}`;
    keys.set(r._listKey, { country: r.country, zone, greg });
  }
  const ids = new Map();
  const byCountry = new Map();
  for (const [k, v] of [...keys].sort(([a], [b]) => (a < b ? -1 : a > b ? 1 : 0))) {
    const reserved = RESERVED_LISTS[`${v.country}|${v.zone}`];
    if (reserved) { ids.set(k, reserved); continue; }
    const num = countries.alpha2ToNumeric(v.country) ?? NUMERIC[v.country];
    if (!num) throw new Error(`no numeric code for ${v.country}`);
    const seq = (byCountry.get(v.country) ?? 0) + 1;
    byCountry.set(v.country, seq);
    ids.set(k, `1${String(num).padStart(3, '0')}${String(seq).padStart(4, '0')}`);
  }
  const lists = [...keys].map(([k, v]) =>
    regimeFromHistory(ids.get(k), v.greg, historyOf(v.zone), `${v.zone} (${v.country})`))
    .sort((a, b) => (a.id < b.id ? -1 : 1));
  const place = (r, name) => ({
    name: fitName(foreignName(name, r.asciiname), '', NAME_WIDTH),
    state: stateName(countries, r.country),
    latitude: r.latitude, longitude: r.longitude, regime: ids.get(r._listKey), population: r.population,
  });
  const places = rows.filter((r) => foreignName(r.name, r.asciiname) !== '').map((r) => place(r, r.name));
  for (const [geoName, country, ...extra] of EXTRA_NAMES) {
    const r = rows.filter((x) => x.name === geoName && x.country === country).sort((a, b) => b.population - a.population)[0];
    if (!r) { warn(`extra names: ${geoName} (${country}) not in GeoNames`); continue; }
    for (const n of extra) places.push(place(r, n));
  }
  return { places, lists };
}
