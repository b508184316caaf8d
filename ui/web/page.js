// The page's side of the web engine: each window an in-page window (a title bar with the icon,
// the title and a close box, over a client area laid out in CSS pixels), its controls real form
// elements in reading order; a box is such a window too. The program is the windows' window
// manager: the page stacks them as it says, reports a press on a window before the press goes on,
// and moves a window by its title bar where the program lets it. It reports each event to the
// program through its one export, by name, and applies what the program decides.
var QuorvelPageLibrary = {
  // Methods as function properties: the library's objects are written out as source.
  $QuorvelPage: {
    windows: null,    // window number -> its elements, made with the first window
    texts: null,      // the program's own texts the page shows
    wakeUp: null,     // the program, waiting on a box of its
    focusing: false,  // while the program moves the keyboard

    // The program's answer: whether it used the event. One that runs into a box is used, and
    // answers once the box is dismissed; its strings stay on the stack until then. An event while
    // the program waits on a box is answered at once, which ccall would not tell apart.
    report: function(window, kind, control, key, modifiers, x, y) {
      const waiting = Asyncify.currData;
      const stack = stackSave();
      const string = (text) => {
        const bytes = lengthBytesUTF8(text || '') + 1;
        const pointer = stackAlloc(bytes);
        stringToUTF8(text || '', pointer, bytes);
        return pointer;
      };
      const used = _quorvel_report(window, string(kind), string(control), string(key),
                                   string(modifiers), x || 0, y || 0);
      if (Asyncify.currData !== waiting) {
        Asyncify.whenDone().then(() => stackRestore(stack));
        return true;
      }
      stackRestore(stack);
      return used === 1;
    },
    // A key of those the program may answer, with its modifiers (start.js: quorvelKeys).
    press: function(window, event) {
      const key = quorvelKeys.names[event.key];
      if (!key) return;
      if (QuorvelPage.report(window, 'key', '', key, quorvelKeys.modifiers(event))) event.preventDefault();
    },
    control: function(window, name) {
      return QuorvelPage.windows.get(window).controls.get(UTF8ToString(name));
    },
    // A text box's room for its text, from its left padding: a pixel more than between its
    // paddings, for the caret, which the browser draws in the padding after a text's end.
    room: function(control) {
      return control.laid.width - 2 * (control.border + control.padding) + 1;
    },
    // A text box's font at a size.
    font: function(control, pixels) {
      return `${control.weight} ${pixels}px ${control.family}`;
    },
    // A text's width in a text box's font at a size, as the browser lays it out.
    measure: function(control, text, pixels) {
      const context = QuorvelPage.context ||
          (QuorvelPage.context = document.createElement('canvas').getContext('2d'));
      context.font = QuorvelPage.font(control, pixels);
      return context.measureText(text).width;
    },
    // The keyboard moved where the program says, which no press behind a box holds back.
    focus: function(element) {
      QuorvelPage.focusing = true;
      element.focus();
      QuorvelPage.focusing = false;
    },
    // Where a text box's text is scrolled to, set once the program has answered the event: the
    // browser lays the page out to set it, which the program's other changes would make it do
    // again for each box.
    scroll: function(field, left) {
      if (!QuorvelPage.scrolls) {
        QuorvelPage.scrolls = new Map();
        queueMicrotask(() => {
          QuorvelPage.scrolls.forEach((to, scrolled) => { scrolled.scrollLeft = to; });
          QuorvelPage.scrolls = null;
        });
      }
      QuorvelPage.scrolls.set(field, left);
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
        case 'symbol':
          element = document.createElement('div');
          element.setAttribute('aria-hidden', 'true');
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
          target.dispatchEvent(new KeyboardEvent('keydown', Object.assign(quorvelKeys.parse(key),
                                                                          {bubbles: true, cancelable: true})));
        }
      });
    },
    // A press on a window is the program's first, which says whether it goes on (to the control
    // pressed, or to drag the window); a press on no control that takes the focus leaves the
    // keyboard where it was rather than give it to the page. Chromium moves the focus and clicks
    // even after a cancelled pointerdown, a finger's tap clicking later still: a press that does
    // not go on does neither, up to its click or the next press, so that the keyboard stays in a
    // box in front; the program's own moves of the keyboard go on. The keyboard gone from every
    // window is reported too.
    watchPresses: function() {
      let refused = null;  // the window of a press that did not go on
      document.addEventListener('pointerdown', (event) => {
        const target = document.elementFromPoint(event.clientX, event.clientY);
        const pressed = target && target.closest('.window');
        refused = null;
        if (!pressed) return;
        const goesOn = QuorvelPage.report(Number(pressed.dataset.window), 'pressed');
        if (!goesOn || !target.closest('input:enabled, button:enabled')) event.preventDefault();
        if (!goesOn) {
          event.stopPropagation();
          refused = pressed;
        }
      }, true);
      document.addEventListener('focusin', (event) => {
        if (!refused || !refused.contains(event.target) || QuorvelPage.focusing) return;
        event.stopImmediatePropagation();
        if (event.relatedTarget) event.relatedTarget.focus();
        else event.target.blur();
      }, true);
      document.addEventListener('click', (event) => {
        const pressed = refused;
        refused = null;
        if (!pressed || !pressed.contains(event.target)) return;
        event.preventDefault();
        event.stopImmediatePropagation();
      }, true);
      document.addEventListener('focusout', (event) => {
        const left = event.target.closest('.window');
        const to = event.relatedTarget && event.relatedTarget.closest('.window');
        if (left && !to) QuorvelPage.report(Number(left.dataset.window), 'deactivated');
      });
    },
    // A title bar dragged, by a mouse or a finger: where the window's client area would go, in the
    // page's pixels; the program says where it goes.
    watchDrags: function(window, self) {
      const bar = self.element.querySelector('.titlebar');
      bar.addEventListener('pointerdown', (event) => {
        if (event.target.closest('.close') || event.button !== 0) return;
        const start = self.client.getBoundingClientRect();
        const [x, y] = [event.clientX - start.left, event.clientY - start.top];
        bar.setPointerCapture(event.pointerId);
        const move = (moved) => QuorvelPage.report(window, 'dragged', '', '', 0,
            Math.round(moved.clientX - x), Math.round(moved.clientY - y));
        bar.addEventListener('pointermove', move);
        bar.addEventListener('pointerup', () => bar.removeEventListener('pointermove', move), {once: true});
      });
    },
    // A text box's caret or selection, moved without an edit, is reported once it has moved.
    watchCaret: function(window, name, field) {
      let last = '';
      const look = () => {
        const now = `${field.selectionStart} ${field.selectionEnd} ${field.selectionDirection}`;
        if (now !== last) {
          last = now;
          QuorvelPage.report(window, 'caret', name);
        }
      };
      for (const kind of ['keyup', 'mouseup', 'select', 'selectionchange']) field.addEventListener(kind, look);
    },
  },

  // The page draws its windows at a scale; its screen may be touched, as a phone's is.
  web_can: function(capability) {
    return {ScalesWindows: true, Touch: matchMedia('(pointer: coarse)').matches}[UTF8ToString(capability)] ? 1 : 0;
  },

  web_use_texts: function(closeBox, closeMark, ended, startAgain) {
    QuorvelPage.texts = {closeBox: UTF16ToString(closeBox), closeMark: UTF16ToString(closeMark),
                         ended: UTF16ToString(ended), startAgain: UTF16ToString(startAgain)};
  },

  // A box is modal, has no icon, and is read as its title and its text.
  web_create_window: function(window, title, box) {
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
          '<span class="title"></span><button type="button" class="close" tabindex="-1"></button>' +
          '</div><div class="client"></div><div class="announcer" role="status" aria-live="polite"></div>';
      element.querySelector('.title').textContent = UTF16ToString(title);
      if (box) {
        element.classList.add('box');
        element.setAttribute('aria-modal', 'true');
        element.querySelector('.icon').remove();
      }
      document.body.appendChild(element);
    } else {
      element.querySelectorAll('.rule').forEach((line) => line.remove());  // the program's to draw
    }
    const close = element.querySelector('.close');
    close.textContent = QuorvelPage.texts.closeMark;
    close.setAttribute('aria-label', QuorvelPage.texts.closeBox);
    close.addEventListener('click', () => QuorvelPage.report(window, 'close'));
    element.addEventListener('keydown', (event) => QuorvelPage.press(window, event));
    const self = {element, client: element.querySelector('.client'), controls: new Map(),
                  drawn: element.classList.contains('prerendered') && QuorvelPage.typedAhead(element)};
    element.addEventListener('focusin', (event) => {
      const control = event.target.closest('[data-control]');
      if (control) QuorvelPage.report(window, 'focus', control.dataset.control);
    });
    QuorvelPage.watchDrags(window, self);
    QuorvelPage.windows.set(window, self);
  },

  web_create_control: function(window, name, kind, caption, group, labelFor, accessibleName, bold,
                               critical) {
    const self = QuorvelPage.windows.get(window);
    const controlName = UTF8ToString(name);
    const kindName = UTF8ToString(kind);
    let element = self.client.querySelector(`[data-control="${controlName}"]`);  // drawn
    if (!element) {
      element = QuorvelPage.make(self, window, kindName, controlName, UTF16ToString(caption),
                                 UTF8ToString(group), UTF8ToString(labelFor));
      element.classList.add('control', kindName);
      element.dataset.control = controlName;
      const label = UTF16ToString(accessibleName);
      if (label) element.setAttribute('aria-label', label);
    }
    if (kindName === 'symbol') element.classList.add(critical ? 'critical' : 'exclamation');
    if (kindName === 'label' && self.element.classList.contains('box')) {
      element.id = `text-${window}`;
      self.element.setAttribute('aria-describedby', element.id);
    }
    const field = kindName === 'option' ? element.querySelector('input') : element;
    // The browser clicks a button or an option for the mouse, a finger or an assistive
    // technology; the program selects the option. Setting `checked` raises no click.
    if (kindName === 'button' || kindName === 'option') {
      field.addEventListener('click', () => QuorvelPage.report(window, 'clicked', controlName));
    }
    if (kindName === 'text') {
      field.addEventListener('input', () => QuorvelPage.report(window, 'edited', controlName));
      QuorvelPage.watchCaret(window, controlName, field);
    }
    element.style.fontWeight = bold ? 'bold' : 'normal';
    const control = {element, field};
    // A text box's font, border and padding, read once: what the program asks of its text is
    // answered from them and from where it laid the box, so that the page is not laid out anew
    // for each question.
    if (kindName === 'text') {
      const style = getComputedStyle(field);
      Object.assign(control, {padding: parseFloat(style.paddingLeft), border: parseFloat(style.borderLeftWidth),
                              weight: style.fontWeight, family: style.fontFamily});
    }
    self.controls.set(controlName, control);
  },

  web_lay_window: function(window, width, height) {
    const self = QuorvelPage.windows.get(window);
    self.client.style.width = width + 'px';
    self.client.style.height = height + 'px';
    self.client.querySelectorAll('.rule').forEach((line) => line.remove());
  },

  web_lay_control: function(window, name, left, top, width, height, fontPixels) {
    const control = QuorvelPage.control(window, name);
    control.laid = {left, top, width, height};
    Object.assign(control.element.style, {left: left + 'px', top: top + 'px', width: width + 'px',
                                          height: height + 'px', fontSize: fontPixels + 'px'});
  },

  web_draw_line: function(window, left, top, width, height) {
    const line = document.createElement('div');
    line.className = 'rule';
    line.setAttribute('aria-hidden', 'true');
    Object.assign(line.style, {left: left + 'px', top: top + 'px', width: width + 'px', height: height + 'px'});
    QuorvelPage.windows.get(window).client.appendChild(line);
  },

  web_destroy_window: function(window) {
    QuorvelPage.windows.get(window).element.remove();
    QuorvelPage.windows.delete(window);
  },

  // Visible; the program says where it stands among the others, and where the keyboard goes.
  web_show_window: function(window) {
    const self = QuorvelPage.windows.get(window);
    self.element.style.visibility = 'visible';
    QuorvelPage.takeOver(self);
  },

  // The windows as the program stacks them, back to front; one closed is gone from the page at
  // once.
  web_stack: function(numbers, count) {
    const stacked = [...HEAP32.subarray(numbers >> 2, (numbers >> 2) + count)];
    QuorvelPage.windows.forEach((self, window) => {
      const place = stacked.indexOf(window);
      if (place < 0) self.element.style.visibility = 'hidden';
      else self.element.style.zIndex = 10 + place;
    });
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

  // A text box's selection runs from its end back to the start, where its caret stands.
  web_focus: function(window, name) {
    const field = QuorvelPage.control(window, name).field;
    QuorvelPage.focus(field);
    if (field.type === 'text') {
      field.setSelectionRange(0, field.value.length, 'backward');
      QuorvelPage.scroll(field, 0);
    }
  },

  web_caret: function(window, name) {
    const field = QuorvelPage.control(window, name).field;
    return field.selectionDirection === 'backward' ? field.selectionStart : field.selectionEnd;
  },

  web_take_keyboard: function(window) {
    QuorvelPage.focus(QuorvelPage.windows.get(window).element);
  },

  web_mark_default: function(window, name) {
    const button = UTF8ToString(name);
    QuorvelPage.windows.get(window).controls.forEach((control, controlName) =>
        control.element.classList.toggle('default', controlName === button));
  },

  web_text_room: function(window, name) {
    return QuorvelPage.room(QuorvelPage.control(window, name));
  },

  web_text_width: function(window, name, text, pixels) {
    return Math.ceil(QuorvelPage.measure(QuorvelPage.control(window, name), UTF16ToString(text), pixels));
  },

  // A cut text's marks stand over the box, at each end of its text's room that hides characters,
  // in its font; the whole text is the box's title.
  web_show_text: function(window, name, pixels, clearLeft, clearRight, markLeft, markRight,
                          first, caretToFirst, cutMark, tooltip) {
    const control = QuorvelPage.control(window, name), field = control.field;
    // Room kept clear at the right holds the caret's pixel, which is the padding's anyway.
    Object.assign(field.style, {fontSize: pixels + 'px', paddingLeft: control.padding + clearLeft + 'px',
                                paddingRight: control.padding + Math.max(0, clearRight - 1) + 'px'});
    if (!control.marks) {
      control.marks = ['left', 'right'].map((side) => {
        const mark = document.createElement('span');
        mark.className = 'cutmark ' + side;
        mark.dataset.for = UTF8ToString(name);
        mark.setAttribute('aria-hidden', 'true');
        field.after(mark);
        return mark;
      });
    }
    const {left, top, height} = control.laid, inside = height - 2 * control.border;
    const room = left + control.border + control.padding;
    const roomEnd = room + QuorvelPage.room(control);
    const places = [[markLeft, room, clearLeft], [markRight, roomEnd - clearRight, clearRight]];
    control.marks.forEach((mark, side) => {
      const [shown, at, size] = places[side];
      mark.textContent = shown ? UTF16ToString(cutMark) : '';
      mark.style.font = QuorvelPage.font(control, pixels);  // before the line's height, which it resets
      Object.assign(mark.style, {left: at + 'px', top: top + control.border + 'px', width: size + 'px',
                                 height: inside + 'px', lineHeight: inside + 'px'});
    });
    field.title = UTF16ToString(tooltip);
    if (caretToFirst) field.setSelectionRange(first, first);
    // From the first character the program says, at the left end of the room between the marks.
    QuorvelPage.scroll(field, QuorvelPage.measure(control, field.value.slice(0, first), pixels));
  },

  web_move_caret: function(window, name, to) {
    QuorvelPage.control(window, name).field.setSelectionRange(to, to);
  },

  web_frame: function(window, margins) {
    HEAP32.set(QuorvelPage.frame(QuorvelPage.windows.get(window)), margins >> 2);
  },

  web_work_area: function(rect) {
    HEAP32.set([0, 0, innerWidth, innerHeight], rect >> 2);
  },

  // Where the screen is touched, the close box is a finger wide too. A window not whole on the
  // page shows the program's notice over it.
  web_place: function(window, left, top, scale, fingerPixels, notice) {
    const self = QuorvelPage.windows.get(window);
    self.element.dataset.notice = UTF16ToString(notice);
    self.element.classList.toggle('notwhole', !!self.element.dataset.notice);
    const [frameLeft, frameTop] = QuorvelPage.frame(self);
    Object.assign(self.element.style, {left: left - frameLeft * scale + 'px',
                                       top: top - frameTop * scale + 'px',
                                       transform: scale === 1 ? '' : `scale(${scale})`});
    document.body.classList.toggle('touched', fingerPixels > 0);
    document.body.style.setProperty('--finger', fingerPixels + 'px');
    document.body.style.setProperty('--scale', scale);
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

  // The program waits on a box until the page has an event that answers it.
  web_wait: function() {
    return Asyncify.handleSleep((wakeUp) => { QuorvelPage.wakeUp = wakeUp; });
  },

  // Once the event that answered it is over.
  web_wake: function() {
    const wakeUp = QuorvelPage.wakeUp;
    QuorvelPage.wakeUp = null;
    setTimeout(wakeUp);
  },

  // Once its last window has closed, the page says so, and can start the program again.
  web_quit: function() {
    const ended = document.createElement('main');
    ended.className = 'ended';
    ended.innerHTML = '<p id="ended"></p><button type="button" aria-describedby="ended"></button>';
    ended.querySelector('p').textContent = QuorvelPage.texts.ended;
    const again = ended.querySelector('button');
    again.textContent = QuorvelPage.texts.startAgain;
    again.addEventListener('click', () => location.reload());
    document.body.appendChild(ended);
    again.focus();
  },

  web_decimal_separator: function() {
    return (1.5).toLocaleString().charCodeAt(1);
  },
};

autoAddDeps(QuorvelPageLibrary, '$QuorvelPage');
mergeInto(LibraryManager.library, QuorvelPageLibrary);
