// Once opened, the page works without a network: a service worker keeps its files. Registered
// once the page has loaded, so that fetching them for later takes nothing from the first start.
if ('serviceWorker' in navigator) {
  addEventListener('load', () => navigator.serviceWorker.register('sw.js'));
}
