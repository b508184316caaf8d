// Takes the page's pictures for the README in headless Chromium: the main window with a nine-,
// a 13- and a 15-digit result, the explanation in front of it at 2x, and the page on a phone.
// Usage: node web_screenshots.mjs SITE_DIR NODE_MODULES_DIR OUT_DIR
import {readFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import {join, resolve} from 'node:path';
import {serve} from './serve_folders.mjs';

const [site, modules, out] = process.argv.slice(2);
const puppeteer = createRequire(resolve(modules, 'index.js'))('puppeteer-core');
const {server, address} = await serve(site);
const chromium = JSON.parse(readFileSync(new URL('chromium.json', import.meta.url), 'utf8'));
const browser = await puppeteer.launch({executablePath: chromium.path, args: [...chromium.flags, '--lang=zh-CN']});
const main = 'section[aria-label="Prelvane"]:not(.prerendered)', explanation = 'section[aria-label="原理"]';
const input = `${main} [data-control="Text1"]`;
const clip = (page, ...windows) => page.evaluate((...windows) => {
  const rects = windows.map((w) => document.querySelector(w).getBoundingClientRect());
  const x = Math.min(...rects.map((r) => r.left)) - 10, y = Math.min(...rects.map((r) => r.top)) - 10;
  return {x, y, width: Math.max(...rects.map((r) => r.right)) + 10 - x,
          height: Math.max(...rects.map((r) => r.bottom)) + 10 - y};
}, ...windows);
try {
  const page = await browser.newPage();
  await page.setViewport({width: 1024, height: 768});
  await page.goto(address);
  await page.waitForSelector(main, {visible: true});
  for (const [size, name] of [['99999', 'main-window'], ['1234567890', '13-digits'], ['12345678901234567890', '20-digits']]) {
    await page.$eval(input, (element) => { element.value = ''; });
    await page.type(input, size);
    await page.keyboard.press('Enter');
    await page.screenshot({path: join(out, `web-${name}.png`), clip: await clip(page, main)});
  }
  await page.click(`${main} [data-control="Command2"]`);
  await page.waitForSelector(explanation);
  await page.setViewport({width: 1024, height: 768, deviceScaleFactor: 2});
  await page.screenshot({path: join(out, 'web-2x-explanation-window.png'), clip: await clip(page, main, explanation)});
  const phone = await browser.newPage();
  await phone.setViewport({width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true});
  await phone.goto(address);
  await phone.waitForSelector(main, {visible: true});
  await phone.type(input, '4');
  await phone.tap(`${main} [data-control="Command1"]`);
  await phone.screenshot({path: join(out, 'web-phone.png')});
} finally {
  await browser.close();
  server.close();
}
