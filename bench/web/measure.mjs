// Measures the page as a player meets it, in Debian's Chromium at 1280 x 960: the time from
// navigation to the title screen with a cold cache, the bytes the page loads (and gzip-compressed),
// and the processor time of all of Chromium's processes while playing, beside a bare page that
// puts a 640 x 480 canvas on screen at the same frame rate.
import { readFileSync, readdirSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from '../../tests/page/node_modules/playwright-core/index.mjs';
import { serve } from '../../tests/page/serve.mjs';

const top = fileURLToPath(new URL('../..', import.meta.url));
const site = join(top, 'build/web');
const seconds = Number(process.env.SECONDS_EACH || 20);
const ticksPerSecond = 100;

// Processor time of every Chromium process, in seconds.
function chromiumSeconds() {
  let ticks = 0;
  for (const pid of readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      if (!/\((chromium|chrome)[^)]*\)/.test(stat)) continue;
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      ticks += Number(fields[11]) + Number(fields[12]);
    } catch {
      // gone meanwhile
    }
  }
  return ticks / ticksPerSecond;
}

// The processor share of a core while act runs for the measured seconds.
async function share(act) {
  const start = chromiumSeconds();
  const begun = Date.now();
  await act(seconds * 1000);
  return (chromiumSeconds() - start) / ((Date.now() - begun) / 1000);
}

function sizes() {
  const files = ['index.html', 'page.css', 'page.js', 'icon.png', 'killglimbot.js',
    'killglimbot.wasm', 'killglimbot.data'];
  let raw = 0, packed = 0;
  for (const file of files) {
    const bytes = readFileSync(join(site, file));
    raw += bytes.length;
    packed += gzipSync(bytes, { level: 9 }).length;
  }
  return { raw, packed };
}

const server = await serve(site);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--autoplay-policy=no-user-gesture-required'],
});
const open = async () => (await browser.newContext({ viewport: { width: 1280, height: 960 } })).newPage();

// Cold cache: a new context for every load.
const titles = [];
for (let run = 0; run < 5; run += 1) {
  const page = await open();
  await page.goto(server.url(), { waitUntil: 'commit' });
  await page.waitForFunction(() => {
    const context = document.getElementById('canvas').getContext('2d');
    return context.getImageData(320, 100, 1, 1).data[0] + context.getImageData(320, 100, 1, 1).data[2] > 0;
  }, null, { polling: 'raf', timeout: 30000 });
  titles.push(await page.evaluate(() => performance.now()));
  await page.context().close();
}

const game = await open();
await game.goto(server.url());
await game.waitForTimeout(3500);
await game.keyboard.press('Space');
await game.waitForTimeout(1000);
const playing = await share(async (ms) => {
  for (let t = 0; t < ms; t += 100) {
    await game.mouse.move(300 + 200 * Math.sin(t / 700), 300 + 100 * Math.cos(t / 900));
    await game.waitForTimeout(100);
  }
});
await game.context().close();

const bare = await open();
await bare.setContent(readFileSync(join(top, 'bench/web/bare.html'), 'utf8'));
const yardstick = await share((ms) => bare.waitForTimeout(ms));
await browser.close();
server.close();

const { raw, packed } = sizes();
titles.sort((a, b) => a - b);
console.log(`navigation to title, cold cache: median ${titles[2].toFixed(0)} ms (of ${titles.map((t) => t.toFixed(0)).join(', ')})`);
console.log(`loaded: ${(raw / 1e6).toFixed(2)} MB, ${(packed / 1e6).toFixed(2)} MB gzip-compressed`);
console.log(`processor, playing: ${(100 * playing).toFixed(1)} % of a core; bare canvas: ${(100 * yardstick).toFixed(1)} %; ratio ${(playing / yardstick).toFixed(2)}`);
