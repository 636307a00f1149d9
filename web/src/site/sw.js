// The service worker of the built site. The build puts before this the
// list of every file of the site and a version made of their contents
// (self.COREDESIGN_PRECACHE, see web/vite.config.ts); a new build is a new
// version, and so a new sw.js, which the browser installs beside the old.
//
// On install every file of the list goes into a cache named after the
// version, fetched anew from the network. A new version waits until no page
// of the old one is open (such a page may still load files only the old
// build has, from the old cache), then takes over and deletes the caches of
// other versions. Requests for the site's own files are answered from the
// cache first, then the network.
/* global self, caches */
const precache = self.COREDESIGN_PRECACHE;
const cachePrefix = 'coredesign-site-';
const cacheName = cachePrefix + precache.version;

self.addEventListener('install', (event) => {
  event.waitUntil(
    (async () => {
      const cache = await caches.open(cacheName);
      await cache.addAll(precache.urls.map((url) => new Request(url, { cache: 'reload' })));
    })(),
  );
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    (async () => {
      for (const name of await caches.keys()) {
        if (name.startsWith(cachePrefix) && name !== cacheName) await caches.delete(name);
      }
      // The first visit's page too, so that it works offline from then on.
      await self.clients.claim();
    })(),
  );
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  if (url.origin !== self.location.origin) return;
  event.respondWith(
    (async () => {
      const cache = await caches.open(cacheName);
      // A page's address with a query (a design link) is still the page.
      const key = request.mode === 'navigate' ? url.pathname : request;
      const cached = await cache.match(key, { ignoreSearch: request.mode === 'navigate' });
      return cached ?? fetch(request);
    })(),
  );
});
