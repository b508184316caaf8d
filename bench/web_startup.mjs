// The page's start-up benchmark: cold loads in Debian's headless Chromium, each in a fresh
// browser context, of the page and of a blank page with the same controls in plain HTML, taking
// turns; reports the time from navigation until the input box takes input (medians and ranges),
// and the weight of everything the page loads, gzipped.
// Usage: node bench/web_startup.mjs build/web/app/site [RUNS]
import {readdirSync, readFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import {dirname, join, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';
import {gzipSync} from 'node:zlib';
import {serve} from '../scripts/serve_folders.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const site = resolve(process.argv[2]);
const runs = Number(process.argv[3] || 20);
const puppeteer = createRequire(join(site, '../../tests/web/package.json'))('puppeteer-core');

const weight = readdirSync(site).filter((name) => !/\.(txt|gz|br)$/.test(name))
    .reduce((sum, name) => sum + gzipSync(readFileSync(join(site, name)), {level: 9}).length, 0);
const {server, address} = await serve(site, here);
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--no-first-run',
         '--disable-component-update', '--disable-sync'],
});
const pages = {
  page: {url: address, ready: () => document.activeElement?.dataset?.control === 'Text1'},
  'blank page': {url: address + 'web_blank.html', ready: () => document.activeElement?.id === 'text1'},
};
const times = {page: [], 'blank page': []};
for (let run = 0; run <= runs; ++run) {  // run 0 warms the browser up and is not counted
  for (const [label, {url, ready}] of Object.entries(pages)) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(url, {waitUntil: 'domcontentloaded'});
    await page.waitForFunction(ready, {polling: 'raf', timeout: 10000});
    const elapsed = await page.evaluate(() => performance.now());
    if (run) times[label].push(elapsed);
    await context.close();
  }
}
await browser.close();
server.close();
const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];
console.log(`${runs} cold loads each: time until the input box takes input, median (min-max)`);
for (const [label, values] of Object.entries(times)) {
  console.log(`${label.padEnd(10)} ${median(values).toFixed(0)} ms ` +
              `(${Math.min(...values).toFixed(0)}-${Math.max(...values).toFixed(0)})`);
}
console.log(`the page against the blank one: ${(median(times.page) / median(times['blank page'])).toFixed(2)}x`);
console.log(`everything the page loads, gzipped: ${(weight / 1024).toFixed(1)} KB`);
