// Starts the page. It comes with its first window drawn, and where that window shows, the program
// is fetched once the browser has shown it, so that nothing delays the first frame; until the
// program takes the window over, the keys it may answer in its size box (Enter, Tab, Escape, F4,
// with their modifiers) are kept on the window for it, as a desktop keeps the keys typed ahead for a
// program that is starting. Where the drawn window does not show (a small screen), the program is
// fetched at once. Once opened, the page works without a network: a service worker keeps its
// files, registered once the page has loaded.

// The keys the program may answer, by the names the page's key events give them, and the
// modifiers held with them: the page reports them to the program (page.js), and they are kept
// here, written as "Shift+Tab", while it starts.
const quorvelKeys = {
  names: {Tab: 'Tab', Enter: 'Enter', Escape: 'Escape', ' ': 'Space', ArrowUp: 'Up',
          ArrowDown: 'Down', ArrowLeft: 'Left', ArrowRight: 'Right', F4: 'F4', w: 'W', W: 'W'},
  held: [['shiftKey', 'Shift'], ['ctrlKey', 'Ctrl'], ['altKey', 'Alt'], ['metaKey', 'Meta']],
  modifiers: (event) => quorvelKeys.held.filter(([field]) => event[field]).map(([, name]) => name).join('+'),
  write: (event) => [quorvelKeys.modifiers(event), quorvelKeys.names[event.key]].filter(Boolean).join('+'),
  parse: (written) => {
    const parts = written.split('+'), name = parts.pop();
    const key = Object.keys(quorvelKeys.names).find((known) => quorvelKeys.names[known] === name);
    return Object.fromEntries([['key', key], ...quorvelKeys.held.map(([field, held]) => [field, parts.includes(held)])]);
  },
};

const drawnWindows = document.querySelectorAll('.window.prerendered');
const startProgram = () => {
  const program = document.createElement('script');
  program.src = 'quorvel.js';
  document.head.append(program);
};
if ([...drawnWindows].some((drawn) => getComputedStyle(drawn).visibility === 'visible')) {
  requestAnimationFrame(() => setTimeout(startProgram));
} else {
  startProgram();
}

// The size box, which has the keyboard until the program starts, keeps the arrow keys and Space
// for itself, as it does once the program runs.
const keptInASizeBox = ['Tab', 'Enter', 'Escape', 'F4'];
for (const drawn of drawnWindows) {
  const keep = (event) => {
    if (!drawn.classList.contains('prerendered')) return drawn.removeEventListener('keydown', keep);
    if (!keptInASizeBox.includes(quorvelKeys.names[event.key])) return;
    event.preventDefault();
    drawn.dataset.typedAhead = [drawn.dataset.typedAhead, quorvelKeys.write(event)].filter(Boolean).join(' ');
  };
  drawn.addEventListener('keydown', keep);
}

if ('serviceWorker' in navigator) {
  addEventListener('load', () => navigator.serviceWorker.register('sw.js'));
}
