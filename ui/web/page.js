// The page's side of the web engine: each window an in-page window (a title bar with the icon,
// the title and a close box, over a client area at the designed CSS pixels), its controls real
// form elements in reading order, and the message box a modal dialog. The page reports each event
// to the program through its one export, by name, and applies what the program decides.
var QuorvelPageLibrary = {
  // Methods as function properties: the library's objects are written out as source.
  $QuorvelPage: {
    windows: null,  // window number -> its elements, made with the first window
    // Those the program answers; the arrow keys in a text box are the box's own.
    keys: ['Tab', 'Enter', 'Escape', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight'],
    front: 10,

    report: function(window, kind, control, key) {
      return Module.ccall('quorvel_report', 'number', ['number', 'string', 'string', 'string'],
                          [window, kind, control || '', key || ''], {async: true});
    },
    press: function(window, key, shift) {
      QuorvelPage.report(window, 'key', '', (shift && key === 'Tab' ? 'Shift+' : '') + key);
    },
    control: function(window, name) {
      return QuorvelPage.windows.get(window).controls.get(UTF8ToString(name));
    },
    // The frame around a window's client area, as laid out, before any scaling.
    frame: function(self) {
      const left = self.element.clientLeft + self.client.offsetLeft;
      const top = self.element.clientTop + self.client.offsetTop;
      return [left, top, self.element.offsetWidth - self.client.offsetWidth - left,
              self.element.offsetHeight - self.client.offsetHeight - top];
    },
    // A control's elements, in the client area or its group, the caption in them.
    make: function(self, window, kind, name, text, group, labelFor) {
      let element, parent = self.client;
      switch (kind) {
        case 'button':
          element = document.createElement('button');
          element.type = 'button';
          element.textContent = text;
          break;
        case 'option':
          element = document.createElement('label');
          const field = document.createElement('input');
          field.type = 'radio';
          field.name = 'window-' + window + '-' + group;
          const span = document.createElement('span');
          span.textContent = text;
          element.append(field, span);
          // The options of a group are one named group to a screen reader ("1 of 2").
          let radios = self.client.querySelector(`[data-group="${group}"]`);
          if (!radios) {
            radios = document.createElement('div');
            radios.setAttribute('role', 'radiogroup');
            radios.setAttribute('aria-label', group);
            radios.dataset.group = group;
            self.client.appendChild(radios);
          }
          parent = radios;
          break;
        case 'text':
          element = document.createElement('input');
          element.id = 'control-' + window + '-' + name;
          element.type = 'text';
          element.value = text;
          element.spellcheck = false;
          element.autocomplete = 'off';
          element.inputMode = 'decimal';  // a phone's keyboard of digits and a decimal point
          // Its tooltip, a cut text whole, is for the eye: a reader reads the text itself, once.
          element.setAttribute('aria-description', '');
          break;
        case 'label':
          // A label or unit of a text box: a click on it goes to the box, and a screen reader hears
          // both in the box's name, once.
          element = document.createElement(labelFor ? 'label' : 'div');
          if (labelFor) {
            element.htmlFor = 'control-' + window + '-' + labelFor;
            element.setAttribute('aria-hidden', 'true');
          }
          element.textContent = text;
          break;
      }
      parent.appendChild(element);
      return element;
    },
    // A window the page was served with already drawn (see app/web/prerender.py) is the program's
    // window as it stands, with what the user typed into it before the program ran: its text boxes
    // as they are when the program starts (its load empties them), and the keys start.js kept.
    typedAhead: function(drawn) {
      return {texts: [...drawn.querySelectorAll('input[type="text"]')].map((field) =>
                  ({field, value: field.value, start: field.selectionStart, end: field.selectionEnd})),
              keys: drawn.dataset.typedAhead ? drawn.dataset.typedAhead.split(' ') : []};
    },
    // Once the program shows it, the drawn window's styles give way to the program's, and what was
    // typed ahead goes to the program in turn, as a desktop hands a starting program the keys
    // typed while it started, caret and all.
    takeOver: function(self) {
      const drawn = self.drawn;
      if (!drawn) return;
      self.drawn = null;
      self.element.classList.remove('prerendered');
      setTimeout(() => {
        for (const typed of drawn.texts) {
          if (!typed.value) continue;
          typed.field.value = typed.value;
          typed.field.setSelectionRange(typed.start, typed.end);
          typed.field.dispatchEvent(new Event('input'));
        }
        // Each key as if typed now, to whatever has the keyboard by then: a window that a key
        // before opened, say.
        for (const key of drawn.keys) {
          const target = document.activeElement.closest('.window') ? document.activeElement : self.element;
          target.dispatchEvent(new KeyboardEvent('keydown', {key: key.replace('Shift+', ''),
              shiftKey: key.startsWith('Shift+'), bubbles: true, cancelable: true}));
        }
      });
    },
    watchPresses: function() {
      // A press on a window that does not have the keyboard activates it, as on a desktop, once
      // the press has put the focus on the control pressed; a press on no control that takes the
      // focus leaves the keyboard where it was rather than give it to the page.
      document.addEventListener('mousedown', (event) => {
        const target = document.elementFromPoint(event.clientX, event.clientY);
        const pressed = target && target.closest('.window');
        if (!pressed || pressed.contains(document.activeElement)) return;
        if (!target.closest('input:enabled, button:enabled')) event.preventDefault();
        setTimeout(() => QuorvelPage.report(Number(pressed.dataset.window), 'activated'));
      }, true);
    },
  },

  web_create_window: function(window, title, width, height) {
    if (!QuorvelPage.windows) {
      QuorvelPage.windows = new Map();
      QuorvelPage.watchPresses();
      addEventListener('resize', () =>
          QuorvelPage.windows.forEach((self, window) => QuorvelPage.report(window, 'framed')));
    }
    let element = document.querySelector(`.window.prerendered[data-window="${window}"]`);
    if (!element) {
      element = document.createElement('section');
      element.className = 'window';
      element.tabIndex = -1;  // a window without controls still takes the keyboard
      element.setAttribute('role', 'dialog');
      element.setAttribute('aria-label', UTF16ToString(title));
      element.style.visibility = 'hidden';  // laid out, so that its frame can be measured
      element.dataset.window = window;
      // What the program announces is said by a screen reader, politely, and not shown.
      element.innerHTML = '<div class="titlebar"><img class="icon" alt="" src="icon-32.png">' +
          '<span class="title"></span><button type="button" class="close" tabindex="-1" ' +
          'aria-label="关闭">×</button></div><div class="client"></div>' +
          '<div class="announcer" role="status" aria-live="polite"></div>';
      element.querySelector('.title').textContent = UTF16ToString(title);
      document.body.appendChild(element);
    } else {
      element.querySelectorAll('.rule').forEach((line) => line.remove());  // the program's to draw
    }
    const client = element.querySelector('.client');
    client.style.width = width + 'px';
    client.style.height = height + 'px';
    element.querySelector('.close').addEventListener('click', () =>
        QuorvelPage.report(window, 'close'));
    element.addEventListener('keydown', (event) => {
      if (!QuorvelPage.keys.includes(event.key) || event.altKey || event.ctrlKey || event.metaKey ||
          (event.key.startsWith('Arrow') && event.target.type === 'text')) {
        return;
      }
      event.preventDefault();
      QuorvelPage.press(window, event.key, event.shiftKey);
    });
    const self = {element, client, controls: new Map(),
                  drawn: element.classList.contains('prerendered') && QuorvelPage.typedAhead(element)};
    element.addEventListener('focusin', (event) => {
      const control = event.target.closest('[data-control]');
      if (control) QuorvelPage.report(window, 'focus', control.dataset.control);
    });
    QuorvelPage.windows.set(window, self);
  },

  web_create_control: function(window, name, kind, caption, left, top, width, height, group,
                               labelFor, accessibleName, fontPixels, bold) {
    const self = QuorvelPage.windows.get(window);
    const controlName = UTF8ToString(name);
    const kindName = UTF8ToString(kind);
    const text = UTF16ToString(caption);
    let element = self.client.querySelector(`[data-control="${controlName}"]`);  // drawn
    if (!element) {
      element = QuorvelPage.make(self, window, kindName, controlName, text, UTF8ToString(group),
                                 UTF8ToString(labelFor));
      element.classList.add('control', kindName);
      element.dataset.control = controlName;
      const label = UTF16ToString(accessibleName);
      if (label) element.setAttribute('aria-label', label);
    }
    const field = kindName === 'option' ? element.querySelector('input') : element;
    const click = () => QuorvelPage.report(window, 'clicked', controlName);
    switch (kindName) {
      case 'button':
        field.addEventListener('click', click);
        break;
      case 'option':
        // The browser clicks a radio button for the mouse or an assistive technology, and for
        // Space on one not yet selected; Space on the selected one is a click too. Setting
        // `checked` raises none.
        field.addEventListener('click', click);
        field.addEventListener('keydown', (event) => {
          if (event.key === ' ' && field.checked) {
            event.preventDefault();
            click();
          }
        });
        break;
      case 'text':
        field.addEventListener('input', () => QuorvelPage.report(window, 'edited', controlName));
        break;
    }
    Object.assign(element.style, {left: left + 'px', top: top + 'px', width: width + 'px',
                                  height: height + 'px', fontSize: fontPixels + 'px',
                                  fontWeight: bold ? 'bold' : 'normal'});
    Object.assign(element.dataset, {top, height});
    self.controls.set(controlName, {element, field});
  },

  web_draw_line: function(window, x1, y1, x2, y2) {
    const line = document.createElement('div');
    line.className = 'rule';
    line.setAttribute('aria-hidden', 'true');
    Object.assign(line.style, {left: Math.min(x1, x2) + 'px', top: Math.min(y1, y2) + 'px',
                               width: Math.max(1, Math.abs(x2 - x1)) + 'px',
                               height: Math.max(1, Math.abs(y2 - y1)) + 'px'});
    QuorvelPage.windows.get(window).client.appendChild(line);
  },

  web_destroy_window: function(window) {
    QuorvelPage.windows.get(window).element.remove();
    QuorvelPage.windows.delete(window);
  },

  // Visible and in front; the program says where the keyboard goes.
  web_show_window: function(window) {
    const self = QuorvelPage.windows.get(window);
    self.element.style.visibility = 'visible';
    self.element.style.zIndex = ++QuorvelPage.front;
    QuorvelPage.takeOver(self);
  },

  web_set_enabled: function(window, enabled) {
    // Its controls disabled rather than the window made inert: a screen reader keeps the window
    // as it was, and so hears where the focus goes, and no result a second time, when it comes back.
    const self = QuorvelPage.windows.get(window);
    self.element.classList.toggle('disabled', !enabled);
    for (const control of self.controls.values()) {
      if (control.field.tagName !== 'DIV') control.field.disabled = !enabled;
    }
  },

  web_text__deps: ['malloc'],
  web_text: function(window, name) {
    const text = QuorvelPage.control(window, name).field.value;
    const bytes = (text.length + 1) * 2;
    const pointer = _malloc(bytes);
    stringToUTF16(text, pointer, bytes);
    return pointer;
  },

  web_set_text: function(window, name, text) {
    const control = QuorvelPage.control(window, name);
    if (control.field.tagName === 'INPUT') {
      control.field.value = UTF16ToString(text);
      control.field.setSelectionRange(0, 0);  // shown from its first character
      control.field.scrollLeft = 0;
    } else {
      control.element.textContent = UTF16ToString(text);
    }
  },

  web_checked: function(window, name) {
    return QuorvelPage.control(window, name).field.checked ? 1 : 0;
  },

  web_set_checked: function(window, name, checked) {
    QuorvelPage.control(window, name).field.checked = !!checked;
  },

  web_focused__deps: ['$stringToNewUTF8'],
  web_focused: function(window) {
    const focused = document.activeElement;
    const control = QuorvelPage.windows.get(window).element.contains(focused) &&
        focused.closest('[data-control]');
    return control ? stringToNewUTF8(control.dataset.control) : 0;
  },

  web_focus: function(window, name) {
    const field = QuorvelPage.control(window, name).field;
    field.focus();
    if (field.select) field.select();
  },

  web_take_keyboard: function(window) {
    QuorvelPage.windows.get(window).element.focus();
  },

  web_mark_default: function(window, name) {
    const button = UTF8ToString(name);
    QuorvelPage.windows.get(window).controls.forEach((control, controlName) =>
        control.element.classList.toggle('default', controlName === button));
  },

  // The box's inner width less its padding, 2 pixels either side.
  web_text_room: function(window, name) {
    return QuorvelPage.control(window, name).field.clientWidth - 2 - 2;
  },

  web_text_width: function(window, name, text, pixels) {
    const style = getComputedStyle(QuorvelPage.control(window, name).field);
    const context = QuorvelPage.measure ||
        (QuorvelPage.measure = document.createElement('canvas').getContext('2d'));
    context.font = `${style.fontWeight} ${pixels}px ${style.fontFamily}`;
    return Math.ceil(context.measureText(UTF16ToString(text)).width);
  },

  // A cut text's mark stands over the box, at the right end of its text's room, in its font.
  web_set_text_font: function(window, name, pixels, emptyRight, cutMark) {
    const control = QuorvelPage.control(window, name), field = control.field;
    Object.assign(field.style, {fontSize: pixels + 'px', paddingRight: 2 + emptyRight + 'px'});
    if (!control.mark) {
      control.mark = document.createElement('span');
      control.mark.className = 'cutmark';
      control.mark.setAttribute('aria-hidden', 'true');
      field.after(control.mark);
    }
    const mark = control.mark;
    mark.textContent = UTF16ToString(cutMark);
    field.title = mark.textContent ? field.value : '';
    mark.style.font = getComputedStyle(field).font;  // before the line's height, which it resets
    Object.assign(mark.style, {
      left: field.offsetLeft + field.clientLeft + field.clientWidth - 2 - emptyRight + 'px',
      top: field.offsetTop + field.clientTop + 'px', width: emptyRight + 'px',
      height: field.clientHeight + 'px', lineHeight: field.clientHeight + 'px',
      fontSize: pixels + 'px'});
  },

  web_frame: function(window, margins) {
    HEAP32.set(QuorvelPage.frame(QuorvelPage.windows.get(window)), margins >> 2);
  },

  web_work_area: function(rect) {
    HEAP32.set([0, 0, innerWidth, innerHeight], rect >> 2);
  },

  // Where the screen is touched, a group's options stand one under the other, each a finger tall.
  web_place: function(window, left, top, scale, fingerPixels) {
    const self = QuorvelPage.windows.get(window);
    const [frameLeft, frameTop] = QuorvelPage.frame(self);
    Object.assign(self.element.style, {left: left - frameLeft * scale + 'px',
                                       top: top - frameTop * scale + 'px',
                                       transform: scale === 1 ? '' : `scale(${scale})`});
    document.body.classList.toggle('touched', fingerPixels > 0);
    document.body.style.setProperty('--finger', fingerPixels + 'px');
    document.body.style.setProperty('--scale', scale);
    for (const group of self.client.querySelectorAll('[role="radiogroup"]')) {
      let bottom = -Infinity;
      for (const option of group.children) {
        const top = Math.max(Number(option.dataset.top), bottom);
        const height = Math.max(Number(option.dataset.height), fingerPixels / scale);
        Object.assign(option.style, {top: top + 'px', height: height + 'px'});
        bottom = top + height;
      }
    }
  },

  // Emptied first, so that the same text twice is said twice, and again once said, so that a
  // reader that meets the window anew (after a modal box) does not say it again.
  web_announce: function(window, text) {
    const region = QuorvelPage.windows.get(window).element.querySelector('.announcer');
    const said = UTF16ToString(text);
    region.textContent = '';
    setTimeout(() => {
      region.textContent = said;
      setTimeout(() => { if (region.textContent === said) region.textContent = ''; }, 1000);
    }, 100);
  },

  web_show_box: function(text, critical, title) {
    return Asyncify.handleSleep((wakeUp) => {
      const box = document.createElement('dialog');
      box.className = 'box';
      // Said once, with its title for a name and its text for a description: as a modal dialog
      // that takes the focus (an alert dialog is said again as an alert, and its text a third time).
      box.setAttribute('role', 'dialog');
      box.setAttribute('aria-labelledby', 'box-title');
      box.setAttribute('aria-describedby', 'box-text');
      box.innerHTML = '<div class="titlebar"><span class="title" id="box-title"></span></div>' +
          '<div class="message"><span class="symbol" aria-hidden="true"></span>' +
          '<p id="box-text"></p></div><div class="buttons"><button class="default">确定</button></div>';
      const ok = box.querySelector('button');
      ok.addEventListener('click', () => box.close());
      // A press in the box or on the page behind it leaves the keyboard on 确定.
      box.addEventListener('mousedown', (event) => {
        if (event.target !== ok) event.preventDefault();
      });
      box.querySelector('.title').textContent = UTF16ToString(title);
      box.querySelector('p').textContent = UTF16ToString(text);
      box.querySelector('.symbol').classList.add(critical ? 'critical' : 'exclamation');
      // The program goes on in a task of its own, once the browser has given the focus back to
      // where it was before the box: what the program then focuses stays focused.
      box.addEventListener('close', () => {
        box.remove();
        setTimeout(wakeUp);
      });
      document.body.appendChild(box);
      box.showModal();
      ok.focus();
    });
  },

  // Once its last window has closed, the page says so, and can start the program again.
  web_quit: function() {
    const ended = document.createElement('main');
    ended.className = 'ended';
    ended.innerHTML = '<p id="ended">Prelvane 已关闭。</p><button type="button" ' +
        'aria-describedby="ended">重新打开</button>';
    ended.querySelector('button').addEventListener('click', () => location.reload());
    document.body.appendChild(ended);
    ended.querySelector('button').focus();
  },

  web_decimal_separator: function() {
    return (1.5).toLocaleString().charCodeAt(1);
  },
};

autoAddDeps(QuorvelPageLibrary, '$QuorvelPage');
mergeInto(LibraryManager.library, QuorvelPageLibrary);
