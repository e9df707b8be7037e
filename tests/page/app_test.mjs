// Browser tests of the page as an app: the picture as large as the page allows at desktop,
// laptop and phone sizes, controls that fade and never take the game's keys, Print Screen as a
// download, and the files kept by the service worker: a second visit plays without the network,
// and a new version replaces the old one whole, or not at all.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { copyFileSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { devices } from 'playwright-core';
import { gameState, openPage, pagePoint, startSession, top } from './session.mjs';
import { serve } from './serve.mjs';

let session;

before(async () => {
  session = await startSession();
});

after(() => session.close());

async function load(page, url = session.server.url()) {
  await page.goto(url);
  await gameState(page, 'running');
}

// Waits until the title has drawn its picture.
const titleShown = (page) => page.waitForFunction(() => {
  const pixel = document.getElementById('canvas').getContext('2d').getImageData(320, 100, 1, 1).data;
  return pixel[0] + pixel[2] > 0;
}, null, { timeout: 60000 });

// Presses key until the game has ended (the title skipped and left, the run given up, the
// Killer List and its dialog left); fails after a minute.
async function pressUntilEnded(page, key) {
  const until = Date.now() + 60000;
  while (Date.now() < until) {
    await page.keyboard.press(key);
    const ended = () => document.body.dataset.game === 'ended';
    if (await page.waitForFunction(ended, null, { timeout: 1500 }).then(() => true, () => false)) return;
  }
  assert.fail('the game never ended');
}

test('the picture takes the largest 4:3 area of the page, sharp at whole multiples', async () => {
  const sizes = [
    { viewport: { width: 1920, height: 970 }, least: 1240 },
    { viewport: { width: 1440, height: 820 }, least: 1040 },
    { viewport: { width: 1280, height: 960 }, least: 1280 },
  ];
  for (const { viewport, least } of sizes) {
    const page = await openPage(session.browser, { viewport });
    await load(page);
    await titleShown(page);
    const box = await page.locator('#canvas').boundingBox();
    assert.ok(box.width >= least, `${box.width} wide at ${viewport.width} x ${viewport.height}`);
    assert.ok(Math.abs(box.width * 3 - box.height * 4) <= 4, 'the screen\'s shape');
    assert.ok(box.height === viewport.height || box.width === viewport.width, 'as large as fits');
    // Between two multiples the shown picture is the game's, copied at the next multiple.
    const shown = await page.evaluate(() => {
      const game = document.getElementById('canvas');
      const larger = document.getElementById('picture');
      if (larger.hidden) return { sharp: game.classList.contains('sharp') };
      const multiple = larger.width / 640;
      const have = larger.getContext('2d').getImageData(0, 0, larger.width, larger.height).data;
      const want = game.getContext('2d').getImageData(0, 0, 640, 480).data;
      let differing = 0;
      for (let y = 0; y < 480; y += 3) {
        for (let x = 0; x < 640; x += 3) {
          const i = (y * 640 + x) * 4;
          const j = ((y * multiple + multiple - 1) * larger.width + x * multiple) * 4;
          if (have[j] !== want[i] || have[j + 1] !== want[i + 1] || have[j + 2] !== want[i + 2]) differing += 1;
        }
      }
      return { multiple, differing, unseen: game.classList.contains('unseen') };
    });
    if (viewport.width === 1280) {
      assert.deepEqual(shown, { sharp: true });
    } else {
      assert.deepEqual(shown, { multiple: Math.ceil(box.width / 640), differing: 0, unseen: true });
    }
    await page.context().close();
  }
});

test('on a phone held either way the picture fills its width or its height', async () => {
  for (const name of ['Pixel 7', 'Pixel 7 landscape']) {
    const device = devices[name];
    const page = await openPage(session.browser, device);
    await load(page);
    const box = await page.locator('#canvas').boundingBox();
    const { width, height } = device.viewport;
    const fills = Math.abs(box.width - width) <= 1 || Math.abs(box.height - height) <= 1;
    assert.ok(fills && box.width <= width + 1 && box.height <= height + 1,
      `${name}: ${box.width} x ${box.height} in ${width} x ${height}`);
    await page.context().close();
  }
});

