// The page in Debian's headless Chromium, driven as a user would: the scenario every engine runs,
// through the verbs of the engines' probes, then what only the page has: modal boxes the program
// waits on, the inert main window, its own font, keyboard and screen reader use, and a phone.
// Usage: node web_test.mjs SITE_DIR SCENARIO.json SERVE_SITE.py CHROMIUM.json (the project's own
// server, and the browser with its flags)
import assert from 'node:assert/strict';
import {execFileSync, spawn} from 'node:child_process';
import {appendFileSync, cpSync, mkdtempSync, readdirSync, readFileSync, rmSync} from 'node:fs';
import http from 'node:http';
import {tmpdir} from 'node:os';
import {dirname, join} from 'node:path';
import {after, before, test} from 'node:test';
import puppeteer from 'puppeteer-core';

const [site, scenarioFile, serveSite, chromiumFile] = process.argv.slice(2);
const chromium = JSON.parse(readFileSync(chromiumFile, 'utf8'));
const {steps, names} = JSON.parse(readFileSync(scenarioFile, 'utf8'));
const main = 'section[aria-label="Prelvane"]:not(.prerendered)';  // the program's, once it runs
const explanation = 'section[aria-label="原理"]';
const field = (name, window = main) =>
  `${window} [data-control="${name}"]${name.startsWith('Option') ? ' input' : ''}`;

// The probe's verbs on a page.
const probe = (page) => ({
  type: async (box, text) => {
    await page.$eval(field(box), (input) => { input.value = ''; });
    await page.type(field(box), text);
  },
  click: (control) => page.click(field(control)),
  close: (form) => page.$eval(`${form === 'Form1' ? main : explanation} .close`, (c) => c.click()),
  text: (control) => page.$eval(field(control), (input) => input.value),
  state: () => page.evaluate((main, explanation) => {
    const focus = document.activeElement;
    return {
      explanationOpen: !!document.querySelector(explanation),
      mainDisabled: [...document.querySelectorAll(`${main} input, ${main} button:not(.close)`)]
          .every((control) => control.disabled),
      focus: focus.closest('[data-control]')?.dataset.control,
      selected: focus.selectionStart === 0 && focus.selectionEnd === focus.value.length,
    };
  }, main, explanation),
});

// The project's server on a folder, and the address it serves.
const serve = async (folder, port = 0) => {
  const serving = spawn('/usr/bin/python3', [serveSite, folder, '--port', `${port}`]);
  return [serving, await new Promise((resolve) => serving.stdout.once('data', (line) => resolve(`${line}`.match(/http\S+/)[0])))];
};

let server, address, browser, page, user;
before(async () => {
  [server, address] = await serve(site);
  browser = await puppeteer.launch({
    executablePath: chromium.path, args: [...chromium.flags, '--lang=zh-CN'],
  });
  page = await browser.newPage();
  page.on('pageerror', (error) => assert.fail(`an error on the page: ${error.message}`));
  await page.setViewport({width: 1024, height: 768});
  await page.goto(address);
  await page.waitForSelector(main, {visible: true});
  user = probe(page);
});
after(async () => {
  await browser?.close();
  server?.kill('SIGINT');
});

