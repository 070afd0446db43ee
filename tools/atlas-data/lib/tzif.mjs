// Reader for compiled IANA zone files (TZif versions 2 and later) and the
// POSIX TZ rule of their footer, which carries the zone past its last
// explicit transition.
import fs from 'node:fs';

// Reads one TZif file: { types: [{utoff, isdst, abbr}], transitions: [{at, type}], footer }.
// `at` is seconds since 1970-01-01 00:00 UT.
export function readTzif(file) {
  const buf = fs.readFileSync(file);
  if (buf.length < 44 || buf.toString('latin1', 0, 4) !== 'TZif') {
    throw new Error(`${file}: not a TZif file`);
  }
  const version = buf[4];
  const header = (at) => ({
    isutcnt: buf.readUInt32BE(at + 20), isstdcnt: buf.readUInt32BE(at + 24),
    leapcnt: buf.readUInt32BE(at + 28), timecnt: buf.readUInt32BE(at + 32),
    typecnt: buf.readUInt32BE(at + 36), charcnt: buf.readUInt32BE(at + 40),
  });
  const blockSize = (h, timeSize) => h.timecnt * timeSize + h.timecnt + h.typecnt * 6 +
    h.charcnt + h.leapcnt * (timeSize + 4) + h.isstdcnt + h.isutcnt;
  let pos = 0;
  let h = header(0);
  let timeSize = 4;
  if (version >= 0x32) {  // '2' and later: skip the 32-bit block, use the 64-bit one
    pos = 44 + blockSize(h, 4);
    if (buf.toString('latin1', pos, pos + 4) !== 'TZif') throw new Error(`${file}: bad second header`);
    h = header(pos);
    timeSize = 8;
  }
  pos += 44;
  const end = pos + blockSize(h, timeSize);
  if (end > buf.length) throw new Error(`${file}: truncated`);
  const transitions = [];
  for (let i = 0; i < h.timecnt; i++) {
    const at = timeSize === 8 ? Number(buf.readBigInt64BE(pos + i * 8)) : buf.readInt32BE(pos + i * 4);
    transitions.push({ at, type: 0 });
  }
  pos += h.timecnt * timeSize;
  for (let i = 0; i < h.timecnt; i++) transitions[i].type = buf[pos + i];
  pos += h.timecnt;
  const rawTypes = [];
  for (let i = 0; i < h.typecnt; i++) {
    rawTypes.push({ utoff: buf.readInt32BE(pos), isdst: buf[pos + 4], abbrIndex: buf[pos + 5] });
    pos += 6;
  }
  const chars = buf.toString('latin1', pos, pos + h.charcnt);
  const types = rawTypes.map((t) => ({
    utoff: t.utoff, isdst: t.isdst, abbr: chars.slice(t.abbrIndex, chars.indexOf('\0', t.abbrIndex)),
  }));
  let footer = '';
  if (timeSize === 8) {
    const rest = buf.toString('latin1', end);
    const m = /^\n([^\n]*)\n/.exec(rest);
    if (m) footer = m[1];
  }
  return { types, transitions, footer };
}

// --- POSIX TZ strings ("CET-1CEST,M3.5.0,M10.5.0/3") ---

function parseName(s, i) {
  if (s[i] === '<') {
    const j = s.indexOf('>', i);
    return [s.slice(i + 1, j), j + 1];
  }
  let j = i;
  while (j < s.length && /[A-Za-z]/.test(s[j])) j++;
  return [s.slice(i, j), j];
}

// [+-]hh[:mm[:ss]] -> seconds
function parseOffset(s, i) {
  const m = /^([+-]?)(\d{1,3})(?::(\d{1,2}))?(?::(\d{1,2}))?/.exec(s.slice(i));
  if (!m) return [null, i];
  const v = Number(m[2]) * 3600 + Number(m[3] || 0) * 60 + Number(m[4] || 0);
  return [m[1] === '-' ? -v : v, i + m[0].length];
}

function parseRule(text) {
  const [date, time] = text.split('/');
  const at = time === undefined ? 7200 : parseOffset(time, 0)[0];
  let m;
  if ((m = /^M(\d+)\.(\d)\.(\d)$/.exec(date))) return { kind: 'M', month: +m[1], week: +m[2], wday: +m[3], at };
  if ((m = /^J(\d+)$/.exec(date))) return { kind: 'J', day: +m[1], at };
  if ((m = /^(\d+)$/.exec(date))) return { kind: 'N', day: +m[1], at };
  throw new Error(`unsupported TZ rule ${text}`);
}

