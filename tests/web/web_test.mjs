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
const main = 'section[aria-label="Prelvane"]:not(.prerendered):not(.box)';  // the program's, once it runs
const explanation = 'section[aria-label="原理"]';
const box = 'section.box';
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
      mainShown: getComputedStyle(document.querySelector(main)).visibility === 'visible',
      selected: focus.selectionStart === 0 && focus.selectionEnd === focus.value.length,
    };
  }, main, explanation),
});

// A key pressed with a modifier held down.
const chord = async (keyboard, modifier, key) => {
  await keyboard.down(modifier);
  await keyboard.press(key);
  await keyboard.up(modifier);
};

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
  let boxes = 0;
  for (const step of steps) {
    const what = `${step.action} ${step.target} ${step.typed}`;
    await user[step.action](step.action === 'type' ? 'Text1' : step.target, step.typed);
    if (step.box) {
      const shown = await (await page.waitForSelector(box, {visible: true, timeout: 5000})).evaluate((window) => ({
        title: window.querySelector('.title').textContent,
        text: window.querySelector('[data-control="Message"]').textContent,
        // The symbol as drawn: the error's picture, or the warning's.
        critical: getComputedStyle(window.querySelector('.symbol')).backgroundImage.includes('box-error.svg'),
        modal: window.getAttribute('aria-modal'),
        buttons: [...window.querySelectorAll('.client button')].map((b) => b.textContent).join(),
        focus: document.activeElement.textContent,
      }));
      assert.deepEqual(shown, {title: step.boxTitle, text: step.boxText, critical: step.critical,
                               modal: 'true', buttons: '确定', focus: '确定'}, what);
      // Not yet gone on to select the input, which it does once the box is dismissed.
      assert.equal(await page.$eval(field('Text1'), (i) => i.selectionStart === i.selectionEnd), true, what);
      // A press in the box, or on the caption of the option not chosen behind it, by the mouse or
      // a finger (whose click comes later), leaves Enter on 确定 and the option not chosen.
      const other = await page.$eval(field('Option1'), (option) => option.checked) ? 'Option2' : 'Option1';
      const pressed = await page.$((boxes % 2) ? `${main} [data-control="${other}"]` : `${box} [data-control="Message"]`);
      await ((boxes++ % 4 === 3) ? pressed.tap() : pressed.click());
      await page.keyboard.press('Enter');
      await page.waitForSelector(box, {hidden: true});
      assert.equal(await page.$eval(field(other), (option) => option.checked), false, what);
      await page.waitForFunction(() => document.activeElement.dataset.control === 'Text1');  // once it resumed
      assert.equal((await user.state()).selected, true, what);
    }
    const now = await user.state();
    assert.deepEqual([await user.text('Text2'), now.explanationOpen, now.mainDisabled, now.mainShown],
                     [step.output, step.explanationOpen, step.explanationOpen, true], what);
  }
});

test('Tab goes round the design\'s stops, not the browser\'s; Space on the selected option clicks it again', async () => {
  await page.focus(field('Text1'));
  await chord(page.keyboard, 'Shift', 'Tab');  // round to the last stop
  assert.equal((await user.state()).focus, 'Command2');
  await user.type('Text1', '99999');
  // What the status region says from now on; a result the scenario left may still come.
  await page.$eval(`${main} [role="status"]`, (region) => new MutationObserver(() => {
    if (region.textContent) region.dataset.heard = `${region.dataset.heard || ''} ${region.textContent}`;
  }).observe(region, {childList: true}));
  const heard = (times) => page.waitForFunction((main, times) =>
      (document.querySelector(`${main} [role="status"]`).dataset.heard || '').split(' ')
          .filter((said) => said === '102598972').length === times, {}, main, times);
  await page.focus(field('Option1'));
  await page.keyboard.press('Space');
  await heard(1);
  await page.keyboard.press('Space');  // the same result, said politely again
  await heard(2);
});

test('the arrow keys go round the option group, once and not also as the browser would, and move a text box\'s caret; Enter with Shift calculates, with Ctrl not', async () => {
  await user.type('Text1', '4');
  await page.keyboard.press('ArrowLeft');
  assert.equal(await page.$eval(field('Text1'), (input) => input.selectionStart), 0);
  await page.$eval(field('Text2'), (input) => { input.value = ''; });
  for (const [modifier, result] of [['Control', ''], ['Shift', '4102']]) {
    await chord(page.keyboard, modifier, 'Enter');
    assert.equal(await user.text('Text2'), result, modifier);
  }
  await page.$eval(field('Option1'), (option) => option.click());
  await page.focus(field('Option1'));
  await page.keyboard.press('ArrowUp');  // once, not also by the browser
  await page.waitForFunction((f) => document.querySelector(f).value === '4103', {}, field('Text2'));
  assert.equal((await user.state()).focus, 'Option2');
});

