// What every browser test of the page shares: the built folder served on 127.0.0.1, Debian's
// Chromium, a page in a context of its own, the page's state and its screen's points.
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serve } from './serve.mjs';

export const top = fileURLToPath(new URL('../..', import.meta.url));

// The server and the browser, for one test file; close() ends both.
export async function startSession() {
  const server = await serve(join(top, 'build/web'));
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--autoplay-policy=no-user-gesture-required'],
  });
  return {
    server,
    browser,
    close: async () => {
      await browser.close();
      server.close();
    },
  };
}

export async function openPage(browser, options = {}) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 1000 }, ...options });
  const page = await context.newPage();
  page.on('console', (line) => { if (line.type() === 'error') console.log('page:', line.text()); });
  return page;
}

export const gameState = (page, state) =>
  page.waitForFunction((wanted) => document.body.dataset.game === wanted, state, { timeout: 60000 });

// The page point over screen pixel (x, y).
export async function pagePoint(page, x, y) {
  const box = await page.locator('#canvas').boundingBox();
  const scale = box.width / 640;
  return { x: box.x + (x + 0.5) * scale, y: box.y + (y + 0.5) * scale };
}