test('the scenario every engine runs; a box is modal, and the program waits until it is dismissed', async () => {
  assert.equal((await user.state()).focus, 'Text1');
  for (const step of steps) {
    const what = `${step.action} ${step.target} ${step.typed}`;
    await user[step.action](step.action === 'type' ? 'Text1' : step.target, step.typed);
    if (step.box) {
      const box = await page.waitForSelector('dialog[open]', {timeout: 5000});
      const shown = await box.evaluate((dialog) => ({
        title: dialog.querySelector('.title').textContent, text: dialog.querySelector('p').textContent,
        // The symbol as drawn: the error's picture, or the warning's.
        critical: getComputedStyle(dialog.querySelector('.symbol')).backgroundImage.includes('box-error.svg'),
        modal: dialog.matches(':modal'),
        buttons: [...dialog.querySelectorAll('button')].map((b) => b.textContent).join(),
      }));
      assert.deepEqual(shown, {title: step.boxTitle, text: step.boxText, critical: step.critical,
                               modal: true, buttons: '确定'}, what);
      // Not yet gone on to select the input, which it does once the box is dismissed.
      await new Promise((resolve) => setTimeout(resolve, 50));
      assert.equal(await page.$eval(field('Text1'), (i) => i.selectionStart === i.selectionEnd), true, what);
      await box.$eval('button', (ok) => ok.click());
      await page.waitForSelector('dialog', {hidden: true, timeout: 2000});
      await new Promise((resolve) => setTimeout(resolve, 100));  // the program resumed, early or late
      const after = await user.state();
      assert.deepEqual([after.focus, after.selected], ['Text1', true], what);
    }
    assert.equal(await page.$('dialog'), null, what);
    const now = await user.state();
    assert.deepEqual([await user.text('Text2'), now.explanationOpen, now.mainDisabled],
                     [step.output, step.explanationOpen, step.explanationOpen], what);
  }
});

test('Tab goes round the design\'s stops; Space on the selected option clicks it again', async () => {
  await page.focus(field('Text1'));
  for (const stop of ['Text2', 'Option1', 'Command1', 'Command2', 'Text1']) {
    await page.keyboard.press('Tab');
    assert.equal((await user.state()).focus, stop);
  }
  await user.type('Text1', '99999');
  await page.$eval(field('Text2'), (input) => { input.value = ''; });
  await page.$eval(`${main} [role="status"]`, (region) => new MutationObserver(() => {
    if (region.textContent) region.dataset.heard = `${region.dataset.heard || ''} ${region.textContent}`;
  }).observe(region, {childList: true}));
  await page.focus(field('Option1'));
  await page.keyboard.press('Space');
  await page.waitForFunction((main) => document.querySelector(`${main} [role="status"]`).dataset.heard, {timeout: 2000}, main);
  await page.keyboard.press('Space');  // the same result, said politely again
  await page.waitForFunction((main) => document.querySelector(`${main} [role="status"]`).dataset.heard ===
      ' 102598972 102598972', {timeout: 2000}, main);
  assert.equal(await user.text('Text2'), '102598972');
  const fits = await page.$eval(field('Text2'), (e) => e.scrollWidth <= e.clientWidth);
  assert.ok(fits, 'a nine-digit result shows whole');
});

test('the arrow keys go round the option group and do nothing on a button', async () => {
  await user.type('Text1', '4');
  await page.$eval(field('Option1'), (option) => option.click());
  await page.focus(field('Option1'));
  await page.keyboard.press('ArrowUp');  // once, not also by the browser
  await page.waitForFunction((f) => document.querySelector(f).value === '4103', {timeout: 2000}, field('Text2'));
  assert.equal((await user.state()).focus, 'Option2');
  await page.focus(field('Command2'));
  await page.keyboard.press('ArrowDown');
  assert.equal((await user.state()).focus, 'Command2');
  assert.equal((await user.state()).explanationOpen, false);
});

test('a press in the box, or on the page behind it, leaves Enter on 确定', async () => {
  for (const press of [() => page.click('dialog p'), () => page.mouse.click(5, 5)]) {
    await user.type('Text1', '');
    await user.click('Command1');
    await page.waitForSelector('dialog[open]');
    await press();
    await page.keyboard.press('Enter');
    await page.waitForSelector('dialog', {hidden: true, timeout: 2000});
  }
});

test('once its last window is closed the page says so, and starts the program again', async () => {
  const ended = await browser.newPage();
  await ended.goto(address);
  await ended.waitForSelector(main, {visible: true});
  await ended.$eval(`${main} .close`, (close) => close.click());
  const again = await ended.waitForSelector('.ended button');
  assert.equal(await ended.evaluate(() => document.activeElement.textContent), '重新打开');
  const {role, name, description} = await ended.accessibility.snapshot({root: again});
  assert.deepEqual([role, name, description], ['button', '重新打开', 'Prelvane 已关闭。']);
  await Promise.all([ended.waitForNavigation(), ended.keyboard.press('Enter')]);
  await ended.waitForSelector(main, {visible: true});
  await ended.close();
});

