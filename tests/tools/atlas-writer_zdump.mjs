// Compares the correction to Universal Time that the program works out from the shipped atlas
// (florimant-cli birth, through ESTERO.LOC/ITALIA.LOC and the regime files) with the IANA time
// zone database as the system's zdump reads it, for random places and local times since 1900.
// Usage: node atlas-writer_zdump.mjs FLORIMANT_CLI SOURCE_DIR [PAIRS] [SEED]
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { join } from "node:path";

const [cli, src, pairsArg, seedArg] = process.argv.slice(2);
if (!cli || !src) {
  console.error("uso: node atlas-writer_zdump.mjs FLORIMANT_CLI SOURCE_DIR [COPPIE] [SEME]");
  process.exit(2);
}
const pairs = Number(pairsArg ?? 300);
const installation = join(src, "installation");
const tables = join(src, "tools/atlas-data/out");

// A small deterministic generator, so a failure can be repeated.
let state = Number(seedArg ?? 20261209) >>> 0;
const random = () => {
  state = (Math.imul(state, 1664525) + 1013904223) >>> 0;
  return state / 2 ** 32;
};
const pick = (n) => Math.floor(random() * n);

// Regime list id -> IANA zone, from the tables' description lines ("# 18260001: Europe/London (GB)").
function zonesOf(file) {
  const zones = new Map();
  for (const line of readFileSync(join(tables, file), "utf8").split("\n")) {
    const m = /^# (\d{8}): ([A-Za-z_]+\/[A-Za-z_\/\-+0-9]+) \(/.exec(line);
    if (m) zones.set(m[1], m[2]);
  }
  return zones;
}

function places(file) {
  const bytes = readFileSync(join(installation, "Localita", file));
  const count = bytes.length / 88 - 1;
  return { count, code: (r) => bytes.readInt32LE(r * 88 + 60) };
}

// Offsets in force from each UT instant on, from zdump -v.
const zdumpCache = new Map();
function transitions(zone) {
  if (zdumpCache.has(zone)) return zdumpCache.get(zone);
  const out = execFileSync("zdump", ["-v", "-c", "1800,2040", zone], { encoding: "utf8" });
  const months = { Jan: 0, Feb: 1, Mar: 2, Apr: 3, May: 4, Jun: 5, Jul: 6, Aug: 7, Sep: 8, Oct: 9, Nov: 10, Dec: 11 };
  const list = [];
  for (const line of out.split("\n")) {
    const m = /\w{3} (\w{3})\s+(\d+) (\d\d):(\d\d):(\d\d) (-?\d+) UT = .* gmtoff=(-?\d+)/.exec(line);
    if (!m) continue;
    const ut = Date.UTC(Number(m[6]), months[m[1]], Number(m[2]), Number(m[3]), Number(m[4]), Number(m[5])) / 1000;
    list.push({ ut, offset: Number(m[7]) });
  }
  zdumpCache.set(zone, list);
  return list;
}
function offsetAt(list, ut) {
  let offset = list.length ? list[0].offset : 0;
  for (const t of list) {
    if (t.ut > ut) break;
    offset = t.offset;
  }
  return offset;
}
// Offsets o with offsetAt(local - o) == o: one for an ordinary local time, none or two around a change.
function offsetsForLocal(list, local) {
  const candidates = new Set(list.map((t) => t.offset));
  return [...candidates].filter((o) => offsetAt(list, local - o) === o);
}

function run(store, zones) {
  const file = places(store === "estero" ? "ESTERO.LOC" : "ITALIA.LOC");
  const tally = { agree: 0, differ: 0, ambiguous: 0, meanTime: 0, noZone: 0, samples: [] };
  for (let i = 0; i < pairs; ++i) {
    const record = 1 + pick(file.count);
    const list = String(file.code(record)).slice(1);
    const zone = store === "estero" ? zones.get(list) : "Europe/Rome";
    if (!zone) {
      ++tally.noZone;
      continue;
    }
    const year = 1900 + pick(138), month = 1 + pick(12), day = 1 + pick(28), hour = pick(24), minute = pick(60);
    const pad = (n, w = 2) => String(n).padStart(w, "0");
    const args = ["--data", installation, "birth", ...(store === "estero" ? ["--estero"] : []), "--record", String(record),
      "--date", `${pad(day)}/${pad(month)}/${year}`, "--time", `${pad(hour)}:${pad(minute)}`, "--reform", "0"];
    const result = JSON.parse(execFileSync(cli, args, { encoding: "utf8" }));
    const expected = offsetsForLocal(transitions(zone), Date.UTC(year, month - 1, day, hour, minute) / 1000);
    if (result.local_mean_time) {
      ++tally.meanTime;  // the program's own longitude, not the zone's reference city
      continue;
    }
    if (expected.length !== 1) {
      ++tally.ambiguous;  // a local time skipped or repeated by a change
      continue;
    }
    const program = Number(result.EditFuso);
    const iana = -expected[0] / 3600;
    if (Math.abs(program - iana) < 1 / 60) {
      ++tally.agree;
    } else {
      ++tally.differ;
      tally.samples.push(`${result.EditLocEstesa} (${zone}, list ${list}) ${pad(day)}/${pad(month)}/${year} ${pad(hour)}:${pad(minute)}: ` +
        `programma ${result.EditFuso}, IANA ${iana}`);
    }
  }
  return tally;
}

const estero = run("estero", zonesOf("estero_regimes.tsv"));
const italia = run("italia", new Map());
let failed = false;
for (const [name, t] of [["ESTERO", estero], ["ITALIA (contro Europe/Rome)", italia]]) {
  const compared = t.agree + t.differ;
  const rate = compared ? (100 * t.agree) / compared : 100;
  console.log(`${name}: ${t.agree}/${compared} concordi (${rate.toFixed(1)}%), ` +
    `${t.ambiguous} ore ambigue o inesistenti, ${t.meanTime} in tempo medio locale, ${t.noZone} senza zona`);
  for (const s of t.samples) console.log("  " + s);
  // Abroad the lists are the IANA zones themselves: only the Pakistani fixed correction may differ.
  if (name === "ESTERO" && rate < 99) failed = true;
  // Italian regional rules differ from Europe/Rome on purpose in 1940-1945 and before 1918.
  if (name !== "ESTERO" && rate < 95) failed = true;
}
process.exit(failed ? 1 : 0);
