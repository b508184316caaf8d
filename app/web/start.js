// Starts the page. It comes with its first window drawn, and where that window shows, the program
// is fetched once the browser has shown it, so that nothing delays the first frame; until the
// program takes the window over, the keys it answers (Enter, Tab, Escape) are kept on the window
// for it, as a desktop keeps the keys typed ahead for a program that is starting. Where the drawn
// window does not show (a small screen), the program is fetched at once. Once opened, the page
// works without a network: a service worker keeps its files, registered once the page has loaded.
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

for (const drawn of drawnWindows) {
  const keep = (event) => {
    if (!drawn.classList.contains('prerendered')) return drawn.removeEventListener('keydown', keep);
    if (!['Enter', 'Tab', 'Escape'].includes(event.key)) return;
    event.preventDefault();
    const key = (event.shiftKey ? 'Shift+' : '') + event.key;
    drawn.dataset.typedAhead = [drawn.dataset.typedAhead, key].filter(Boolean).join(' ');
  };
  drawn.addEventListener('keydown', keep);
}

if ('serviceWorker' in navigator) {
  addEventListener('load', () => navigator.serviceWorker.register('sw.js'));
}
