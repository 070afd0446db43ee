// The few command-line options of the atlas scripts.
import path from 'node:path';
import { fileURLToPath } from 'node:url';

export const TOOL_DIR = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');

export function option(name, fallback) {
  const args = process.argv.slice(2);
  const i = args.indexOf(name);
  return i >= 0 && i + 1 < args.length ? args[i + 1] : fallback;
}

export function outDirOption() {
  return path.resolve(option('--out', path.join(TOOL_DIR, 'out')));
}