test('a cut result shows the cut mark within its box, clear of its text, and whole as its tooltip', async () => {
  const look = () => page.$eval(field('Text2'), (input) => {
    const mark = input.nextElementSibling, inside = input.getBoundingClientRect(), range = new Range();
    range.selectNodeContents(mark);
    const glyph = range.getBoundingClientRect(), right = inside.right - input.clientLeft;
    return {mark: mark.textContent, title: input.title, value: input.value,
            within: glyph.left >= right - parseFloat(input.style.paddingRight) && glyph.right <= right &&
                    glyph.top >= inside.top && glyph.bottom <= inside.bottom};
  });
  await user.type('Text1', '1.2345678901234E+200');
  await user.click('Command1');
  await page.waitForFunction((f) => document.querySelector(f).title, {timeout: 2000}, field('Text2'));
  const cut = await look();
  assert.deepEqual([cut.mark, cut.title, cut.within], ['\u2026', cut.value, true]);
  assert.equal((await page.accessibility.snapshot({root: await page.$(field('Text2'))})).description, undefined);
  await user.type('Text1', '4');
  await user.click('Command1');
  await page.waitForFunction((f) => !document.querySelector(f).title, {timeout: 2000}, field('Text2'));
  assert.equal((await look()).mark, '');
});

test('a screen reader meets the page by its title, then the main window\'s controls by name, in reading order', async () => {
  // A reader skips a window named as the page is: the title says what the page is, and differs.
  assert.equal(await page.title(), 'Prelvane 分区大小计算器');
  const dialog = await page.$('::-p-aria([name="Prelvane"][role="dialog"])');
  const walk = (node) => ['radio', 'textbox', 'button'].includes(node.role) ? [node.name] :
      node.role === 'status' ? [] : (node.children || []).flatMap(walk);
  const heard = walk(await page.accessibility.snapshot({root: dialog, interestingOnly: false}));
  assert.deepEqual(heard.filter((name) => name !== '关闭'), names);
});

test('every glyph shown is in the page\'s own font', async () => {
  const cdp = await page.createCDPSession();
  await cdp.send('DOM.enable');
  await cdp.send('CSS.enable');
  const fallbacks = async (selector) => {
    const {root} = await cdp.send('DOM.getDocument', {depth: -1});
    const {nodeIds} = await cdp.send('DOM.querySelectorAll', {nodeId: root.nodeId, selector});
    const used = await Promise.all(nodeIds.map((nodeId) => cdp.send('CSS.getPlatformFontsForNode', {nodeId})));
    return used.flatMap(({fonts}) => fonts).filter((font) => !font.isCustomFont).map((f) => f.familyName);
  };
  await user.type('Text1', '-1.25');
  await user.click('Command2');
  await page.waitForSelector(explanation);
  assert.deepEqual(await fallbacks(`${main} *, ${explanation} *`), []);
  await user.close('Form2');
  await user.type('Text1', '');
  await user.click('Command1');
  await page.waitForSelector('dialog[open]');
  assert.deepEqual(await fallbacks('dialog *'), []);
  await page.$eval('dialog button', (ok) => ok.click());
  await page.waitForSelector('dialog', {hidden: true});
});

test('a press on the disabled main window brings the explanation back', async () => {
  await user.click('Command2');
  await page.waitForSelector(explanation);
  await page.evaluate((main, explanation) => {  // the main window raised over the explanation
    const [a, b] = [main, explanation].map((window) => document.querySelector(window).style);
    [a.zIndex, b.zIndex] = [b.zIndex, a.zIndex];
  }, main, explanation);
  const box = await (await page.$(main)).boundingBox();
  await page.mouse.click(box.x + 10, box.y + 10);
  await page.waitForFunction((main, explanation) =>  // once the press is over
    Number(document.querySelector(explanation).style.zIndex) >
        Number(document.querySelector(main).style.zIndex), {timeout: 2000}, main, explanation);
  await user.close('Form2');
});

