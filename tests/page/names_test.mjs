// The names the page shares with the program, held against what the build made: a function or
// a callback that one side renamed or dropped fails here, not in a player's browser.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import vm from 'node:vm';

const top = fileURLToPath(new URL('../..', import.meta.url));
const read = (path) => readFileSync(join(top, path), 'utf8');

test('every shared name is where the other side looks for it', () => {
  const names = vm.runInNewContext(`${read('build/web/page_names.js')}; KG_NAMES`);
  const header = read('platform/browser/page_names.h');
  const program = read('build/web/killglimbot.js');
  const pageSide = read('platform/browser/library.js') + read('platform/browser/storage.js');
  // What the page calls in the program is exported; what the program calls on the page is there.
  const defined = (name) => new RegExp(`\\b_${name}\\b`).test(program);
  for (const [, name] of header.matchAll(/^void (kg_\w+)\(/gm)) assert.ok(defined(name), name);
  assert.ok(defined(names.PAGE_WAIT_IMPORT));
  for (const key of ['PAGE_ON_TEXT_ENTRY', 'PAGE_ON_STORAGE_FAILED', 'PAGE_ON_FILES_KEPT',
    'PAGE_ON_SCREENSHOT', 'PAGE_ON_PICTURE_PUT']) {
    assert.ok(pageSide.includes(`Module['${names[key]}']`), key);
  }
  for (const file of ['storage.js', 'journal_store.js']) {
    assert.ok(read(`platform/browser/${file}`).includes(`'${names.PAGE_HOME}`), file);
  }
  assert.ok(names.PAGE_LAST_RUN.startsWith(`${names.PAGE_HOME}/`));
});
