// Registers the service worker that keeps the site for offline use (see
// src/site/sw.js). Only the built site has one: `vite dev` serves no sw.js.
if (import.meta.env.PROD && 'serviceWorker' in navigator) {
  window.addEventListener('load', () => {
    navigator.serviceWorker.register('/sw.js', { scope: '/' }).catch((error: unknown) => {
      // The page works without it (plain HTTP off localhost has none).
      console.warn('The service worker could not be registered:', error);
    });
  });
}