test('the page comes with its first window drawn, which takes keys before the program runs; the program answers them once started', async () => {
  const visit = await browser.createBrowserContext();  // a first visit: no service worker yet
  const early = await visit.newPage();
  await early.bringToFront();
  await early.setViewport({width: 1024, height: 768});
  await early.setRequestInterception(true);
  let program;
  const requested = new Promise((resolve) => early.on('request', (request) => {
    if (request.url().endsWith('/quorvel.js')) resolve(program = request);
    else request.continue();
  }));
  const opened = early.goto(address);  // done once the program has loaded
  await requested;
  await early.waitForFunction(() => document.activeElement?.dataset.control === 'Text1');
  // Enter, Tab and Escape kept and answered in turn: a result, 了解原理 pressed, the explanation closed.
  await early.keyboard.type('40');
  for (const key of ['Enter', 'Shift+Tab', 'Enter', 'Escape']) {
    await early.keyboard.down(key.split('+')[0]);
    if (key.includes('+')) await early.keyboard.press('Tab');
    await early.keyboard.up(key.split('+')[0]);
  }
  assert.equal(await early.$eval('.window', (w) => w.matches('.prerendered')), true);
  await early.evaluate(() => new MutationObserver((changes) => {  // a window other than the drawn one
    window.explained ||= changes.some((change) => [...change.addedNodes].some((node) => node.matches?.('.window')));
  }).observe(document.body, {childList: true, subtree: true}));
  program.continue();
  await opened;
  await early.waitForFunction((f) => document.querySelector(f)?.value === '41038' && window.explained &&
      document.activeElement.dataset.control === 'Command2' && document.querySelectorAll('.window').length === 1,
  {timeout: 2000}, field('Text2'));
  await visit.close();
});

test('on a phone: at the top, fit to its width, every target a finger wide', async () => {
  const phone = await browser.newPage();
  await phone.setViewport({width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true});
  await phone.goto(address);
  await phone.waitForSelector(main, {visible: true});
  const placed = await phone.$eval(main, (window) => window.getBoundingClientRect().toJSON());
  assert.ok(placed.left >= 0 && placed.right <= 360 && placed.top < 20, JSON.stringify(placed));
  const small = await phone.$$eval(`${main} :is(input[type="text"], .option, button)`, (targets) =>
    targets.filter((t) => Math.min(t.getBoundingClientRect().width, t.getBoundingClientRect().height) < 23.5)
        .map((t) => t.dataset.control || t.className));
  assert.deepEqual(small, []);
  assert.equal(await phone.$eval(field('Text1'), (input) => input.inputMode), 'decimal');
  await phone.tap(field('Text1'));
  await phone.keyboard.type('4');
  await phone.tap(field('Command1'));
  await phone.tap(`${main} [data-control="Option2"]`);
  await phone.waitForFunction((f) => document.querySelector(f).value === '4103', {timeout: 2000}, field('Text2'));
  await phone.$eval(field('Text1'), (input) => { input.value = ''; });
  await phone.tap(field('Command1'));
  const ok = await phone.waitForSelector('dialog[open] button');
  const {width, height} = await ok.boundingBox();
  assert.ok(width >= 24 && height >= 24, `the box's 确定 is ${width} x ${height}`);
  await ok.tap();
  await phone.waitForSelector('dialog', {hidden: true});
});

