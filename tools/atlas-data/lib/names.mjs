// Place names in the forms the locality files keep.

// Lower-case letters that the program's typed search maps to plain letters; any other
// accented letter must be spelt out in ASCII so that typing plain letters finds it.
const SEARCHABLE_ACCENTED = new Set([...'àáâãäåæòóôöøßùúûüèéêëìíîïñç']);

const SPECIAL_LETTERS = {
  'ł': 'l', 'Ł': 'L', 'đ': 'd', 'Đ': 'D', 'ð': 'd', 'Ð': 'D', 'þ': 'th', 'Þ': 'TH',
  'œ': 'oe', 'Œ': 'OE', 'ı': 'i', 'ŀ': 'l', 'Ŀ': 'L', 'ħ': 'h', 'Ħ': 'H', 'ŧ': 't', 'Ŧ': 'T',
  'ŋ': 'ng', 'Ŋ': 'NG', 'ĸ': 'q', 'ƒ': 'f', 'ə': 'a', 'Ə': 'A', 'ǝ': 'e', 'ɛ': 'e', 'Ɛ': 'E',
  'ɔ': 'o', 'Ɔ': 'O', 'ɓ': 'b', 'Ɓ': 'B', 'ɗ': 'd', 'Ɗ': 'D', 'ƙ': 'k', 'Ƙ': 'K', 'ƴ': 'y', 'Ƴ': 'Y',
  'ʻ': "'", 'ʼ': "'", '’': "'", '‘': "'", '`': "'", '´': "'", 'ʿ': "'", 'ʾ': "'", '′': "'",
  '–': '-', '—': '-', '‐': '-', '‑': '-',
};

// Italian municipalities: upper case A-Z, digits, space and apostrophe. Accents are dropped
// (À -> A), hyphens become spaces because the program turns a typed "-" into a space.
export function italianSearchForm(name) {
  let s = '';
  for (const ch of name.normalize('NFC')) s += SPECIAL_LETTERS[ch] ?? ch;
  s = s.normalize('NFD').replace(/\p{M}/gu, '').replace(/æ/g, 'AE').replace(/ß/g, 'SS');
  s = s.toUpperCase().replace(/[-()]/g, ' ').replace(/[^A-Z0-9' ]/g, '');
  return s.replace(/\s+/g, ' ').replace(/^'+/, '').trim();
}

// Foreign places: ASCII letters upper-cased, accented letters of the searchable set kept as
// their lower-case Windows-1252 letter, every other letter spelt in ASCII.
export function foreignName(name, asciiName) {
  let out = '';
  for (const ch of name.normalize('NFC')) {
    const lower = ch.toLowerCase();
    if (/[A-Za-z0-9]/.test(ch)) { out += ch.toUpperCase(); continue; }
    if (SEARCHABLE_ACCENTED.has(lower) && lower.length === 1) { out += lower; continue; }
    if (ch === 'Æ') { out += 'æ'; continue; }
    if (SPECIAL_LETTERS[ch] !== undefined) { out += SPECIAL_LETTERS[ch].toUpperCase(); continue; }
    if (/[ '\-.,&/()]/.test(ch)) { out += ch; continue; }
    if (/[\p{P}\p{S}]/u.test(ch)) continue;  // other punctuation (transliteration marks) is dropped
    const base = ch.normalize('NFD').replace(/\p{M}/gu, '');
    if (/^[A-Za-z]+$/.test(base)) {
      // Composed from a plain letter and marks: keep the letter if its accented form is not searchable.
      out += base.toUpperCase();
      continue;
    }
    return asciiFallback(asciiName);  // another script or symbol: use the ASCII spelling
  }
  out = out.replace(/\s+/g, ' ').trim();
  return out || asciiFallback(asciiName);
}

function asciiFallback(asciiName) {
  return asciiName.toUpperCase().replace(/[^A-Z0-9 '\-.,&/()]/g, '').replace(/\s+/g, ' ').trim();
}

// The program's typed-search form of a stored name (used here only to sort and to check).
export function programSearchForm(s) {
  const map = {
    'à': 'A', 'á': 'A', 'â': 'A', 'ã': 'A', 'ä': 'A', 'å': 'A', 'æ': 'A', 'ò': 'O', 'ó': 'O', 'ô': 'O',
    'ö': 'O', 'ø': 'O', 'ß': 'S', 'ù': 'U', 'ú': 'U', 'û': 'U', 'ü': 'U', 'è': 'E', 'é': 'E', 'ê': 'E',
    'ë': 'E', 'ì': 'I', 'í': 'I', 'î': 'I', 'ï': 'I', 'ñ': 'N', 'ç': 'C', 'Ç': 'C',
    'Á': 'A', 'Â': 'A', 'Ä': 'A', 'Å': 'A', 'Æ': 'A', 'Ó': 'O', 'Ô': 'O', 'Ö': 'O', 'Ø': 'O',
    'Ú': 'U', 'Ü': 'U', 'Í': 'I', 'Î': 'I', 'Ï': 'I', 'È': 'E', 'É': 'E', 'Ë': 'E', '-': ' ', '(': ' ',
  };
  let out = '';
  for (const ch of s) out += map[ch] ?? (ch >= 'a' && ch <= 'z' ? ch.toUpperCase() : ch);
  return out.replace(/^'/, '');
}

// Cuts the name so that name + mark fits in `width` characters; cutting keeps the start of
// the name, which is what the typed search matches.
export function fitName(name, mark, width) {
  const room = width - mark.length;
  let n = name;
  if (n.length > room) n = n.slice(0, room).trimEnd();
  return n + mark;
}
