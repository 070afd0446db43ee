// First day of the Gregorian calendar by country (ISO 3166 alpha-2), with subdivision
// overrides by GeoNames admin1 code and zone overrides. "ALWAYS" marks countries that never
// kept the Julian calendar for civil dates: their old dates are converted to the Gregorian
// calendar by whoever writes them down, so only the calendar-reform option decides.
// Sources and reasoning: docs/atlas.md, section "Calendario gregoriano".

// The first day of the Gregorian calendar in the states that followed the papal bull at once:
// Thursday 4 October 1582 was followed by Friday 15 October 1582.
export const GREGORIAN_REFORM_DAY = '1582-10-15';

const RULES = {
  // Catholic states that followed the papal bull at once (4 -> 15 October 1582).
  [GREGORIAN_REFORM_DAY]: 'IT SM VA ES PT PL LT MT MC AD ' +
    // Spanish and Portuguese America and Spanish Asia
    'MX GT SV HN NI CR PA CO VE EC PE BO CL AR PY UY BR CU DO PR PH GU MP GQ EH CV GW ST AO MZ TL MO',
  // France (9 -> 20 December 1582) and French possessions.
  '1582-12-20': 'FR HT GF GP MQ RE YT PM BL MF NC PF WF TF',
  // Southern Netherlands, Luxembourg (21 December 1582 -> 1 January 1583 in Brabant).
  '1583-01-01': 'BE LU NL SR CW AW SX BQ',
  // Austria (Tyrol and Salzburg 5 -> 16 October 1583; the other lands within months).
  '1583-10-16': 'AT LI',
  // Bohemia and Moravia (6 -> 17 January 1584); Switzerland, Catholic cantons (12 -> 22 January 1584).
  '1584-01-17': 'CZ',
  '1584-01-22': 'CH',
  // Inner Austria: Carniola (14 -> 25 December 1583).
  '1583-12-25': 'SI',
  // Kingdom of Hungary, with Slovakia and Croatia (21 October -> 1 November 1587).
  '1587-11-01': 'HU SK HR',
  // Protestant Germany, Denmark and Norway (18 February -> 1 March 1700).
  '1700-03-01': 'DE DK NO FO GL VI',
  // Iceland (16 -> 28 November 1700).
  '1700-11-28': 'IS',
  // Sweden and Finland (17 February -> 1 March 1753).
  '1753-03-01': 'SE FI AX',
  // Great Britain, Ireland and the British Empire (2 -> 14 September 1752).
  '1752-09-14': 'GB IE IM JE GG GI US CA AU NZ BM BS JM BB TT GY BZ AG DM GD KN LC VC AI MS KY TC VG ' +
    'FK SH IO PN NF CK NU TK WS TO FJ PG SB VU KI TV NR FM MH PW AS UM',
  // Alaska: Julian calendar under Russia until the transfer (6 October -> 18 October 1867).
  // (zone override below)
  // Bulgaria (31 March -> 14 April 1916).
  '1916-04-14': 'BG',
  // Russia and the lands of the former empire (31 January -> 14 February 1918).
  '1918-02-14': 'RU BY MD EE LV GE AM AZ KZ KG TJ TM UZ',
  // Ukraine (15 February -> 1 March 1918).
  '1918-03-01': 'UA',
  // Kingdom of Serbs, Croats and Slovenes: Serbia, Montenegro, Macedonia, Bosnia (15 -> 28 January 1919).
  '1919-01-28': 'RS ME MK BA XK',
  // Romania (31 March -> 14 April 1919).
  '1919-04-14': 'RO',
  // Albania (December 1912).
  '1912-12-01': 'AL',
  // Greece (15 February -> 1 March 1923); Cyprus followed the British administration from 1878.
  '1923-03-01': 'GR',
  '1878-07-12': 'CY',
  // Turkey (1 January 1926 for civil dates).
  '1926-01-01': 'TR',
};

const SUBDIVISIONS = {
  // Catholic German states (Bavaria 5 -> 16 October 1583; the others 1583-1584).
  'DE.02': '1583-10-16',
  // Protestant Swiss cantons (31 December 1700 -> 12 January 1701): Zurich, Bern, Basel,
  // Schaffhausen, Geneva (under Bern's rule: Vaud), Neuchatel.
  'CH.ZH': '1701-01-12', 'CH.BE': '1701-01-12', 'CH.BS': '1701-01-12', 'CH.BL': '1701-01-12',
  'CH.SH': '1701-01-12', 'CH.VD': '1701-01-12', 'CH.GE': '1701-01-12', 'CH.NE': '1701-01-12',
  // Quebec: New France followed France.
  'CA.10': '1582-12-20',
};

const ZONES = {
  'America/Anchorage': '1867-10-18', 'America/Juneau': '1867-10-18', 'America/Sitka': '1867-10-18',
  'America/Yakutat': '1867-10-18', 'America/Nome': '1867-10-18', 'America/Metlakatla': '1867-10-18',
  'America/Adak': '1867-10-18',
};

const BY_COUNTRY = new Map();
for (const [date, list] of Object.entries(RULES)) {
  for (const cc of list.split(/\s+/).filter(Boolean)) {
    if (BY_COUNTRY.has(cc)) throw new Error(`country ${cc} listed twice in the Gregorian table`);
    BY_COUNTRY.set(cc, date);
  }
}

export function gregorianAdoption(country, admin1, zone) {
  if (ZONES[zone] && country === 'US') return ZONES[zone];
  return SUBDIVISIONS[`${country}.${admin1}`] ?? BY_COUNTRY.get(country) ?? 'ALWAYS';
}

export const gregorianTable = { RULES, SUBDIVISIONS, ZONES };
