// The page in Debian's headless Chromium, driven as a user would: the scenario every engine runs,
// then what is the web engine's own (modal boxes, the disabled main window, keyboard use, the
// page's accessibility), and a screenshot at 1x and at 2x.
// Usage: node web_test.mjs SITE_DIR SCENARIO.json SCREENSHOT_DIR
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import puppeteer from 'puppeteer-core';
import {serve} from './serve.mjs';

const [site, scenarioFile, screenshots] = process.argv.slice(2);
const steps = JSON.parse(readFileSync(scenarioFile, 'utf8'));
let passed = 0, failed = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  ok ? ++passed : ++failed;
}

const {server, address} = await serve(site);
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--no-first-run',
         '--disable-component-update', '--disable-sync', '--lang=zh-CN'],
});
const timer = setTimeout(() => {
  console.log('FAILED: the test did not finish within 60 s');
  process.exit(1);
}, 60000);

try {
  const page = await browser.newPage();
  await page.setViewport({width: 1024, height: 768});
  page.on('pageerror', (error) => check(false, `no error on the page: ${error.message}`));
  await page.goto(address);
  const main = 'section[aria-label="Prelvane"]';
  const explanation = 'section[aria-label="原理"]';
  const control = (name, window = main) => `${window} [data-control="${name}"]`;
  const field = (name) => `${control(name)}${name.startsWith('Option') ? ' input' : ''}`;
  await page.waitForSelector(main, {visible: true});
  const value = (name) => page.$eval(field(name), (element) => element.value);
  const state = () => page.evaluate((main, explanation) => ({
    explanationOpen: !!document.querySelector(explanation),
    mainDisabled: document.querySelector(main).inert &&
        [...document.querySelectorAll(`${main} input, ${main} button:not(.close)`)]
            .every((element) => element.disabled),
    focus: document.activeElement.dataset.control ||
        document.activeElement.closest('[data-control]')?.dataset.control,
    selected: document.activeElement.selectionStart === 0 &&
        document.activeElement.selectionEnd === document.activeElement.value.length,
  }), main, explanation);

  check(await page.$eval(field('Text1'), (e) => e === document.activeElement),
        'the page opens with the focus in the input box');

  for (const step of steps) {
    const what = `${step.action} ${step.target} ${step.typed}`;
    if (step.action === 'type') {
      await page.$eval(field(step.target), (element) => { element.value = ''; });
      await page.type(field(step.target), step.typed);
    } else if (step.action === 'click') {
      await page.click(field(step.target));
    } else {
      const window = step.target === 'Form1' ? main : explanation;
      await page.$eval(`${window} .close`, (close) => close.click());
    }
    if (step.box) {
      const box = await page.waitForSelector('dialog[open]', {timeout: 5000}).catch(() => null);
      check(box, `${what}: a box`);
      if (!box) continue;
      const shown = await box.evaluate((dialog) => ({
        title: dialog.querySelector('.title').textContent, role: dialog.getAttribute('role'),
        text: dialog.querySelector('p').textContent, modal: dialog.matches(':modal'),
        critical: !!dialog.querySelector('.symbol.critical'),
        buttons: [...dialog.querySelectorAll('button')].map((b) => b.textContent),
      }));
      check(shown.title === step.boxTitle && shown.text === step.boxText &&
                shown.critical === step.critical && shown.role === 'dialog',
            `  titled ${shown.title}: ${shown.text}`);
      check(shown.modal && shown.buttons.join() === '确定', '  modal, with one button, 确定');
      await box.$eval('button', (ok) => ok.click());
      await page.waitForSelector('dialog', {hidden: true});
      await page.waitForFunction(() => document.activeElement.dataset.control === 'Text1',
                                 {timeout: 2000}).catch(() => {});
      const after = await state();
      check(after.focus === 'Text1' && after.selected,
            `  then the input has the focus, selected: ${JSON.stringify(after)}`);
    } else {
      check(!(await page.$('dialog[open]')), `${what}: no box`);
    }
    const now = await state();
    check(await value('Text2') === step.output && now.explanationOpen === step.explanationOpen &&
              now.mainDisabled === step.explanationOpen,
          `  output ${step.output}, explanation ${step.explanationOpen ? 'open' : 'closed'}`);
  }

  // The keyboard: Tab follows the design's order, Enter clicks the calculate button.
  await page.focus(field('Text1'));
  const order = [];
  for (let i = 0; i < 4; ++i) {
    await page.keyboard.press('Tab');
    order.push((await state()).focus);
  }
  check(order.join() === 'Text2,Option1,Command1,Command2', `Tab goes ${order.join(', ')}`);
  await page.$eval(field('Text1'), (element) => { element.value = ''; });
  await page.type(field('Text1'), '99999');
  await page.keyboard.press('Enter');
  check(await value('Text2') === '102598972', 'Enter in the input box calculates');
  const announced = await page.waitForFunction((main) =>
      document.querySelector(`${main} [role="status"]`).textContent === '102598972',
      {timeout: 2000}, main).catch(() => null);
  check(announced, '  and a screen reader is told the result, politely');
  // Space on the option already selected clicks it again.
  await page.$eval(field('Text2'), (element) => { element.value = ''; });
  await page.focus(field('Option1'));
  await page.keyboard.press('Space');
  await page.waitForFunction((f) => document.querySelector(f).value !== '', {timeout: 2000},
                             field('Text2')).catch(() => {});
  check(await value('Text2') === '102598972', 'Space on the selected option recalculates');

  // A long result shrinks its box's font until it shows whole.
  const fits = await page.$eval(field('Text2'), (element) =>
      element.scrollWidth <= element.clientWidth && parseFloat(element.style.fontSize) < 27);
  check(fits, 'a nine-digit result shows whole, in a smaller font');

  // A screen reader meets windows, named text boxes and controls in reading order (a radio
  // button's own text follows it, the title bar comes first).
  const dialog = await page.$('::-p-aria([name="Prelvane"][role="dialog"])');
  check(dialog, 'the main window is a dialog to a screen reader');
  const roles = ['radio', 'textbox', 'button', 'StaticText'];
  const walk = (node) => node.role === 'status' ? [] :
      roles.includes(node.role) ? [node] : (node.children || []).flatMap(walk);
  const nodes = dialog ? walk(await page.accessibility.snapshot({root: dialog, interestingOnly: false})) : [];
  const names = nodes.map((node) => node.name)
      .filter((name, i, all) => i > 1 && name !== all[i - 1]);
  check(names.join() === '旧算法,新算法,分区 (GB),应输整数 (MB),了解原理,开始计算',
        `in reading order: ${names.join(', ')}`);

  await page.screenshot({path: join(screenshots, 'web-main-window.png'),
                         clip: await (await page.$(main)).boundingBox()});
  for (const [size, name] of [['1234567890', '13-digits'], ['123456789012', '15-digits']]) {
    await page.$eval(field('Text1'), (element) => { element.value = ''; });
    await page.type(field('Text1'), size);
    await page.keyboard.press('Enter');
    await page.screenshot({path: join(screenshots, `web-${name}.png`),
                           clip: await (await page.$(main)).boundingBox()});
  }
  await page.click(field('Command2'));
  await page.waitForSelector(explanation);
  // A press on the disabled main window, raised over the explanation, brings the explanation to
  // the front; Escape closes it and the focus goes back to the button that opened it.
  await page.evaluate((main, explanation) => {
    const [a, b] = [main, explanation].map((window) => document.querySelector(window).style);
    [a.zIndex, b.zIndex] = [b.zIndex, a.zIndex];
  }, main, explanation);
  const box = await (await page.$(main)).boundingBox();
  await page.mouse.click(box.x + 10, box.y + 10);
  const front = await page.evaluate((main, explanation) =>
      Number(document.querySelector(explanation).style.zIndex) >
          Number(document.querySelector(main).style.zIndex), main, explanation);
  check(front, 'a press on the disabled main window puts the explanation in front');
  const both = await page.evaluate((main, explanation) => {
    const [a, b] = [main, explanation].map((w) => document.querySelector(w).getBoundingClientRect());
    const left = Math.min(a.left, b.left) - 10, top = Math.min(a.top, b.top) - 10;
    return {x: left, y: top, width: Math.max(a.right, b.right) + 10 - left,
            height: Math.max(a.bottom, b.bottom) + 10 - top};
  }, main, explanation);
  await page.setViewport({width: 1024, height: 768, deviceScaleFactor: 2});
  await page.screenshot({path: join(screenshots, 'web-2x-explanation-window.png'), clip: both});
  await page.keyboard.press('Escape');
  await page.waitForSelector(explanation, {hidden: true, timeout: 2000}).catch(() => {});
  check((await state()).focus === 'Command2' && !(await page.$(explanation)),
        'Escape closes the explanation, the focus back on 了解原理');

  // On a phone, by taps: the windows fit its width at the top, every target takes a finger, and
  // once opened the page calculates offline.
  const phone = await browser.newPage();
  await phone.setViewport({width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true});
  await phone.goto(address);
  await phone.waitForSelector(main, {visible: true});
  const onScreen = await phone.$eval(main, (window) => {
    const r = window.getBoundingClientRect();
    return r.left >= 0 && r.right <= innerWidth && r.top < 20;
  });
  check(onScreen, 'on a phone the main window fits the width, at the top');
  const small = await phone.$$eval(`${main} :is(input[type="text"], .option, button)`, (targets) =>
      targets.map((t) => [t.dataset.control || t.className, t.getBoundingClientRect()])
          .filter(([, r]) => r.width < 23.5 || r.height < 23.5).map(([name]) => name));
  check(small.length === 0, `  every target at least 24 px: ${small.join(', ') || 'all'}`);
  const inputMode = await phone.$eval(field('Text1'), (input) => input.inputMode);
  await phone.tap(field('Text1'));
  await phone.keyboard.type('4');
  await phone.tap(field('Command1'));
  await phone.tap(`${control('Option2')}`);
  await phone.waitForFunction((f) => document.querySelector(f).value === '4103', {timeout: 2000},
                              field('Text2')).catch(() => {});
  check(inputMode === 'decimal' && await phone.$eval(field('Text2'), (e) => e.value) === '4103',
        '  taps calculate, and the input asks for the decimal keyboard');
  await phone.screenshot({path: join(screenshots, 'web-phone.png')});
  await phone.evaluate(() => navigator.serviceWorker.ready);
  await phone.setOfflineMode(true);
  await phone.reload();
  await phone.waitForSelector(main, {visible: true, timeout: 5000}).catch(() => {});
  await phone.type(field('Text1'), '1').catch(() => {});
  await phone.tap(field('Command1')).catch(() => {});
  check(await phone.$eval(field('Text2'), (e) => e.value).catch(() => '') === '1024',
        '  offline, reloaded, it still calculates');
} finally {
  clearTimeout(timer);
  await browser.close();
  server.close();
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
