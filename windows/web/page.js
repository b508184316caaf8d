// The page's side of the web engine: each window an in-page window (a title bar with the icon,
// the title and a close box, over a client area at the designed CSS pixels), its controls real
// form elements in reading order, and the message box a modal dialog. Events go to the program
// through its exported functions.
var QuorvelPageLibrary = {
  // Methods as function properties: the library's objects are written out as source.
  $QuorvelPage: {
    windows: null,  // window number -> its elements, made with the first window
    kinds: ['button', 'option', 'text', 'label'],
    front: 10,

    call: function(name, types, args) {
      return Module.ccall(name, 'number', types, args, {async: true});
    },
    control: function(window, name) {
      return QuorvelPage.windows.get(window).controls.get(UTF8ToString(name));
    },
    // Where the design puts the window, moved back inside a page too small for it.
    place: function(element, left, top) {
      const width = element.offsetWidth, height = element.offsetHeight;
      element.style.left = Math.max(0, Math.min(left, innerWidth - width)) + 'px';
      element.style.top = Math.max(0, Math.min(top, innerHeight - height)) + 'px';
    },
  },

  web_create_window__deps: ['$QuorvelPage'],
  web_create_window: function(window, title, width, height, left, top) {
    QuorvelPage.windows = QuorvelPage.windows || new Map();
    const element = document.createElement('section');
    element.className = 'window';
    element.setAttribute('role', 'dialog');
    element.setAttribute('aria-label', UTF16ToString(title));
    element.hidden = true;
    element.innerHTML = '<header class="titlebar"><img class="icon" alt="" src="icon-32.png">' +
        '<span class="title"></span><button type="button" class="close" tabindex="-1" ' +
        'aria-label="关闭">✕</button></header><div class="client"></div>';
    element.querySelector('.title').textContent = UTF16ToString(title);
    const client = element.querySelector('.client');
    client.style.width = width + 'px';
    client.style.height = height + 'px';
    element.querySelector('.close').addEventListener('click', () =>
        QuorvelPage.call('quorvel_close', ['number'], [window]));
    // Enter that no push button took clicks the default button, as in a dialog.
    client.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' || event.target.tagName === 'BUTTON') return;
      const button = client.querySelector('button.default');
      if (button && !button.disabled) {
        event.preventDefault();
        button.click();
      }
    });
    document.body.appendChild(element);
    QuorvelPage.windows.set(window, {element, client, controls: new Map(), left, top});
    // A press on a disabled window: it is inert, so the page only sees where the press was.
    element.dataset.window = window;
    if (!QuorvelPage.watching) {
      QuorvelPage.watching = true;
      document.addEventListener('pointerdown', (event) => {
        for (const disabled of document.querySelectorAll('.window.disabled')) {
          const r = disabled.getBoundingClientRect();
          if (event.clientX >= r.left && event.clientX < r.right && event.clientY >= r.top &&
              event.clientY < r.bottom) {
            QuorvelPage.call('quorvel_activated', ['number'], [Number(disabled.dataset.window)]);
          }
        }
      }, true);
    }
  },

  web_create_control__deps: ['$QuorvelPage'],
  web_create_control: function(window, name, kind, caption, left, top, width, height, tabIndex,
                               accessibleName, fontPixels, bold, isDefault) {
    const self = QuorvelPage.windows.get(window);
    const controlName = UTF8ToString(name);
    const text = UTF16ToString(caption);
    let element, field;
    switch (QuorvelPage.kinds[kind]) {
      case 'button':
        element = field = document.createElement('button');
        element.type = 'button';
        element.textContent = text;
        if (isDefault) element.classList.add('default');
        element.addEventListener('click', () =>
            QuorvelPage.call('quorvel_click', ['number', 'string'], [window, controlName]));
        break;
      case 'option':
        // A click on a radio button comes from the mouse, Space, the arrow keys or an assistive
        // technology, on the selected one too; setting `checked` raises none.
        element = document.createElement('label');
        field = document.createElement('input');
        field.type = 'radio';
        field.name = 'options-' + window;
        field.addEventListener('click', () =>
            QuorvelPage.call('quorvel_click', ['number', 'string'], [window, controlName]));
        const span = document.createElement('span');
        span.textContent = text;
        element.append(field, span);
        break;
      case 'text':
        element = field = document.createElement('input');
        element.type = 'text';
        element.value = text;
        element.spellcheck = false;
        element.autocomplete = 'off';
        element.addEventListener('input', () =>
            QuorvelPage.call('quorvel_text_changed', ['number', 'string'], [window, controlName]));
        break;
      case 'label':
        element = document.createElement('div');
        element.textContent = text;
        break;
    }
    element.classList.add('control', QuorvelPage.kinds[kind]);
    element.dataset.control = controlName;
    const label = UTF16ToString(accessibleName);
    if (label) element.setAttribute('aria-label', label);
    if (field && tabIndex >= 0) field.tabIndex = tabIndex + 1;
    Object.assign(element.style, {left: left + 'px', top: top + 'px', width: width + 'px',
                                  height: height + 'px', fontSize: fontPixels + 'px',
                                  fontWeight: bold ? 'bold' : 'normal'});
    self.client.appendChild(element);
    self.controls.set(controlName, {element, field: field || element});
  },

  web_draw_line__deps: ['$QuorvelPage'],
  web_draw_line: function(window, x1, y1, x2, y2) {
    const line = document.createElement('div');
    line.className = 'rule';
    line.setAttribute('aria-hidden', 'true');
    Object.assign(line.style, {left: Math.min(x1, x2) + 'px', top: Math.min(y1, y2) + 'px',
                               width: Math.max(1, Math.abs(x2 - x1)) + 'px',
                               height: Math.max(1, Math.abs(y2 - y1)) + 'px'});
    QuorvelPage.windows.get(window).client.appendChild(line);
  },

  web_destroy_window__deps: ['$QuorvelPage'],
  web_destroy_window: function(window) {
    QuorvelPage.windows.get(window).element.remove();
    QuorvelPage.windows.delete(window);
  },

  web_show_window__deps: ['$QuorvelPage'],
  web_show_window: function(window) {
    const self = QuorvelPage.windows.get(window);
    const first = self.element.hidden;
    self.element.hidden = false;
    if (first) QuorvelPage.place(self.element, self.left, self.top);
    self.element.style.zIndex = ++QuorvelPage.front;
    const focus = self.lastFocus || [...self.controls.values()].map((c) => c.field)
        .filter((f) => f.tabIndex > 0).sort((a, b) => a.tabIndex - b.tabIndex)[0];
    if (focus) focus.focus();
  },

  web_set_enabled__deps: ['$QuorvelPage'],
  web_set_enabled: function(window, enabled) {
    const self = QuorvelPage.windows.get(window);
    if (!enabled && self.element.contains(document.activeElement)) {
      self.lastFocus = document.activeElement;
    }
    self.element.inert = !enabled;
    self.element.classList.toggle('disabled', !enabled);
    for (const control of self.controls.values()) {
      if (control.field.tagName !== 'DIV') control.field.disabled = !enabled;
    }
  },

  web_text__deps: ['$QuorvelPage', 'malloc'],
  web_text: function(window, name) {
    const control = QuorvelPage.control(window, name);
    if (!control) return 0;
    const text = control.field.value;
    const bytes = (text.length + 1) * 2;
    const pointer = _malloc(bytes);
    stringToUTF16(text, pointer, bytes);
    return pointer;
  },

  web_set_text__deps: ['$QuorvelPage'],
  web_set_text: function(window, name, text) {
    const control = QuorvelPage.control(window, name);
    if (control.field.tagName === 'INPUT') {
      control.field.value = UTF16ToString(text);
      control.field.setSelectionRange(0, 0);  // the start shows, as the first digits matter most
      control.field.scrollLeft = 0;
    } else {
      control.element.textContent = UTF16ToString(text);
    }
  },

  web_checked__deps: ['$QuorvelPage'],
  web_checked: function(window, name) {
    return QuorvelPage.control(window, name).field.checked ? 1 : 0;
  },

  web_set_checked__deps: ['$QuorvelPage'],
  web_set_checked: function(window, name, checked) {
    QuorvelPage.control(window, name).field.checked = !!checked;
  },

  web_focus__deps: ['$QuorvelPage'],
  web_focus: function(window, name) {
    const field = QuorvelPage.control(window, name).field;
    field.focus();
    if (field.select) field.select();
  },

  web_text_room__deps: ['$QuorvelPage'],
  web_text_room: function(window, name) {
    const field = QuorvelPage.control(window, name).field;
    const style = getComputedStyle(field);
    return field.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) - 1;
  },

  web_text_width__deps: ['$QuorvelPage'],
  web_text_width: function(window, name, pixels) {
    const field = QuorvelPage.control(window, name).field;
    const measure = QuorvelPage.measure || (QuorvelPage.measure = document.createElement('span'));
    measure.className = 'measure';
    measure.style.font = getComputedStyle(field).font;
    measure.style.fontSize = pixels + 'px';
    measure.textContent = field.value;
    document.body.appendChild(measure);
    const width = Math.ceil(measure.getBoundingClientRect().width);
    measure.remove();
    return width;
  },

  web_set_font_pixels__deps: ['$QuorvelPage'],
  web_set_font_pixels: function(window, name, pixels) {
    QuorvelPage.control(window, name).field.style.fontSize = pixels + 'px';
  },

  web_show_box__deps: ['$QuorvelPage'],
  web_show_box: function(text, icon, title) {
    return Asyncify.handleSleep((wakeUp) => {
      const box = document.createElement('dialog');
      box.className = 'box';
      box.setAttribute('role', 'alertdialog');
      box.setAttribute('aria-label', UTF16ToString(title));
      box.innerHTML = '<header class="titlebar"><span class="title"></span></header>' +
          '<div class="message"><span class="symbol" aria-hidden="true"></span><p></p></div>' +
          '<form method="dialog"><button class="default">确定</button></form>';
      box.querySelector('.title').textContent = UTF16ToString(title);
      box.querySelector('p').textContent = UTF16ToString(text);
      box.querySelector('.symbol').classList.add(icon === 16 ? 'critical' : 'exclamation');
      // The program goes on in a task of its own, once the browser has given the focus back to
      // where it was before the box: what the program then focuses stays focused.
      box.addEventListener('close', () => {
        box.remove();
        setTimeout(wakeUp);
      });
      document.body.appendChild(box);
      box.showModal();
      box.querySelector('button').focus();
    });
  },

  web_decimal_separator: function() {
    return (1.5).toLocaleString().charCodeAt(1);
  },
};

autoAddDeps(QuorvelPageLibrary, '$QuorvelPage');
mergeInto(LibraryManager.library, QuorvelPageLibrary);
