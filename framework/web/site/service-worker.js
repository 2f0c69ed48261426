// Keeps the site so that it starts without the network.  The cache is named
// for the build: a new build is a new service worker, which fills a cache of
// its own and removes the others when it takes over.  TOVIK.SCR is not here
// but in IndexedDB, which outlives every build.
"use strict";
// Named for the site's place too, so that sites beside each other keep theirs.
const PREFIX = "tovik " + self.registration.scope + " ";
const CACHE = PREFIX + "@TOVIK_SITE_BUILD@";
const FILES = [@TOVIK_SITE_FILES@];

// From the server, past the browser's HTTP cache, which may still hold the
// last build's files: a kept site of two builds' parts would not start.
self.addEventListener("install", (event) => {
  const fresh = FILES.map((name) => new Request(name, { cache: "reload" }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(fresh))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith(PREFIX) && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The kept copy first: a site's files change only with the build.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(event.request)));
});
