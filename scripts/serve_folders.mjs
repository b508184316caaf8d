// A plain static server of folders on a free port of the loopback, for the page's pictures and its
// start-up benchmark; any web server will do.
import {readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {extname, join} from 'node:path';

const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.css': 'text/css', '.woff2': 'font/woff2', '.png': 'image/png'};

// Resolves to the server and its address, serving each path from the first folder that has it.
export async function serve(...folders) {
  const server = createServer((request, response) => {
    const name = request.url === '/' ? 'index.html' : decodeURIComponent(request.url.slice(1));
    for (const folder of folders) {
      try {
        const body = readFileSync(join(folder, name));
        response.writeHead(200, {'Content-Type': types[extname(name)] || 'application/octet-stream'});
        return response.end(body);
      } catch {}
    }
    response.writeHead(404).end();
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {server, address: `http://127.0.0.1:${server.address().port}/`};
}
