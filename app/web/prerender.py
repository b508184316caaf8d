#!/usr/bin/python3
"""Writes the page with its first window already drawn, so that the size box takes typing while
the program is still loading: opens the page in headless Chromium, waits until the program has put
the keyboard in its window, and writes that window into the folder's index.html, with the styles
inlined, so that the first paint waits for nothing but the page itself. The window's own styles
become rules under a class the program takes off when it takes the window over; the copy shows
only where the window stands as the program would place it. The page's security policy admits
the inlined styles by their hash, and nothing else inline.

Usage: prerender.py PAGE_DIR ENGINE_DIR SITE_DIR (index.html read from PAGE_DIR, style.css from
ENGINE_DIR)"""

import base64
import hashlib
import json
import os
import pathlib
import subprocess
import sys
import tempfile
import threading

# The project's server, and the browser with the flags it runs with here, as the project's other
# users of them take them.
SCRIPTS = pathlib.Path(__file__).parents[2] / "scripts"
sys.path.insert(0, str(SCRIPTS))
import serve_site  # noqa: E402
CHROMIUM = json.loads((SCRIPTS / "chromium.json").read_text())

# Run in the page once a control has the keyboard: the window's live state written into its
# attributes, each inline style moved into a rule, and where the window's frame ends.
SNAPSHOT = r"""new Promise((resolve) => {
  const ready = () => {
    const focused = document.activeElement?.closest('[data-control]');
    if (!focused) return setTimeout(ready, 10);
    const window = focused.closest('.window');
    const frame = window.getBoundingClientRect();
    for (const input of window.querySelectorAll('input')) {
      if (input.type === 'radio') input.toggleAttribute('checked', input.checked);
      else input.setAttribute('value', input.value);
    }
    focused.setAttribute('autofocus', '');
    const rules = [];
    window.querySelectorAll('[style]').forEach((element, index) => {
      element.dataset.drawn = index;
      rules.push(`.prerendered [data-drawn="${index}"] { ${element.style.cssText} }`);
      element.removeAttribute('style');
    });
    rules.unshift(`.window.prerendered { ${window.style.cssText} }`);
    window.removeAttribute('style');
    window.classList.add('prerendered');
    resolve({html: window.outerHTML, rules, right: Math.ceil(frame.right),
             bottom: Math.ceil(frame.bottom)});
  };
  ready();
})"""


class DevTools:
    """Chromium's DevTools protocol over the pipe that --remote-debugging-pipe opens."""

    def __init__(self, profile):
        commands_read, self.commands = os.pipe()
        self.replies, replies_write = os.pipe()

        def pipes():  # Chromium reads commands on descriptor 3 and writes replies on 4
            read, write = os.dup(commands_read), os.dup(replies_write)  # clear of 3 and 4
            os.dup2(read, 3)
            os.dup2(write, 4)

        self.browser = subprocess.Popen(
            [CHROMIUM["path"], *CHROMIUM["flags"], "--headless=new", "--window-size=1280,800",
             f"--user-data-dir={profile}", "--remote-debugging-pipe"],
            preexec_fn=pipes, close_fds=False,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(commands_read)
        os.close(replies_write)
        self.last_id = 0
        self.buffer = b""

    def send(self, method, session=None, **params):
        self.last_id += 1
        message = {"id": self.last_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        while True:
            while b"\0" not in self.buffer:
                chunk = os.read(self.replies, 65536)
                if not chunk:
                    raise RuntimeError("Chromium closed its DevTools pipe")
                self.buffer += chunk
            reply, self.buffer = self.buffer.split(b"\0", 1)
            reply = json.loads(reply)
            if reply.get("id") == self.last_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']['message']}")
                return reply["result"]

    def close(self):
        try:
            self.send("Browser.close")
        except RuntimeError:
            pass  # gone already
        try:
            self.browser.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.browser.kill()
            self.browser.wait()


def snapshot(address):
    with tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as profile:
        devtools = DevTools(profile)
        try:
            target = devtools.send("Target.createTarget", url="about:blank")["targetId"]
            session = devtools.send("Target.attachToTarget", targetId=target,
                                    flatten=True)["sessionId"]
            devtools.send("Page.navigate", session, url=address)  # returns once committed
            result = devtools.send("Runtime.evaluate", session, expression=SNAPSHOT,
                                   awaitPromise=True, returnByValue=True, timeout=30000)
        finally:
            devtools.close()
    if "exceptionDetails" in result:
        raise RuntimeError(f"the page failed: {result['exceptionDetails']}")
    return result["result"]["value"]


def main(source, engine, site):
    source, engine, site = pathlib.Path(source), pathlib.Path(engine), pathlib.Path(site)
    # The page and its styles as written, not as drawn before; the rest as built, uncompressed,
    # since the compressed copies are made after this, from the page it writes.
    server = serve_site.server([source, engine, site], 0, compressed=False)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        drawn = snapshot(f"http://127.0.0.1:{server.server_address[1]}/")
    finally:
        server.shutdown()
    page = (source / "index.html").read_text(encoding="utf-8")
    rules = "\n".join("  " + rule for rule in drawn["rules"])
    style = ("\n" + (engine / "style.css").read_text(encoding="utf-8") +
             "\n/* The first window as the program draws it, where it stands unmoved. */\n"
             f"@media (min-width: {drawn['right']}px) and (min-height: {drawn['bottom']}px) {{\n"
             f"{rules}\n}}\n")
    digest = base64.b64encode(hashlib.sha256(style.encode()).digest()).decode()
    # Where the copy does not show, the program draws the first window: its files are fetched
    # with the page's own.
    elsewhere = f"not all and (min-width: {drawn['right']}px) and (min-height: {drawn['bottom']}px)"
    program = (f'<link rel="preload" href="quorvel.js" as="script" media="{elsewhere}">\n'
               f'<link rel="preload" href="quorvel.wasm" as="fetch" crossorigin media="{elsewhere}">\n')
    for old, new in (('<link rel="stylesheet" href="style.css">', f"<style>{style}</style>"),
                     ('<script src="start.js" defer></script>', program + '<script src="start.js" defer></script>'),
                     ("script-src 'self'", f"style-src 'sha256-{digest}'; script-src 'self'"),
                     ("<body>", "<body>\n" + drawn["html"])):
        if page.count(old) != 1:
            sys.exit(f"prerender.py: index.html needs one {old}")
        page = page.replace(old, new)
    (site / "index.html").write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main(*sys.argv[1:])
