// Measures the page as a player meets it, in Debian's Chromium: the time from navigation to the
// title screen on a first visit (cold cache) and on a second (the service worker's files), the
// bytes the page loads (and gzip-compressed), and the processor time of all of Chromium's
// processes while playing, beside a bare page that puts a 640 x 480 canvas on screen at the same
// frame rate and size: at 1280 x 960, a whole multiple, and at 1920 x 970, where the page copies
// the picture sharp to the next multiple and the browser scales it smoothly down.
import { readFileSync, readdirSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from '../../tests/page/node_modules/playwright-core/index.mjs';
import { serve } from '../../tests/page/serve.mjs';

const top = fileURLToPath(new URL('../..', import.meta.url));
const site = process.env.SITE || join(top, 'build/web');
const seconds = Number(process.env.SECONDS_EACH || 20);
const ticksPerSecond = 100;

// Processor time of this measure's Chromium, every process under this one (Playwright starts
// the browser as its child), in seconds: other browsers on a shared machine are left out.
function chromiumSeconds() {
  const processes = new Map();
  for (const pid of readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      processes.set(Number(pid), { parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) });
    } catch {
      // gone meanwhile
    }
  }
  const under = (pid) => processes.has(pid) && pid > 1 &&
    (processes.get(pid).parent === process.pid || under(processes.get(pid).parent));
  let ticks = 0;
  for (const [pid, { ticks: used }] of processes) if (under(pid)) ticks += used;
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
  const files = ['index.html', 'page.css', 'page.js', 'picture.js', 'page_names.js', 'world.js',
    'world.css', 'icon.png', 'manifest.webmanifest', 'sw.js', 'killglimbot.js', 'killglimbot.wasm',
    'killglimbot.data'];
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
const open = async (context) => context.newPage();
const newContext = (viewport = { width: 1280, height: 960 }) => browser.newContext({ viewport });

// Navigation to the title screen in page, in milliseconds.
async function toTitle(page) {
  await page.goto(server.url(), { waitUntil: 'commit' });
  await page.waitForFunction(() => {
    const context = document.getElementById('canvas').getContext('2d');
    return context.getImageData(320, 100, 1, 1).data[0] + context.getImageData(320, 100, 1, 1).data[2] > 0;
  }, null, { polling: 'raf', timeout: 30000 });
  return page.evaluate(() => performance.now());
}

// A first visit in a new context, then a second once the service worker has the files.
const firstVisits = [];
const secondVisits = [];
for (let run = 0; run < 5; run += 1) {
  const context = await newContext();
  const first = await open(context);
  firstVisits.push(await toTitle(first));
  await first.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: 60000 });
  await first.close();
  secondVisits.push(await toTitle(await open(context)));
  await context.close();
}

// Processor use while playing at this page size, and of the bare canvas page at the same.
async function processor(viewport) {
  const context = await newContext(viewport);
  const game = await open(context);
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
  await context.close();
  const bareContext = await newContext(viewport);
  const bare = await open(bareContext);
  await bare.setContent(readFileSync(join(top, 'bench/web/bare.html'), 'utf8'));
  const yardstick = await share((ms) => bare.waitForTimeout(ms));
  await bareContext.close();
  return { viewport, playing, yardstick };
}
const shares = [await processor({ width: 1280, height: 960 }), await processor({ width: 1920, height: 970 })];
await browser.close();
server.close();

const { raw, packed } = sizes();
const median = (times) => times.slice().sort((a, b) => a - b)[2];
const list = (times) => times.map((t) => t.toFixed(0)).join(', ');
console.log(`navigation to title, first visit (cold cache): median ${median(firstVisits).toFixed(0)} ms (of ${list(firstVisits)})`);
console.log(`navigation to title, second visit (service worker): median ${median(secondVisits).toFixed(0)} ms (of ${list(secondVisits)})`);
console.log(`loaded: ${(raw / 1e6).toFixed(2)} MB, ${(packed / 1e6).toFixed(2)} MB gzip-compressed`);
for (const { viewport, playing, yardstick } of shares) {
  console.log(`processor, playing at ${viewport.width} x ${viewport.height}: ${(100 * playing).toFixed(1)} % of a core; ` +
              `bare canvas: ${(100 * yardstick).toFixed(1)} %; ratio ${(playing / yardstick).toFixed(2)}`);
}
