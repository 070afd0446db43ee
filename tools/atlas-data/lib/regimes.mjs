// Regime lists: the GREG date, the end of local mean time and every change of legal time.
import path from 'node:path';
import { zoneHistory } from './tzif.mjs';

export const ZONEINFO = process.env.ATLAS_ZONEINFO || '/usr/share/zoneinfo';
export const LAST_YEAR = 2080;  // the birth-date check accepts years up to 2080

const histories = new Map();
export function historyOf(zone) {
  if (!histories.has(zone)) histories.set(zone, zoneHistory(path.join(ZONEINFO, zone), LAST_YEAR));
  return histories.get(zone);
}

// Correction in hours, UT minus local clock time.
export function correctionOf(utoff) { return -utoff / 3600; }

export function formatCorrection(c) {
  if (Object.is(c, -0) || c === 0) return '0';
  return Number.isInteger(c) ? String(c) : c.toFixed(6);
}

const RESERVED = new Set(['GREG', 'LMT', 'RICH', '****']);

// Abbreviations fit in 4 characters: "+0530" -> "+530", "-03" stays, "+1245" -> "+12¾".
export function labelOf(abbr) {
  let s = abbr;
  const m = /^([+-])(\d\d)(\d\d)?$/.exec(s);
  if (m) {
    const h = Number(m[2]);
    const min = m[3] ?? '00';
    if (min === '00') s = `${m[1]}${m[2]}`;
    else if (h < 10) s = `${m[1]}${h}${min}`;
    else s = `${m[1]}${m[2]}${{ 15: '¼', 30: '½', 45: '¾' }[Number(min)] ?? ''}`;
  }
  s = s.slice(0, 4);
  if (RESERVED.has(s)) s = s === 'LMT' ? 'MT' : s.toLowerCase();
  return s;
}

// A zone history as a regime list: the first change out of local mean time is the LMT record.
export function regimeFromHistory(id, greg, history, name) {
  const changes = history.changes.map((c) => ({ at: c.at, correction: correctionOf(c.utoff), label: labelOf(c.abbr) }));
  let lmt = null;
  if (history.initial.abbr === 'LMT' && changes.length > 0) {
    const first = changes.shift();
    lmt = { at: first.at, correction: first.correction };
  }
  return { id, name, greg, lmt, changes };
}

// A history made of consecutive segments: local mean time up to the first segment's start,
// then for each segment the changes of its zone between `from` and the next segment's start.
// Where a segment starts with a legal time different from the one in force, a change is
// recorded at its start.
export function composeHistory(lmtEnd, segments) {
  const changes = [];
  let current = null;
  const push = (at, t) => {
    if (current && current.utoff === t.utoff && current.abbr === t.abbr) return;
    changes.push({ at, utoff: t.utoff, isdst: t.isdst, abbr: t.abbr });
    current = t;
  };
  for (let i = 0; i < segments.length; i++) {
    const { zone, from } = segments[i];
    const to = i + 1 < segments.length ? segments[i + 1].from : Infinity;
    const h = historyOf(zone);
    let inForce = h.initial;
    for (const c of h.changes) if (c.at <= from) inForce = c;
    push(from, inForce);
    for (const c of h.changes) if (c.at > from && c.at < to) push(c.at, c);
  }
  if (segments[0].from !== lmtEnd) throw new Error('the first segment must start at the end of local mean time');
  return { initial: { utoff: 0, isdst: 0, abbr: 'LMT' }, changes };
}

export const utc = (y, mo, d, h = 0, mi = 0, s = 0) => Date.UTC(y, mo - 1, d, h, mi, s) / 1000;

export function isoInstant(at) {
  const d = new Date(at * 1000);
  if (Number.isNaN(d.getTime())) throw new Error(`bad instant ${at}`);
  const y = d.getUTCFullYear();
  const p = (n, w = 2) => String(n).padStart(w, '0');
  return `${p(y, 4)}-${p(d.getUTCMonth() + 1)}-${p(d.getUTCDate())}T${p(d.getUTCHours())}:${p(d.getUTCMinutes())}:${p(d.getUTCSeconds())}Z`;
}

// Rows of the regime TSV for one list.
export function regimeRows(list) {
  const rows = [[list.id, 'GREG', list.greg, '', '']];
  if (list.lmt) rows.push([list.id, 'LMT', isoInstant(list.lmt.at), formatCorrection(list.lmt.correction), '']);
  let last = list.lmt ? list.lmt.at : -Infinity;
  for (const c of list.changes) {
    if (!(c.at > last)) throw new Error(`list ${list.id}: instants not ascending at ${isoInstant(c.at)}`);
    last = c.at;
    rows.push([list.id, 'CHANGE', isoInstant(c.at), formatCorrection(c.correction), c.label]);
  }
  return rows;
}
