// Legal time in Italy by area. The IANA database keeps one zone for the whole country
// (Europe/Rome); births in Italy need more: town clocks kept local mean time until
// Central European Time was adopted on 1 November 1893, the lands that were Austrian until
// 1918 followed Vienna, and in 1944 the German-held north changed clocks on German dates.
// The reasons and sources of every rule are in docs/atlas.md ("Regimi orari italiani").
import { GREGORIAN_REFORM_DAY } from './gregorian.mjs';
import { composeHistory, regimeFromHistory, utc } from './regimes.mjs';

// 1 November 1893, 0h Central European Time (Regio Decreto 10 agosto 1893, n. 490).
const ITALY_CET = utc(1893, 10, 31, 23);
// 1 April 1893, 0h Central European Time: the Austrian lands (IANA Europe/Vienna).
const AUSTRIA_CET = utc(1893, 3, 31, 23);
// 4 November 1918, armistice of Villa Giusti: Trento, Bolzano, Trieste and Gorizia under Italian administration.
const ITALIAN_1918 = utc(1918, 11, 4, 14);
// 10 September 1943: German occupation of the centre and north after the armistice.
const OCCUPATION = utc(1943, 9, 10);
// 4 June 1944: liberation of Rome; the Italian dates of 1944 apply from here on (IANA Europe/Rome).
const ROME_FREE = utc(1944, 6, 4);
// 25 April 1945 (liberation of the north) and 3 May 1945 (Bolzano, Trieste after 1 May).
const NORTH_FREE = utc(1945, 4, 25);
const EAST_FREE = utc(1945, 5, 3);
// 1 May 1945: Yugoslav troops in Trieste; Istria, Fiume and Zara under Yugoslav time from then.
const YUGOSLAV = utc(1945, 5, 1);

// Vienna's time until Italian administration, German dates under the occupation.
const AUSTRIAN_SEGMENTS = [
  { zone: 'Europe/Vienna', from: AUSTRIA_CET },
  { zone: 'Europe/Rome', from: ITALIAN_1918 },
  { zone: 'Europe/Berlin', from: OCCUPATION },
  { zone: 'Europe/Rome', from: EAST_FREE },
];

export const ITALIAN_REGIMES = [
  {
    id: '00390001', key: 'CENTRO',
    name: 'Italia centrale: Lazio, Abruzzo, Umbria, Marche, Toscana (salvo Massa-Carrara)',
    greg: GREGORIAN_REFORM_DAY, lmtEnd: ITALY_CET,
    // Exactly Europe/Rome after 1893: German dates until 4 June 1944, then Italian ones.
    segments: [{ zone: 'Europe/Rome', from: ITALY_CET }],
  },
  {
    id: '00390002', key: 'SUD',
    name: 'Italia meridionale e isole (Regno del Sud 1943-1945)',
    greg: GREGORIAN_REFORM_DAY, lmtEnd: ITALY_CET,
    // Italian dates throughout; Europe/Malta kept the Italian rules of 1943-1944 (IANA "Italy" rules).
    segments: [
      { zone: 'Europe/Rome', from: ITALY_CET },
      { zone: 'Europe/Malta', from: OCCUPATION },
      { zone: 'Europe/Rome', from: ROME_FREE },
    ],
  },
  {
    id: '00390003', key: 'NORD',
    name: 'Italia settentrionale (Repubblica Sociale 1943-1945)',
    greg: GREGORIAN_REFORM_DAY, lmtEnd: ITALY_CET,
    segments: [
      { zone: 'Europe/Rome', from: ITALY_CET },
      { zone: 'Europe/Berlin', from: OCCUPATION },
      { zone: 'Europe/Rome', from: NORTH_FREE },
    ],
  },
  {
    id: '00390004', key: 'TIROLO',
    name: 'Trentino-Alto Adige e comuni gia tirolesi (Austria fino al 1918)',
    greg: '1583-10-16', lmtEnd: AUSTRIA_CET, segments: AUSTRIAN_SEGMENTS,
  },
  {
    id: '00390005', key: 'LITORALE',
    name: 'Trieste, Gorizia e Friuli gia austriaco (Austria fino al 1918)',
    greg: '1583-12-25', lmtEnd: AUSTRIA_CET, segments: AUSTRIAN_SEGMENTS,
  },
  {
    id: '00390006', key: 'ISTRIA',
    name: 'Istria, Fiume, Zara e Carso ceduti nel 1947 (Austria fino al 1918, Jugoslavia dal 1945)',
    greg: GREGORIAN_REFORM_DAY, lmtEnd: AUSTRIA_CET,
    segments: [
      { zone: 'Europe/Vienna', from: AUSTRIA_CET },
      { zone: 'Europe/Rome', from: ITALIAN_1918 },
      { zone: 'Europe/Berlin', from: OCCUPATION },
      { zone: 'Europe/Ljubljana', from: YUGOSLAV },
    ],
  },
];