test('the decimal separator is the browser\'s: under a German locale, 1.25 GB by the old rule is 1280,5 MB', async () => {
  const german = await browser.newPage();
  try {
    await (await german.createCDPSession()).send('Emulation.setLocaleOverride', {locale: 'de-DE'});
    await german.goto(address);
    await german.waitForSelector(main, {visible: true});
    await german.type(field('Text1'), '1.25');
    await german.click(field('Command1'));
    const shown = await german.waitForFunction((result, box) => document.querySelector(result).value ||
        document.querySelector(box)?.textContent, {}, field('Text2'), box);  // the result, or a box instead
    assert.equal(await shown.jsonValue(), '1280,5');
  } finally {
    await german.close();  // the other tests' page in front again
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

test('a cut text reads right: from its start, or up to its end with the mark before it; seven characters whole; its tooltip the whole text; a paste keeps no invisible character', async () => {
  // The characters the box draws whole, from the first, and whether part of another shows: from
  // where the text stands, scrolled, within the room its padding leaves; the marks shown.
  const look = (box) => page.$eval(field(box), (input) => {
    const style = getComputedStyle(input), context = document.createElement('canvas').getContext('2d');
    context.font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
    const x = (n) => parseFloat(style.paddingLeft) + context.measureText(input.value.slice(0, n)).width - input.scrollLeft;
    const [left, right] = [parseFloat(style.paddingLeft), input.clientWidth - parseFloat(style.paddingRight)];
    let first = 0;
    while (first < input.value.length && x(first) < left - 0.5) ++first;
    let end = first;
    while (end < input.value.length && x(end + 1) <= right + 0.5) ++end;
    const [markLeft, markRight] = ['left', 'right'].map((side) =>
        input.parentElement.querySelector(`.cutmark.${side}[data-for="${input.dataset.control}"]`)?.textContent === '\u2026');
    // The room's last pixel is the caret's where it stands after the last character shown.
    const caretThere = document.activeElement === input && input.selectionEnd === end ? 1 : 0;
    return {first, whole: end - first, length: input.value.length, title: input.title, markLeft, markRight,
            part: (first > 0 && x(first) > left + 0.5) || (end < input.value.length && x(end) < right - 0.5 - caretThere)};
  });
  // Whole characters only, a mark at an end exactly where characters are hidden beyond it.
  const readsRight = (shown) => shown.whole > 0 && !shown.part && (shown.first > 0) === shown.markLeft &&
      (shown.first + shown.whole < shown.length) === shown.markRight;
  for (const size of ['1024.25', '16065.5', '2048.25', '123456', '0.0001']) {
    await user.type('Text1', size);
    await page.keyboard.press('Tab');
    assert.deepEqual(await look('Text1'), {...await look('Text1'), first: 0, whole: size.length, title: ''}, size);
  }
  await user.type('Text1', '123456789012345');
  await page.keyboard.press('Enter');
  const typed = await look('Text1');
  assert.ok(readsRight(typed) && typed.markLeft && typed.title === '123456789012345', JSON.stringify(typed));
  await page.keyboard.press('Tab');
  for (const box of ['Text1', 'Text2']) {
    const shown = await look(box);
    assert.ok(readsRight(shown) && shown.markRight && shown.title, `${box} ${JSON.stringify(shown)}`);
  }
  await user.type('Text1', '4');
  assert.equal((await look('Text1')).title, '');
  assert.equal((await page.accessibility.snapshot({root: await page.$(field('Text2'))})).description, undefined);
  // Home, then Right: the first characters, no mark before them; as far right as the caret goes,
  // each view reading right.
  await user.type('Text1', '123456789012345');
  await page.keyboard.press('Home');
  for (let caret = 1; caret <= 15; ++caret) {
    await page.keyboard.press('ArrowRight');
    const shown = await look('Text1');
    assert.ok(readsRight(shown) && (caret > 1 || shown.first === 0), `the caret at ${caret}: ${JSON.stringify(shown)}`);
  }
  // A pasted tab, line end or control character is not kept, unseen, in the box.
  for (const pasted of ['4\t', '\u00854\u0007', '4\r\n']) {
    await page.$eval(field('Text1'), (input) => input.select());
    await page.keyboard.sendCharacter(pasted);
    await page.waitForFunction((f) => document.querySelector(f).value === '4', {}, field('Text1'));
  }
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

test('a press on a window behind another brings it to the front, the explanation where the main window is disabled; one comes back with the keyboard where it was, and moves by its title bar, kept on the page', async () => {
  const raiseOver = (over, under) => page.evaluate((over, under) => {
    const [a, b] = [over, under].map((window) => document.querySelector(window).style);
    if (Number(a.zIndex) < Number(b.zIndex)) [a.zIndex, b.zIndex] = [b.zIndex, a.zIndex];
  }, over, under);
  const inFront = (window) => page.waitForFunction((window, others) => [...document.querySelectorAll(others)]
      .every((other) => other === document.querySelector(window) || Number(other.style.zIndex) <
             Number(document.querySelector(window).style.zIndex)), {}, window, '.window');
  const press = (window) => page.click(`${window} .titlebar`);  // in its middle, on what is in front there
  await user.click('Command2');
  await page.waitForSelector(explanation);
  for (const pressed of [explanation, main]) {  // enabled, then disabled
    await raiseOver(main, explanation);
    await press(pressed);
    await inFront(explanation);
  }
  await user.close('Form2');
  await page.focus(field('Option1'));
  await page.evaluate(() => document.activeElement.blur());  // the keyboard gone to another program
  await press(main);
  await page.waitForFunction((f) => document.activeElement === document.querySelector(f), {}, field('Option1'));
  // Dragged by the mouse: where it is dragged to, and no further than the page's edge.
  const drag = async (dx, dy) => {
    const bar = await (await page.$(`${main} .titlebar`)).boundingBox();
    await page.mouse.move(bar.x + 50, bar.y + 10);
    await page.mouse.down();
    await page.mouse.move(bar.x + 50 + dx / 2, bar.y + 10 + dy / 2);
    await page.mouse.move(bar.x + 50 + dx, bar.y + 10 + dy);
    await page.mouse.up();
    return (await page.$(main)).boundingBox();
  };
  const before = await (await page.$(main)).boundingBox();
  const moved = await drag(-100, 40);
  assert.deepEqual([moved.x, moved.y], [before.x - 100, before.y + 40]);
  const kept = await drag(1000 - moved.x, 750 - moved.y);  // the pointer still on the page
  assert.deepEqual([kept.x + kept.width, kept.y + kept.height], [1024, 768], JSON.stringify(kept));
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
  await early.keyboard.press('Enter');
  await chord(early.keyboard, 'Shift', 'Tab');
  await early.keyboard.press('Enter');
  await early.keyboard.press('Escape');
  assert.equal(await early.$eval('.window', (w) => w.matches('.prerendered')), true);
  await early.evaluate(() => new MutationObserver((changes) => {  // a window other than the drawn one
    window.explained ||= changes.some((change) => [...change.addedNodes].some((node) => node.matches?.('.window')));
  }).observe(document.body, {childList: true, subtree: true}));
  program.continue();
  await opened;
  await early.waitForFunction((f) => document.querySelector(f)?.value === '41038' && window.explained &&
      document.activeElement.dataset.control === 'Command2' && document.querySelectorAll('.window').length === 1,
  {}, field('Text2'));
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
  await phone.waitForFunction((f) => document.querySelector(f).value === '4103', {}, field('Text2'));
  await phone.$eval(field('Text1'), (input) => { input.value = ''; });
  await phone.tap(field('Command1'));
  const ok = await phone.waitForSelector(`${box} [data-control="Button"]`, {visible: true});
  const {width, height} = await ok.boundingBox();
  assert.ok(width >= 24 && height >= 24, `the box's 确定 is ${width} x ${height}`);
  await ok.tap();
  await phone.waitForSelector(box, {hidden: true});
  // A finger drags the window by its title bar, on the page still.
  const bar = await (await phone.$(`${main} .titlebar`)).boundingBox();
  await phone.touchscreen.touchStart(bar.x + 40, bar.y + 10);
  await phone.touchscreen.touchMove(bar.x + 40, bar.y + 210);
  await phone.touchscreen.touchMove(bar.x + 40, bar.y + 2000);
  await phone.touchscreen.touchEnd();
  const moved = await phone.$eval(main, (window) => window.getBoundingClientRect().toJSON());
  assert.ok(moved.top > placed.top + 100 && Math.round(moved.bottom) <= 740, JSON.stringify(moved));
});

test('the page as delivered: its security policy, its manifest, offline from a cold start, and a new build in place of the old', async () => {
  const files = readdirSync(site).filter((name) => !/\.(gz|br)$/.test(name));
  const get = (name, encodings) => new Promise((resolve) =>
    http.get(address + name, {headers: {'Accept-Encoding': encodings}}, (answer) => resolve(answer.resume().headers)));
  const policy = (await get('', ''))['content-security-policy'];
  for (const rule of ["default-src 'self'", "script-src 'self' 'wasm-unsafe-eval';", "style-src 'sha256-", "object-src 'none'", "frame-ancestors 'none'"]) {
    assert.ok(policy.includes(rule) && !policy.includes('unsafe-inline'), `${rule} in ${policy}`);
  }
  const {url, errors, data} = await (await page.createCDPSession()).send('Page.getAppManifest');
  const manifest = JSON.parse(data);
  assert.deepEqual(errors, []);
  assert.ok(new URL(manifest.start_url, url).href === address && address.startsWith(new URL(manifest.scope, url).href));

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
      await tab.waitForFunction((f) => document.querySelector(f).value === '4102', {}, field('Text2'));
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
