// Browser tests of the page in build/web, in Debian's Chromium: served on 127.0.0.1, played with
// the mouse, the keyboard and touch, its journals checked by the Linux build's --verify.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { gameState, openPage as openPageIn, pagePoint, startSession, top } from './session.mjs';

const nativeGame = join(top, 'build/release/bin/killglimbot');
const scratch = mkdtempSync(join(tmpdir(), 'killglimbot-web-'));
let session;
let server;

before(async () => {
  session = await startSession();
  server = session.server;
});

after(() => session.close());

// The Linux build, with a home of its own; answers its standard output.
function native(...args) {
  const env = { ...process.env, HOME: scratch, XDG_DATA_HOME: '', XDG_STATE_HOME: '', XDG_CONFIG_HOME: '' };
  try {
    return execFileSync(nativeGame, [...args, '--save', scratch], { env, encoding: 'utf8' });
  } catch (failure) {
    return failure.stdout;
  }
}

const openPage = (options) => openPageIn(session.browser, options);

async function load(page) {
  await page.goto(server.url());
  await page.waitForFunction(() => document.body.dataset.game === 'running');
}

// The middle of what moved in the field within a moment, away from the aim: a glimbot on its
// way, or none.
const movingSpot = (page, away) => page.evaluate(async (aim) => {
  const context = document.getElementById('canvas').getContext('2d');
  const before = context.getImageData(0, 0, 640, 480).data;
  await new Promise((done) => setTimeout(done, 150));
  const now = context.getImageData(0, 0, 640, 480).data;
  const moved = (x, y) => {
    const i = (y * 640 + x) * 4;
    return before[i] !== now[i] || before[i + 1] !== now[i + 1] || before[i + 2] !== now[i + 2];
  };
  for (let y = 40; y < 440; y += 2) {
    for (let x = 0; x < 640; x += 2) {
      if ((Math.abs(x - aim.x) < 30 && Math.abs(y - aim.y) < 30) || !moved(x, y)) continue;
      let sumX = 0, sumY = 0, count = 0;
      for (let v = y; v < Math.min(y + 40, 440); v += 2) {
        for (let u = Math.max(x - 20, 0); u < Math.min(x + 20, 640); u += 2) {
          if (moved(u, v)) { sumX += u; sumY += v; count += 1; }
        }
      }
      return { x: Math.round(sumX / count), y: Math.round(sumY / count) };
    }
  }
  return null;
}, away);

// Shoots at whatever moves, a few times, by press (a click or a tap at a page point).
async function shootAtGlimbots(page, shots, press) {
  let aim = { x: 320, y: 240 };
  for (let shot = 0; shot < shots; shot += 1) {
    const spot = await movingSpot(page, aim);
    if (!spot) continue;
    aim = spot;
    const point = await pagePoint(page, spot.x, spot.y);
    await press(point.x, point.y);
    await page.waitForTimeout(250);
  }
}

async function downloadLastRun(page, name) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#download')]);
  const path = join(scratch, name);
  await download.saveAs(path);
  return path;
}

test('after its zoom the title matches the Linux screen pixel for pixel', async () => {
  native('--headless', '--screenshot', `5000:${join(scratch, 'title.png')}`);
  const page = await openPage();
  await load(page);
  await page.waitForTimeout(4500);
  const png = readFileSync(join(scratch, 'title.png')).toString('base64');
  const differing = await page.evaluate(async (source) => {
    const picture = new Image();
    picture.src = 'data:image/png;base64,' + source;
    await picture.decode();
    const linux = document.createElement('canvas');
    linux.width = 640;
    linux.height = 480;
    linux.getContext('2d').drawImage(picture, 0, 0);
    const want = linux.getContext('2d').getImageData(0, 0, 640, 480).data;
    const have = document.getElementById('canvas').getContext('2d').getImageData(0, 0, 640, 480).data;
    let count = 0;
    for (let i = 0; i < want.length; i += 4) {
      if (want[i] !== have[i] || want[i + 1] !== have[i + 1] || want[i + 2] !== have[i + 2]) count += 1;
    }
    return count;
  }, png);
  assert.equal(differing, 0);
  await page.context().close();
});