// Italian towns of the provinces of 1939 that passed to Yugoslavia in 1947: the Italian name,
// the province of 1939, and the GeoNames row of the town today (name, country, admin1).
export const CEDED_TOWNS = [
  ['Pola', 'PL', 'Pula', 'HR'], ['Rovigno', 'PL', 'Rovinj', 'HR'], ['Parenzo', 'PL', 'Poreč', 'HR'],
  ['Albona', 'PL', 'Labin', 'HR'], ['Pisino', 'PL', 'Pazin', 'HR'], ['Umago', 'PL', 'Umag', 'HR'],
  ["Cittanova d'Istria", 'PL', 'Novigrad', 'HR', '04'], ['Buie', 'PL', 'Buje', 'HR'],
  ['Dignano', 'PL', 'Vodnjan', 'HR'], ['Pinguente', 'PL', 'Buzet', 'HR'], ['Montona', 'PL', 'Motovun', 'HR'],
  ['Orsera', 'PL', 'Vrsar', 'HR'], ['Capodistria', 'PL', 'Koper', 'SI'], ['Pirano', 'PL', 'Piran', 'SI'],
  ["Isola d'Istria", 'PL', 'Izola', 'SI'], ['Lussinpiccolo', 'PL', 'Mali Lošinj', 'HR'], ['Cherso', 'PL', 'Cres', 'HR'],
  ['Fiume', 'FU', 'Rijeka', 'HR'], ['Abbazia', 'FU', 'Opatija', 'HR'], ['Laurana', 'FU', 'Lovran', 'HR'],
  ['Mattuglie', 'FU', 'Matulji', 'HR'], ['Castua', 'FU', 'Kastav', 'HR'], ['Villa del Nevoso', 'FU', 'Ilirska Bistrica', 'SI'],
  ['Zara', 'ZA', 'Zadar', 'HR'], ['Lagosta', 'ZA', 'Lastovo', 'HR'],
  ['Postumia', 'TS', 'Postojna', 'SI'], ['Sesana', 'TS', 'Sežana', 'SI'], ['Divaccia', 'TS', 'Divača', 'SI'],
  ['San Pietro del Carso', 'TS', 'Pivka', 'SI'],
  ['Tolmino', 'GO', 'Tolmin', 'SI'], ['Caporetto', 'GO', 'Kobarid', 'SI'], ['Idria', 'GO', 'Idrija', 'SI'],
  ['Aidussina', 'GO', 'Ajdovščina', 'SI'], ["Canale d'Isonzo", 'GO', 'Kanal', 'SI'], ['Plezzo', 'GO', 'Bovec', 'SI'],
  ['Vipacco', 'GO', 'Vipava', 'SI'],
];

export const CEDED_REGIME = '00390006';

