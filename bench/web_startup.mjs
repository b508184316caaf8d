// The page's start-up benchmark: cold loads in Debian's headless Chromium, each in a fresh
// browser context, of the page and of a blank page with the same controls in plain HTML, taking
// turns; reports the time from navigation until the input box takes input (medians and ranges),
// and the weight of everything the page loads, gzipped. Given more than one build of the page
// (an older one first, say), it loads them all in the same turns, for a fair comparison.
// Usage: node bench/web_startup.mjs SITE_DIR... [RUNS]   (SITE_DIR: build/web/app/site)
import {readdirSync, readFileSync, statSync} from 'node:fs';
import {createRequire} from 'node:module';
import {dirname, join, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';
import {gzipSync} from 'node:zlib';
import {serve} from '../scripts/serve_folders.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const chromium = JSON.parse(readFileSync(join(here, '../scripts/chromium.json'), 'utf8'));
const sites = process.argv.slice(2).filter((arg) => statSync(arg, {throwIfNoEntry: false})?.isDirectory())
    .map((site) => resolve(site));
const runs = Number(process.argv.slice(2).find((arg) => /^\d+$/.test(arg)) || 20);
const puppeteer = createRequire(join(here, '../build/web/tests/web/package.json'))('puppeteer-core');

const weight = (site) => readdirSync(site).filter((name) => !/\.(txt|gz|br)$/.test(name))
    .reduce((sum, name) => sum + gzipSync(readFileSync(join(site, name)), {level: 9}).length, 0);
const blank = await serve(here);
const pages = {'blank page': {url: blank.address + 'web_blank.html', ready: () => document.activeElement?.id === 'text1'}};
const servers = [blank.server];
for (const site of sites) {
  const {server, address} = await serve(site);
  servers.push(server);
  pages[site] = {url: address, ready: () => document.activeElement?.dataset?.control === 'Text1'};
}
const browser = await puppeteer.launch({
  executablePath: chromium.path, headless: true, args: chromium.flags,
});
const times = Object.fromEntries(Object.keys(pages).map((label) => [label, []]));
for (let run = 0; run <= runs; ++run) {  // run 0 warms the browser up and is not counted
  for (const [label, {url, ready}] of Object.entries(pages)) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    // Checked in the page at every frame from its first, so that no round trip to the browser
    // is counted: a frame runs only once the page is free to take a key.
    await page.evaluateOnNewDocument(`(() => {
      const check = () => (${ready})() ? (window.readyAt = performance.now())
                                        : requestAnimationFrame(check);
      requestAnimationFrame(check);
    })()`);
    await page.goto(url, {waitUntil: 'domcontentloaded'});
    const elapsed = await (await page.waitForFunction(() => window.readyAt, {timeout: 10000})).jsonValue();
    if (run) times[label].push(elapsed);
    await page.evaluate(async () => {  // a context closed while its service worker starts upsets the browser
      if (document.readyState !== 'complete') await new Promise((loaded) => addEventListener('load', loaded));
      if (await navigator.serviceWorker.getRegistration()) await navigator.serviceWorker.ready;
    });
    await context.close();
  }
}
await browser.close();
servers.forEach((server) => server.close());
const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];
const baseline = median(times['blank page']);
console.log(`${runs} cold loads each: time until the input box takes input, median (min-max), ` +
            'against the blank page; the folder but its licences, gzipped');
for (const [label, values] of Object.entries(times)) {
  const page = label === 'blank page' ? '' :
      `  ${(median(values) / baseline).toFixed(2)}x  ${(weight(label) / 1024).toFixed(1)} KB`;
  console.log(`${median(values).toFixed(0).padStart(4)} ms (${Math.min(...values).toFixed(0)}-` +
              `${Math.max(...values).toFixed(0)})${page}  ${label}`);
}