test('the controls fade while the game runs, come back with the pointer, and never take its keys', async () => {
  const page = await openPage(session.browser, { viewport: { width: 1920, height: 970 } });
  await load(page);
  await page.locator('#controls').waitFor({ state: 'visible' });
  await page.click('#fullscreen');
  await page.evaluate(() => document.fullscreenElement && document.exitFullscreen());
  await page.mouse.click(40, 400); // beside the picture
  assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas');
  const controlsAt = (opacity) => page.waitForFunction(
    (wanted) => getComputedStyle(document.getElementById('controls')).opacity === wanted, opacity);
  await controlsAt('0');
  await page.mouse.move(200, 200);
  await page.mouse.move(220, 210);
  await controlsAt('1');
  // Escape alone takes the game from its title to its end.
  await pressUntilEnded(page, 'Escape');
  await page.context().close();
});

test('Print Screen downloads the screen as a PNG named as on Linux', async () => {
  const page = await openPage(session.browser);
  await load(page);
  await titleShown(page);
  const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('PrintScreen')]);
  assert.match(download.suggestedFilename(), /^killglimbot-\d{4}-\d{2}-\d{2}-\d{6}\.png$/);
  const png = readFileSync(await download.path());
  assert.equal(png.subarray(1, 4).toString(), 'PNG');
  // 640 x 480 indices, as the Linux build writes them.
  assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20), png[25]], [640, 480, 3]);
  await page.context().close();
});

// Once the service worker has kept the page's files and serves the page.
const keptForOffline = (page) => page.waitForFunction(() => navigator.serviceWorker.controller !== null,
  null, { timeout: 60000 });

test('a second visit with the network off reaches the title and plays a run', async () => {
  const page = await openPage(session.browser);
  await load(page);
  await keptForOffline(page);
  await page.context().setOffline(true);
  await page.reload();
  await gameState(page, 'running');
  await titleShown(page);
  await page.keyboard.press('Space');
  const centre = await pagePoint(page, 320, 300);
  await page.mouse.click(centre.x, centre.y);
  await pressUntilEnded(page, 'Space');
  assert.equal(await page.evaluate(() => navigator.onLine), false);
  assert.equal(await page.locator('#message').getAttribute('hidden'), null);
  assert.doesNotMatch(await page.textContent('#message'), /could not/);
  await page.context().close();
});

test('a browser that refuses service workers plays from the network as before', async () => {
  const page = await openPage(session.browser, { serviceWorkers: 'block' });
  await load(page);
  await titleShown(page);
  assert.equal(await page.evaluate(() => navigator.serviceWorker.controller), null);
  await page.context().close();
});

// The built page's own files (not its build tree), in a folder of their own.
function copyOfSite() {
  const folder = mkdtempSync(join(tmpdir(), 'killglimbot-site-'));
  const site = join(top, 'build/web');
  for (const name of readdirSync(site)) {
    if (statSync(join(site, name)).isFile()) copyFileSync(join(site, name), join(folder, name));
  }
  return folder;
}

// Asks the page's service worker to look for a new version; answers what became of it, or
// nothing when there was none.
const update = (page) => page.evaluate(async () => {
  const registration = await navigator.serviceWorker.getRegistration();
  // The promise is kept with the new worker already installing, or with none.
  await registration.update();
  const installing = registration.installing;
  if (!installing) return null;
  return new Promise((done) => {
    const settled = () => ['activated', 'redundant'].includes(installing.state) && done(installing.state);
    installing.addEventListener('statechange', settled);
    settled();
  });
});

test('a new version replaces the kept files whole, and the page says it was loaded', async () => {
  const folder = copyOfSite();
  const server = await serve(folder);
  const page = await openPage(session.browser);
  await load(page, server.url());
  await keptForOffline(page);
  await page.reload();
  await gameState(page, 'running');
  assert.equal(await update(page), null, 'the same version, nothing to take');
  const first = await page.evaluate(() => caches.keys());
  // A build whose files did not all arrive as it lists them is refused; the kept one stays.
  const worker = readFileSync(join(folder, 'sw.js'), 'utf8');
  writeFileSync(join(folder, 'sw.js'), worker.replace(/killglimbot-[0-9a-f]+/, 'killglimbot-0000000000000000'));
  writeFileSync(join(folder, 'page.css'), readFileSync(join(folder, 'page.css'), 'utf8') + '\n');
  assert.equal(await update(page), 'redundant');
  assert.deepEqual(await page.evaluate(() => caches.keys()), first);
  assert.equal(await page.locator('#notice').isHidden(), true);
  copyFileSync(join(top, 'build/web/page.css'), join(folder, 'page.css'));
  assert.equal(await update(page), 'activated');
  assert.deepEqual(await page.evaluate(() => caches.keys()), ['killglimbot-0000000000000000']);
  await page.waitForFunction(() => /new version .* was loaded/.test(document.getElementById('notice').textContent));
  await page.context().close();
  server.close();
  rmSync(folder, { recursive: true, force: true });
});
