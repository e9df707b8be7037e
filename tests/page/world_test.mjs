// Browser tests of the world Killer List in the page, served by the real killglimbot-server on
// 127.0.0.1 with a list of its own: a run played in the page, sent, ranked, kept after a reload
// and watched from the list to its verdict; a link that plays a run; plain files without it.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serve } from './serve.mjs';

const top = fileURLToPath(new URL('../..', import.meta.url));
const scratch = mkdtempSync(join(tmpdir(), 'killglimbot-world-'));
let server;
let address;
let browser;

// The server on a free port; resolves once it says where it listens.
function startServer() {
  const child = spawn(join(top, 'build/release/bin/killglimbot-server'), [
    '--listen', '127.0.0.1:0', '--database', join(scratch, 'world.sqlite'),
    '--page', join(top, 'build/web'), '--uploads-per-minute', '0',
  ], { stdio: ['ignore', 'ignore', 'pipe'] });
  return new Promise((resolve, reject) => {
    let said = '';
    child.stderr.on('data', (chunk) => {
      said += chunk;
      const found = /on (http:\/\/127\.0\.0\.1:\d+\/)/.exec(said);
      if (found) resolve([child, found[1]]);
    });
    child.on('exit', (status) => reject(new Error('the server stopped (' + status + '): ' + said)));
  });
}

before(async () => {
  [server, address] = await startServer();
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--autoplay-policy=no-user-gesture-required'],
  });
});

after(async () => {
  await browser.close();
  server.kill('SIGTERM');
  rmSync(scratch, { recursive: true, force: true });
});

// slowStart: the game's program takes a second more to start, as on a busy machine, so that
// what the page asks of it meanwhile must wait for it.
async function openPage(url, { slowStart = false } = {}) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 1000 } });
  if (slowStart) {
    await context.addInitScript(() => {
      const instantiate = WebAssembly.instantiate;
      WebAssembly.instantiate = (...args) =>
        new Promise((later) => setTimeout(later, 1000)).then(() => instantiate(...args));
    });
  }
  const page = await context.newPage();
  page.on('console', (line) => { if (line.type() === 'error') console.log('page:', line.text()); });
  await page.goto(url);
  return page;
}

const gameState = (page, state) =>
  page.waitForFunction((wanted) => document.body.dataset.game === wanted, state, { timeout: 90000 });

const verdict = (page) => page.waitForFunction(
  () => /verified/.test(document.getElementById('message').textContent), null, { timeout: 90000 });

// Clicks where something moved, a few times: a glimbot on its way, most likely.
async function shootAtGlimbots(page, shots) {
  for (let shot = 0; shot < shots; shot += 1) {
    const spot = await page.evaluate(async () => {
      const context = document.getElementById('canvas').getContext('2d');
      const before = context.getImageData(0, 0, 640, 480).data;
      await new Promise((done) => setTimeout(done, 150));
      const now = context.getImageData(0, 0, 640, 480).data;
      for (let y = 40; y < 440; y += 4) {
        for (let x = 0; x < 640; x += 4) {
          const i = (y * 640 + x) * 4;
          if (before[i] !== now[i] || before[i + 1] !== now[i + 1]) return { x, y: y + 8 };
        }
      }
      return null;
    });
    if (!spot) continue;
    const box = await page.locator('#canvas').boundingBox();
    const scale = box.width / 640;
    await page.mouse.click(box.x + (spot.x + 0.5) * scale, box.y + (spot.y + 0.5) * scale);
    await page.waitForTimeout(250);
  }
}

test('a run played in the page is sent, ranked, kept after a reload and watched to verified', async () => {
  const page = await openPage(address);
  await page.waitForFunction(() => document.body.dataset.world === 'on');
  await gameState(page, 'running');
  await page.waitForTimeout(3500);
  await page.keyboard.press('Space');
  await page.waitForTimeout(800);
  await shootAtGlimbots(page, 10);
  await page.keyboard.press('Space');
  await page.waitForFunction(() => document.body.dataset.textEntry === 'true', null, { timeout: 10000 });
  // The dialog's focus starts on its OK button: the run types no name, and the one sent is used.
  await page.keyboard.press('Enter');
  await page.waitForTimeout(500);
  await page.keyboard.press('Space');
  await gameState(page, 'ended');
  await page.fill('#world-name', '<b>Web</b>');
  await page.click('#world-send');
  await page.waitForFunction(() => /rank 1,/.test(document.getElementById('world-said').textContent),
    null, { timeout: 90000 });

  await page.reload();
  await page.waitForFunction(() => document.querySelectorAll('#world-rows tr').length === 1);
  // The name, shown as text.
  assert.equal(await page.textContent('#world-rows tr td:nth-child(2)'), '<b>Web</b>');
  assert.equal(await page.locator('#world-rows b').count(), 0);
  await page.click('#world-rows button');
  await verdict(page);
  assert.match(await page.textContent('#message'), /^verified$/m);
  await page.context().close();
});

test('a run on the list is watched from its row and from its link, to verified', async () => {
  const sent = await fetch(address + 'api/runs?name=Linux', {
    method: 'POST',
    body: readFileSync(join(top, 'tests/replays/hand-window.kgr')),
  });
  assert.ok(sent.status === 201 || sent.status === 200, 'status ' + sent.status);
  const entry = await sent.json();
  const page = await openPage(address);
  await page.waitForFunction((name) => Array.from(document.querySelectorAll('#world-rows td'))
    .some((cell) => cell.textContent === name), entry.name);
  await page.click(`#world-rows tr:nth-child(${entry.rank}) button`);
  await verdict(page);
  assert.match(await page.textContent('#message'), /^verified$/m);
  await page.context().close();

  const linked = await openPage(address + '#run=' + entry.id, { slowStart: true });
  await verdict(linked);
  assert.match(await linked.textContent('#message'), /^verified$/m);
  await linked.context().close();
});

test('served as plain files the page shows no world list', async () => {
  const files = await serve(join(top, 'build/web'));
  const page = await openPage(files.url());
  await gameState(page, 'running');
  assert.equal(await page.isHidden('#world'), true);
  await page.context().close();
  files.close();
});