export function parsePosixTz(s) {
  if (!s) return null;
  let i = 0;
  let std, dst, stdOff, dstOff;
  [std, i] = parseName(s, i);
  [stdOff, i] = parseOffset(s, i);
  if (i >= s.length) return { std: { abbr: std, utoff: -stdOff, isdst: 0 } };
  [dst, i] = parseName(s, i);
  if (s[i] !== ',' && i < s.length) [dstOff, i] = parseOffset(s, i);
  if (dstOff === undefined || dstOff === null) dstOff = stdOff - 3600;
  const rules = s.slice(i + 1).split(',');
  return {
    std: { abbr: std, utoff: -stdOff, isdst: 0 },
    dst: { abbr: dst, utoff: -dstOff, isdst: 1 },
    start: parseRule(rules[0]), end: parseRule(rules[1]),
  };
}

const DAY = 86400;
function daysFromCivil(y, m, d) {  // proleptic Gregorian, days since 1970-01-01
  return Date.UTC(y, m - 1, d) / 1000 / DAY;
}
function isLeap(y) { return (y % 4 === 0 && y % 100 !== 0) || y % 400 === 0; }

// Local (wall) seconds since epoch of the rule's moment in year y.
function ruleLocalSeconds(rule, y) {
  let day;
  if (rule.kind === 'M') {
    const first = daysFromCivil(y, rule.month, 1);
    const wdFirst = ((first % 7) + 7 + 4) % 7;  // 1970-01-01 was a Thursday
    day = first + ((rule.wday - wdFirst + 7) % 7) + (rule.week - 1) * 7;
    const monthDays = daysFromCivil(rule.month === 12 ? y + 1 : y, rule.month === 12 ? 1 : rule.month + 1, 1) - first;
    while (day - first >= monthDays) day -= 7;
  } else if (rule.kind === 'J') {  // 1..365, 29 Feb never counted
    day = daysFromCivil(y, 1, 1) + rule.day - 1 + (isLeap(y) && rule.day >= 60 ? 1 : 0);
  } else {
    day = daysFromCivil(y, 1, 1) + rule.day;
  }
  return day * DAY + rule.at;
}

// Transitions the footer rule produces in years [fromYear, toYear], as {at, type:{utoff,isdst,abbr}}.
export function expandPosixTz(tz, fromYear, toYear) {
  const out = [];
  if (!tz || !tz.dst) return out;
  for (let y = fromYear; y <= toYear; y++) {
    // The start moment is in standard wall time, the end moment in daylight wall time.
    out.push({ at: ruleLocalSeconds(tz.start, y) - tz.std.utoff, type: tz.dst });
    out.push({ at: ruleLocalSeconds(tz.end, y) - tz.dst.utoff, type: tz.std });
  }
  return out.sort((a, b) => a.at - b.at);
}

// The whole history of a zone up to the end of `lastYear`: the type in force before the
// first transition, then every transition that changes offset or abbreviation.
export function zoneHistory(file, lastYear) {
  const z = readTzif(file);
  // The type in force before any transition is the first one (RFC 8536 3.2).
  const initial = z.types[0];
  const changes = [];
  let current = initial;
  const push = (at, type) => {
    if (type.utoff === current.utoff && type.abbr === current.abbr && type.isdst === current.isdst) return;
    changes.push({ at, utoff: type.utoff, isdst: type.isdst, abbr: type.abbr });
    current = type;
  };
  let lastAt = -Infinity;
  for (const t of z.transitions) {
    push(t.at, z.types[t.type]);
    lastAt = t.at;
  }
  const tz = parsePosixTz(z.footer);
  if (tz) {
    const fromYear = Number.isFinite(lastAt) ? new Date(lastAt * 1000).getUTCFullYear() : 1970;
    for (const t of expandPosixTz(tz, fromYear, lastYear)) {
      if (t.at > lastAt) push(t.at, t.type);
    }
  }
  const endOfLast = Date.UTC(lastYear + 1, 0, 1) / 1000;
  return { initial, changes: changes.filter((c) => c.at < endOfLast) };
}
