// The project's own server (serve_site.py) of folders on a free port of the loopback, for the
// page's pictures and its start-up benchmark, so that they get what a browser gets from it.
import {spawn} from 'node:child_process';
import {fileURLToPath} from 'node:url';

// Resolves to the server and its address, serving each path from the first folder that has it.
export async function serve(...folders) {
  const serving = spawn('/usr/bin/python3',
                        [fileURLToPath(new URL('serve_site.py', import.meta.url)), ...folders, '--port', '0']);
  const address = await new Promise((resolve) =>
    serving.stdout.once('data', (line) => resolve(`${line}`.match(/http\S+/)[0])));
  return {server: {close: () => serving.kill('SIGINT')}, address};
}
