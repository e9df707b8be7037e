// One tab, game after game and run after watched run: a finished game leaves nothing behind, so
// the page's memory stays where it was after the first few and only one game's sound plays.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { gameState, openPage, pagePoint, startSession, top } from './session.mjs';

const GAMES = 40;
const WATCHED_RUNS = 20;
// The first games fill what the page keeps for good (compiled code, caches): growth counts from here.
const SETTLED = 5;
const MAX_HEAP_GROWTH = 1024 * 1024;
// Runs short enough to watch twenty times over.
const SHORT_JOURNALS = ['sweep.kgr', 'hand-window.kgr'];

let session;

before(async () => {
  session = await startSession();
});

after(() => session.close());

// The page's JavaScript heap after a full garbage collection, in bytes.
async function collectedHeap(cdp) {
  await cdp.send('HeapProfiler.collectGarbage');
  return (await cdp.send('Runtime.getHeapUsage')).usedSize;
}

// How many WebAssembly memories are alive in the page: one for each program not yet let go.
async function liveWasmMemories(cdp) {
  const chunks = [];
  const take = (event) => chunks.push(event.chunk);
  cdp.on('HeapProfiler.addHeapSnapshotChunk', take);
  await cdp.send('HeapProfiler.takeHeapSnapshot', { reportProgress: false });
  cdp.off('HeapProfiler.addHeapSnapshotChunk', take);
  const { snapshot, nodes, strings } = JSON.parse(chunks.join(''));
  const fields = snapshot.meta.node_fields;
  const [type, name] = [fields.indexOf('type'), fields.indexOf('name')];
  const objectType = snapshot.meta.node_types[type].indexOf('object');
  let count = 0;
  for (let node = 0; node < nodes.length; node += fields.length) {
    if (nodes[node + type] === objectType && strings[nodes[node + name]] === 'Memory') count += 1;
  }
  return count;
}

// The page's audio contexts are counted from their making to their closing.
function countAudioContexts() {
  const Base = window.AudioContext;
  const open = new Set();
  window.AudioContext = class extends Base {
    constructor(...options) {
      super(...options);
      open.add(this);
      this.addEventListener('statechange', () => { if (this.state === 'closed') open.delete(this); });
    }
  };
  window.audioContexts = () => ({
    open: open.size,
    running: [...open].filter((context) => context.state === 'running').length,
  });
}

// The resident memory of every process of the browser (the test's own children), in bytes.
function browserMemory() {
  const parents = new Map();
  const sizes = new Map();
  for (const pid of readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      parents.set(pid, stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
      sizes.set(pid, Number(/^Rss:\s+(\d+) kB/m.exec(readFileSync(`/proc/${pid}/smaps_rollup`, 'utf8'))[1]));
    } catch {
      // gone meanwhile, or not ours to read
    }
  }
  const ours = (pid) => pid !== undefined && pid !== '0' && (pid === String(process.pid) || ours(parents.get(pid)));
  let kilobytes = 0;
  for (const [pid, size] of sizes) if (pid !== String(process.pid) && ours(pid)) kilobytes += size;
  return kilobytes * 1024;
}

const megabytes = (bytes) => (bytes / 1024 / 1024).toFixed(1) + ' MB';

// Through the page's key button, which is a key press for a running game and nothing once it
// has ended, so that a press never starts the next game.
const pressKeyButton = (page) => page.click('#key');

// Presses the page's key until the running game has ended, giving a name when a shot killed.
async function endGame(page) {
  for (let press = 0; press < 40; press += 1) {
    const { game, textEntry } = await page.evaluate(() => ({ ...document.body.dataset }));
    if (game !== 'running') break;
    if (textEntry === 'true') {
      await page.keyboard.type('Tester');
      await page.keyboard.press('Enter');
    } else {
      await pressKeyButton(page);
    }
    await page.waitForTimeout(250);
  }
  await page.waitForFunction(() => document.body.dataset.game !== 'running', null, { timeout: 60000 });
  const { game } = await page.evaluate(() => ({ ...document.body.dataset }));
  assert.equal(game, 'ended', await page.textContent('#message'));
}