test('the page as delivered: its headers, its manifest, offline from a cold start, and a new build in place of the old', async () => {
  const files = readdirSync(site).filter((name) => !/\.(gz|br)$/.test(name));
  const get = (name, encodings) => new Promise((resolve) =>
    http.get(address + name, {headers: {'Accept-Encoding': encodings}}, (answer) => resolve(answer.resume().headers)));
  const types = {html: 'text/html', js: 'text/javascript', wasm: 'application/wasm', webmanifest: 'application/manifest+json',
                 woff2: 'font/woff2', png: 'image/png', svg: 'image/svg+xml', txt: 'text/plain'};
  for (const name of files) {
    const kind = name.split('.').pop(), packed = ['woff2', 'png'].includes(kind);
    const sent = await Promise.all(['gzip, br', 'gzip', ''].map((encodings) => get(name, encodings)));
    assert.ok(sent[0]['content-type'].startsWith(types[kind]), `${name}: ${sent[0]['content-type']}`);
    assert.deepEqual(sent.map((headers) => headers['content-encoding']), packed ? [undefined, undefined, undefined] : ['br', 'gzip', undefined], name);
  }
  const policy = (await get('', ''))['content-security-policy'];
  for (const rule of ["default-src 'self'", "script-src 'self' 'wasm-unsafe-eval';", "style-src 'sha256-", "object-src 'none'", "frame-ancestors 'none'"]) {
    assert.ok(policy.includes(rule) && !policy.includes('unsafe-inline'), `${rule} in ${policy}`);
  }
  const {url, errors, data} = await (await page.createCDPSession()).send('Page.getAppManifest');
  const manifest = JSON.parse(data);
  assert.deepEqual(errors, []);
  assert.ok(new URL(manifest.start_url, url).href === address && address.startsWith(new URL(manifest.scope, url).href));
  for (const {src, sizes} of manifest.icons) {
    const png = readFileSync(join(site, src));
    assert.equal(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`, sizes, src);
  }

  // A first visit to a copy of the site, then the browser started again with its network gone.
  const copy = mkdtempSync(join(tmpdir(), 'site-')), profile = mkdtempSync(join(tmpdir(), 'profile-'));
  cpSync(site, copy, {recursive: true});
  let [copyServer, copyAddress] = await serve(copy);
  const port = new URL(copyAddress).port;
  const visit = async (offline, wanted) => {
    const visitor = await puppeteer.launch({executablePath: chromium.path, args: chromium.flags, userDataDir: profile});
    const tab = await visitor.newPage();
    if (offline) copyServer.kill('SIGINT');
    await tab.goto(copyAddress);
    await tab.waitForSelector(main, {visible: true});
    await tab.evaluate(() => navigator.serviceWorker.ready);
    const seen = await wanted(tab);
    await visitor.close();
    return seen;
  };
  try {
    const kept = await visit(false, (tab) => tab.evaluate(() => caches.keys()));
    const unreachable = await visit(true, async (tab) => {
      await tab.type(field('Text1'), '4');
      await tab.click(field('Command1'));
      await tab.waitForFunction((f) => document.querySelector(f).value === '4102', {timeout: 2000}, field('Text2'));
      return tab.evaluate((files) => Promise.all(files.map((name) => fetch(name).then((r) => !r.ok && name, () => name))),
                         files.filter((name) => name !== 'sw.js'));  // the worker the browser keeps itself
    });
    assert.deepEqual(unreachable.filter(Boolean), [], 'every file of the page, offline');

    // The site built again with one file changed: once the new build is in, it runs, and no file of the old.
    appendFileSync(join(copy, 'start.js'), "document.documentElement.dataset.build = 'new';\n");
    execFileSync('/usr/bin/python3', [join(dirname(serveSite), '../app/web/make_offline.py'), copy, join(dirname(serveSite), '../app/web/sw.js.in')]);
    [copyServer] = await serve(copy, port);
    await visit(false, (tab) => tab.waitForFunction((old) => caches.keys().then((now) => now.length === 1 && now[0] !== old), {}, kept[0]));
    assert.equal(await visit(true, (tab) => tab.evaluate(() => document.documentElement.dataset.build)), 'new');
  } finally {
    copyServer.kill('SIGINT');
    for (const folder of [copy, profile]) rmSync(folder, {recursive: true, force: true});
  }
});
