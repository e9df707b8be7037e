// Measures what a long run hands to IndexedDB: the page's game, headless in Chromium on a
// script of 61 minutes of virtual time, its journal written a block a second as in play. Every
// put to IndexedDB is counted as it is made; minute 1 and minute 60 of the run are compared,
// beside what a write-back of the whole journal after each block would hand over.
import { chromium } from '../../tests/page/node_modules/playwright-core/index.mjs';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { serve } from '../../tests/page/serve.mjs';

const top = fileURLToPath(new URL('../..', import.meta.url));
const minutes = Number(process.env.MINUTES || 61);

// The title screen waits, its pointer moved now and then so that the run never ends idle.
const script = Array.from({ length: minutes * 2 }, (_, i) => `${(i + 1) * 30000} move 320 ${200 + (i % 2)}`)
  .join('\n');

const server = await serve(join(top, 'build/web'));
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium' });
const page = await browser.newPage();
await page.addInitScript(() => {
  window.kgPuts = [];
  const put = IDBObjectStore.prototype.put;
  IDBObjectStore.prototype.put = function (value, key) {
    const bytes = value instanceof Uint8Array ? value : value && value.contents;
    window.kgPuts.push({ db: this.transaction.db.name, key, bytes: bytes ? bytes.length : 0 });
    return put.call(this, value, key);
  };
});
await page.goto(`${server.url()}icon.png`);
const puts = await page.evaluate((lines) => new Promise((done, failed) => {
  const canvas = document.createElement('canvas');
  canvas.id = 'canvas';
  document.body.append(canvas);
  const program = document.createElement('script');
  program.src = 'killglimbot.js';
  program.onload = () => KillGlimbot({
    canvas,
    arguments: ['--data', '/data', '--headless', '--script', '/tmp/long.txt'],
    preRun: [(module) => module.FS.writeFile('/tmp/long.txt', lines)],
    // The last write-backs finish after the program ends.
    onExit: () => setTimeout(() => done(window.kgPuts), 2000),
    onAbort: failed,
  });
  document.body.append(program);
}), script);

// Each piece of the journal is one block, a second of the run.
const pieces = puts.filter((put) => put.db.endsWith('/journals') && put.key[0].endsWith('last-run.kgr'));
const minute = (m, size) => pieces.slice(1 + (m - 1) * 60, 1 + m * 60).reduce((sum, put) => sum + size(put), 0);
const handed = (put) => put.bytes;
const whole = (put) => put.key[1] + put.bytes;
const kb = (bytes) => (bytes / 1024).toFixed(1);
console.log(`journal: ${pieces.length} pieces, ${kb(whole(pieces[pieces.length - 1]))} KB`);
for (const m of [1, 60]) {
  console.log(`minute ${m}: ${kb(minute(m, handed))} KB handed to IndexedDB ` +
              `(a whole-journal write-back after each block: ${kb(minute(m, whole))} KB)`);
}
const others = puts.filter((put) => !put.db.endsWith('/journals'));
console.log(`the player's other files: ${others.length} puts, ${kb(others.reduce((s, p) => s + p.bytes, 0))} KB`);
await browser.close();
server.close();
