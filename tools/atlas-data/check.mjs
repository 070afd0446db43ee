#!/usr/bin/env node
// Compares the regime lists of a build with the tz database as read by zdump (an
// independent reader): random (list, instant) pairs from 1900 on must give the same
// correction. Italian lists are compared, period by period, with the zone they follow then.
// Usage: node tools/atlas-data/check.mjs [--out DIR] [--pairs N] [--seed S]
import fs from 'node:fs';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { option, outDirOption } from './lib/cli.mjs';

const outDir = outDirOption();
const pairs = Number(option('--pairs', '500'));
let seed = Number(option('--seed', '1'));
const random = () => {  // small deterministic generator (mulberry32)
  seed = (seed + 0x6D2B79F5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
};

function readLists(file) {
  const lists = new Map();
  const zones = new Map();
  for (const line of fs.readFileSync(path.join(outDir, file), 'utf8').split('\n')) {
    const c = /^# (\d{8}): (\S+)/.exec(line);
    if (c) zones.set(c[1], c[2]);
    if (!line || line.startsWith('#') || line.startsWith('list\t')) continue;
    const [id, kind, instant, correction] = line.split('\t');
    if (!lists.has(id)) lists.set(id, []);
    if (kind === 'LMT' || kind === 'CHANGE') lists.get(id).push({ at: Date.parse(instant) / 1000, correction: Number(correction) });
  }
  return { lists, zones };
}

// Correction in force at t by the list: the last record at or before t.
function listCorrection(records, t) {
  let c = null;
  for (const r of records) if (r.at <= t) c = r.correction;
  return c;
}

const zdumpCache = new Map();
function zdumpChanges(zone) {
  if (!zdumpCache.has(zone)) {
    const text = execFileSync('zdump', ['-v', '-c', '1800,2081', zone], { encoding: 'utf8' });
    const changes = [];
    for (const line of text.split('\n')) {
      // "Europe/Rome  Sun Jun  4 ... 1916 UT = ... isdst=1 gmtoff=7200"
      const m = /\s(\w{3}) (\w{3})\s+(\d+) (\d\d):(\d\d):(\d\d) (-?\d+) UT = .* gmtoff=(-?\d+)$/.exec(line);
      if (!m) continue;
      const month = 'JanFebMarAprMayJunJulAugSepOctNovDec'.indexOf(m[2]) / 3;
      const at = Date.UTC(Number(m[7]), month, Number(m[3]), Number(m[4]), Number(m[5]), Number(m[6])) / 1000;
      changes.push({ at, utoff: Number(m[8]) });
    }
    zdumpCache.set(zone, changes);
  }
  return zdumpCache.get(zone);
}

// zdump prints each transition as the last second before it and the first second of it.
function zdumpCorrection(zone, t) {
  let utoff = null;
  for (const c of zdumpChanges(zone)) if (c.at <= t) utoff = c.utoff;
  return utoff === null ? null : -utoff / 3600;
}

const START = Date.UTC(1900, 0, 1) / 1000;
const END = Date.UTC(2037, 0, 1) / 1000;
let agree = 0, differ = 0;
const failures = [];
function compare(store, id, records, zone, t) {
  const ours = listCorrection(records, t);
  const theirs = zdumpCorrection(zone, t);
  if (ours === null || theirs === null) return;
  if (Math.abs(ours - theirs) < 1e-6) agree++;
  else {
    differ++;
    failures.push(`${store} ${id} ${zone} ${new Date(t * 1000).toISOString()}: ${ours} vs zdump ${theirs}`);
  }
}

const estero = readLists('estero_regimes.tsv');
const ids = [...estero.lists.keys()];
for (let i = 0; i < pairs; i++) {
  const id = ids[Math.floor(random() * ids.length)];
  const t = Math.floor(START + random() * (END - START));
  compare('estero', id, estero.lists.get(id), estero.zones.get(id), t);
}

// Italian lists against the zones whose legal time they follow in each period.
const italia = readLists('italia_regimes.tsv');
const T = (y, m = 1, d = 1) => Date.UTC(y, m - 1, d) / 1000;
const rome = (from, to) => [from, to, 'Europe/Rome'];
const ITALIAN_WINDOWS = {
  '00390001': [rome(T(1900), T(2037))],
  '00390002': [rome(T(1900), T(1944)), [T(1944), T(1944, 6, 1), 'Europe/Malta'], rome(T(1944, 6, 5), T(2037))],
  '00390003': [rome(T(1900), T(1944)), [T(1944), T(1945), 'Europe/Berlin'], rome(T(1945, 5), T(2037))],
  '00390004': [[T(1900), T(1918, 11), 'Europe/Vienna'], rome(T(1919), T(1944)), [T(1944), T(1945), 'Europe/Berlin'], rome(T(1945, 5, 4), T(2037))],
  '00390005': [[T(1900), T(1918, 11), 'Europe/Vienna'], rome(T(1919), T(1944)), [T(1944), T(1945), 'Europe/Berlin'], rome(T(1945, 5, 4), T(2037))],
  '00390006': [[T(1900), T(1918, 11), 'Europe/Vienna'], rome(T(1919), T(1943, 9)), [T(1945, 5, 2), T(2037), 'Europe/Ljubljana']],
};
const italianIds = [...italia.lists.keys()];
for (let i = 0; i < pairs / 5; i++) {
  const id = italianIds[Math.floor(random() * italianIds.length)];
  const windows = ITALIAN_WINDOWS[id];
  if (!windows) { differ++; failures.push(`italia ${id}: no comparison windows`); continue; }
  const [from, to, zone] = windows[Math.floor(random() * windows.length)];
  compare('italia', id, italia.lists.get(id), zone, Math.floor(from + random() * (to - from)));
}

for (const f of failures.slice(0, 20)) console.log(f);
console.log(`zdump check: ${agree} agree, ${differ} differ`);
console.log(`${agree} passed, ${differ} failed`);
process.exit(differ === 0 ? 0 : 1);