// Names by which birth records and common usage know municipalities whose official name is
// another: the name, the municipality's ISTAT name and province. They take its position.
export const OTHER_NAMES = [
  ['Reggio Calabria', 'Reggio di Calabria', 'RC'], ['Reggio Emilia', "Reggio nell'Emilia", 'RE'],
  ['San Remo', 'Sanremo', 'IM'], ['Spezia', 'La Spezia', 'SP'], ['Aquila', "L'Aquila", 'AQ'],
  // Renamed or merged in the twentieth century.
  ['Girgenti', 'Agrigento', 'AG'], ['Castrogiovanni', 'Enna', 'EN'], ['Terranova di Sicilia', 'Gela', 'CL'],
  ['Monteleone di Calabria', 'Vibo Valentia', 'VV'], ['Terranova Pausania', 'Olbia', 'SS'],
  ['Aquila degli Abruzzi', "L'Aquila", 'AQ'], ['Porto Maurizio', 'Imperia', 'IM'], ['Oneglia', 'Imperia', 'IM'],
  ['Castellammare Adriatico', 'Pescara', 'PE'], ['Littoria', 'Latina', 'LT'], ['Mussolinia di Sardegna', 'Arborea', 'OR'],
  ['Resina', 'Ercolano', 'NA'], ['Apuania', 'Massa', 'MS'], ["Sant'Eufemia Lamezia", 'Lamezia Terme', 'CZ'],
  ['Corigliano Calabro', 'Corigliano-Rossano', 'CS'], ['Rossano', 'Corigliano-Rossano', 'CS'],
  ['Sampierdarena', 'Genova', 'GE'], ['Sestri Ponente', 'Genova', 'GE'], ['Pegli', 'Genova', 'GE'],
  ['Voltri', 'Genova', 'GE'], ['Nervi', 'Genova', 'GE'],
];

export function italianRegimeLists() {
  return ITALIAN_REGIMES.map((r) => regimeFromHistory(r.id, r.greg, composeHistory(r.lmtEnd, r.segments), r.name));
}

const BY_REGION = {
  'Lazio': 'CENTRO', 'Abruzzo': 'CENTRO', 'Umbria': 'CENTRO', 'Marche': 'CENTRO', 'Toscana': 'CENTRO',
  'Campania': 'SUD', 'Puglia': 'SUD', 'Basilicata': 'SUD', 'Calabria': 'SUD', 'Sicilia': 'SUD',
  'Sardegna': 'SUD', 'Molise': 'SUD',
  'Piemonte': 'NORD', "Valle d'Aosta": 'NORD', 'Lombardia': 'NORD', 'Liguria': 'NORD', 'Veneto': 'NORD',
  'Emilia-Romagna': 'NORD', 'Friuli-Venezia Giulia': 'NORD', 'Trentino-Alto Adige': 'TIROLO',
};

const BY_PROVINCE = {
  // Massa-Carrara stayed behind the Gothic line until April 1945.
  MS: 'NORD',
  TS: 'LITORALE', GO: 'LITORALE',
};

// Municipalities outside Trentino-Alto Adige and the provinces of Trieste and Gorizia that
// belonged to Tyrol or to the Austrian Littoral and Carinthia until 1918 (search forms).
const BY_MUNICIPALITY = {
  'CORTINA D\'AMPEZZO|BL': 'TIROLO', 'LIVINALLONGO DEL COL DI LANA|BL': 'TIROLO', 'COLLE SANTA LUCIA|BL': 'TIROLO',
  'MAGASA|BS': 'TIROLO', 'VALVESTINO|BS': 'TIROLO', 'PEDEMONTE|VI': 'TIROLO',
  'TARVISIO|UD': 'LITORALE', 'MALBORGHETTO VALBRUNA|UD': 'LITORALE', 'AQUILEIA|UD': 'LITORALE',
  'CERVIGNANO DEL FRIULI|UD': 'LITORALE', 'TERZO D\'AQUILEIA|UD': 'LITORALE',
  'FIUMICELLO VILLA VICENTINA|UD': 'LITORALE', 'RUDA|UD': 'LITORALE', 'CAMPOLONGO TAPOGLIANO|UD': 'LITORALE',
  'AIELLO DEL FRIULI|UD': 'LITORALE', 'VISCO|UD': 'LITORALE', 'SAN VITO AL TORRE|UD': 'LITORALE',
  'CHIOPRIS VISCONE|UD': 'LITORALE',
};

const usedOverrides = new Set();
// Overrides that matched no municipality: a misspelt name would silently lose its regime.
export function unusedOverrides() { return Object.keys(BY_MUNICIPALITY).filter((k) => !usedOverrides.has(k)); }

export function italianRegimeId(searchName, province, region) {
  if (BY_MUNICIPALITY[`${searchName}|${province}`]) usedOverrides.add(`${searchName}|${province}`);
  const key = BY_MUNICIPALITY[`${searchName}|${province}`] ?? BY_PROVINCE[province] ?? BY_REGION[region];
  if (!key) throw new Error(`no Italian regime for ${searchName} (${province}, ${region})`);
  return ITALIAN_REGIMES.find((r) => r.key === key).id;
}
