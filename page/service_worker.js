// Keeps the page's files for play without the network. The build lists every file with the
// SHA-256 of its bytes and names the cache by a digest of them all: a new build is a new cache,
// filled whole before it serves (a file that arrives other than listed fails the install, and
// the version before stays), and the one before is dropped once it takes over.
'use strict';

const CACHE = 'killglimbot-@KG_PAGE_DIGEST@';
const FILES = {
@KG_PAGE_FILES@
};

const hex = (digest) => Array.from(new Uint8Array(digest), (byte) => byte.toString(16).padStart(2, '0')).join('');

async function keep(cache, file) {
  const response = await fetch(file, { cache: 'no-cache' });
  if (!response.ok) throw new Error(file + ' did not arrive (' + response.status + ')');
  const bytes = await response.clone().arrayBuffer();
  if (hex(await crypto.subtle.digest('SHA-256', bytes)) !== FILES[file])
    throw new Error(file + ' is not the one this version lists');
  await cache.put(file, response);
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    await Promise.all(Object.keys(FILES).map((file) => keep(cache, file)));
    await self.skipWaiting();
  })().catch(async (error) => {
    await caches.delete(CACHE);
    throw error;
  }));
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith('killglimbot-') && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

// Only the page's own files come from the cache. Everything else, the world list's /api/ above
// all (live data), goes to the network as if there were no worker.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (request.method !== 'GET' || url.origin !== scope.origin) return;
  let file = url.pathname.startsWith(scope.pathname) ? url.pathname.slice(scope.pathname.length) : '';
  if (file === '' && request.mode === 'navigate') file = 'index.html';
  if (!Object.hasOwn(FILES, file)) return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(file))
    .then((kept) => kept || fetch(request)));
});