// A quick game: the title left, a few shots across the field, whilePlaying, then the run
// ended and the Killer List left; answers once the page offers another game.
async function playGame(page, whilePlaying) {
  await gameState(page, 'running');
  await page.waitForTimeout(400);
  await pressKeyButton(page);
  await page.waitForTimeout(400);
  for (const [x, y] of [[160, 200], [320, 260], [480, 320]]) {
    const point = await pagePoint(page, x, y);
    await page.mouse.click(point.x, point.y);
    await page.waitForTimeout(100);
  }
  await whilePlaying();
  await endGame(page);
}

// Watches a journal, whole at four times the speed or stopped after a moment as a player who
// has seen enough does; answers the verdict the page then shows.
async function watchRun(page, journal, whole) {
  await page.setInputFiles('#watch-file', journal);
  await gameState(page, 'running');
  await page.waitForTimeout(1000);
  await page.keyboard.press(whole ? 'f' : 'Escape');
  await page.waitForFunction(() => document.body.dataset.game === 'ended' &&
    !/Checking/.test(document.getElementById('message').textContent), null, { timeout: 90000 });
  return page.textContent('#message');
}

test('forty games in one tab keep the heap flat and one audio context running', async (t) => {
  const page = await openPage(session.browser);
  t.after(() => page.context().close());
  const cdp = await page.context().newCDPSession(page);
  await page.addInitScript(countAudioContexts);
  await page.goto(session.server.url());
  const heap = {};
  let memoriesWhilePlaying = 0;
  let audioWhilePlaying = null;
  for (let game = 1; game <= GAMES; game += 1) {
    await playGame(page, async () => {
      if (game !== SETTLED && game !== GAMES) return;
      heap[game] = await collectedHeap(cdp);
      t.diagnostic(`game ${game}: heap ${megabytes(heap[game])}, browser ${megabytes(browserMemory())}`);
      memoriesWhilePlaying = await liveWasmMemories(cdp);
      audioWhilePlaying = await page.evaluate(() => window.audioContexts());
    });
    if (game < GAMES) await page.keyboard.press('Space');
  }
  assert.equal(memoriesWhilePlaying, 1, 'only the last game\'s memory is alive while it plays');
  assert.deepEqual(audioWhilePlaying, { open: 1, running: 1 }, 'the last game has one audio context, running');
  assert.ok(heap[GAMES] - heap[SETTLED] < MAX_HEAP_GROWTH,
    `the heap grew by ${megabytes(heap[GAMES] - heap[SETTLED])} from game ${SETTLED} to ${GAMES}`);
});

test('twenty watched runs in one tab leave nothing behind', async (t) => {
  const page = await openPage(session.browser);
  t.after(() => page.context().close());
  const cdp = await page.context().newCDPSession(page);
  await page.goto(session.server.url());
  await gameState(page, 'running');
  await endGame(page);
  const heap = {};
  for (let run = 1; run <= WATCHED_RUNS; run += 1) {
    // Each journal both watched whole and stopped.
    const journal = join(top, 'tests/replays', SHORT_JOURNALS[Math.floor(run / 2) % SHORT_JOURNALS.length]);
    assert.match(await watchRun(page, journal, run % 2 === 0), /^verified$/m);
    if (run !== SETTLED && run !== WATCHED_RUNS) continue;
    heap[run] = await collectedHeap(cdp);
    t.diagnostic(`watched run ${run}: heap ${megabytes(heap[run])}, browser ${megabytes(browserMemory())}`);
  }
  assert.equal(await liveWasmMemories(cdp), 0, 'no watched run\'s memory is alive once it is checked');
  assert.ok(heap[WATCHED_RUNS] - heap[SETTLED] < MAX_HEAP_GROWTH,
    `the heap grew by ${megabytes(heap[WATCHED_RUNS] - heap[SETTLED])} from run ${SETTLED} to ${WATCHED_RUNS}`);
});