test('a run enters the Killer List, which a reload keeps, and both journals verify on Linux', async () => {
  const page = await openPage();
  await load(page);
  await page.waitForTimeout(3500);
  await page.keyboard.press('Space');
  await page.waitForTimeout(800);
  await shootAtGlimbots(page, 8, (x, y) => page.mouse.click(x, y));
  await page.keyboard.press('Space');
  await page.waitForFunction(() => document.body.dataset.textEntry === 'true', null, { timeout: 10000 });
  await page.keyboard.type('Tester');
  await page.keyboard.press('Enter');
  await page.waitForTimeout(500);
  await page.keyboard.press('Space');
  await gameState(page, 'ended');
  const first = await downloadLastRun(page, 'first.kgr');
  assert.match(native('--verify', first), /^verified$/m);

  const kept = Buffer.from(await page.evaluate(() => new Promise((done) => {
    const request = indexedDB.open('/home/web_user');
    request.onsuccess = () => {
      const file = request.result.transaction('FILE_DATA').objectStore('FILE_DATA')
        .get('/home/web_user/.local/share/killglimbot/killer.dat');
      file.onsuccess = () => done(file.result ? Array.from(file.result.contents) : []);
    };
  })));
  assert.ok(kept.some((byte) => byte !== 0), 'the entry is in the browser\'s storage');
  await page.reload();
  await page.waitForFunction(() => document.body.dataset.game === 'running');
  await page.waitForTimeout(500);
  for (const key of ['Space', 'Space', 'Space', 'Space']) {
    await page.keyboard.press(key);
    await page.waitForTimeout(400);
  }
  await gameState(page, 'ended');
  const second = await downloadLastRun(page, 'second.kgr');
  // The journal keeps the Killer List as the game read it at start.
  assert.ok(readFileSync(second).includes(kept), 'the reloaded game read the entry');
  assert.match(native('--verify', second), /^verified$/m);
  // The first run's journal, kept in pieces, was put together again at the reload and became
  // the run before the last.
  const previous = await page.evaluate(() => new Promise((done) => {
    const request = indexedDB.open('/home/web_user/journals');
    request.onsuccess = () => {
      const path = '/home/web_user/.local/state/killglimbot/previous-run.kgr';
      const range = IDBKeyRange.bound([path, 0], [path, Infinity]);
      const pieces = request.result.transaction('pieces').objectStore('pieces');
      const keys = pieces.getAllKeys(range);
      const values = pieces.getAll(range);
      values.onsuccess = () => {
        const whole = [];
        keys.result.forEach((key, i) => whole.splice(key[1], values.result[i].length, ...values.result[i]));
        done(whole);
      };
    };
  }));
  assert.ok(Buffer.from(previous).equals(readFileSync(first)), 'the first journal, in pieces');
  await page.context().close();
});

test('a run recorded on Linux, watched in the page, ends verified', async () => {
  const script = join(scratch, 'short.txt');
  writeFileSync(script, '100 key 32\n200 key 32\n400 move 320 200\n401 click\n900 key 32\n1400 key 32\n');
  const journal = join(scratch, 'linux.kgr');
  native('--headless', '--script', script, '--record', journal);
  const page = await openPage();
  await load(page);
  await page.waitForTimeout(300);
  await page.setInputFiles('#watch-file', journal);
  await page.waitForFunction(() => /verified/.test(document.getElementById('message').textContent),
    null, { timeout: 90000 });
  assert.match(await page.textContent('#message'), /^verified$/m);
  await page.context().close();
});

test('on a phone taps shoot where they land, the key button is a key, the keyboard types', async () => {
  const page = await openPage({ hasTouch: true, isMobile: true, viewport: { width: 800, height: 700 } });
  await load(page);
  await page.waitForTimeout(3500);
  await page.tap('#key');
  await page.waitForTimeout(800);
  await shootAtGlimbots(page, 10, (x, y) => page.touchscreen.tap(x, y));
  await page.tap('#key');
  await page.waitForFunction(() => document.body.dataset.textEntry === 'true', null, { timeout: 10000 });
  await page.type('#typing', 'Phone');
  await page.press('#typing', 'Enter');
  await page.waitForTimeout(500);
  await page.tap('#key');
  await gameState(page, 'ended');
  const journal = await downloadLastRun(page, 'touch.kgr');
  const verdict = native('--verify', journal, '--report');
  assert.match(verdict, /^verified$/m);
  assert.ok(JSON.parse(verdict.split('\n')[0]).kills >= 1, 'a tap on a glimbot killed it');
  await page.context().close();
});

test('a data file that does not arrive is said on the page', async () => {
  const page = await openPage();
  await page.route('**/killglimbot.data', (route) => route.fulfill({ status: 404, body: '' }));
  await page.goto(server.url());
  await page.waitForFunction(() => document.body.dataset.game === 'fault');
  assert.match(await page.textContent('#message'), /could not be loaded/);
  await page.context().close();
});
