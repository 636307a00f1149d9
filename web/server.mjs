#!/usr/bin/env node
// A static file server for the built site (build-web/site/) on 127.0.0.1,
// with no dependency beyond Node.js: GET and HEAD only, each file with its
// MIME type, nothing outside the served folder (no "..", no encoded
// traversal, no NUL, no symbolic link leading out).
//
//   node web/server.mjs [--root DIR] [--port N]     (port 0 or none: a free one)
//
// prints the address (http://127.0.0.1:PORT/) on its first line and serves
// until stopped. startServer() does the same for the browser tests, with a
// hook told of every request.
import { createReadStream, promises as fs } from 'node:fs';
import { createServer } from 'node:http';
import { dirname, extname, join, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const host = '127.0.0.1';

export const mimeTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.map': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.gif': 'image/gif',
  '.jpg': 'image/jpeg',
  '.jpeg': 'image/jpeg',
  '.ico': 'image/x-icon',
  '.webp': 'image/webp',
  '.woff2': 'font/woff2',
  '.woff': 'font/woff',
  '.txt': 'text/plain; charset=utf-8',
  '.xml': 'application/xml',
};

function send(response, status, text, method) {
  const body = Buffer.from(`${text}\n`);
  response.writeHead(status, {
    'Content-Type': 'text/plain; charset=utf-8',
    'Content-Length': body.length,
    'X-Content-Type-Options': 'nosniff',
  });
  response.end(method === 'HEAD' ? undefined : body);
}

// The file a request's path names under root (the real, resolved path of
// both), or a status to answer with instead.
async function fileFor(realRoot, rawPath) {
  let path;
  try {
    path = decodeURIComponent(rawPath);
  } catch {
    return { status: 400 };
  }
  if (path.includes('\0') || path.includes('\\')) return { status: 400 };
  const parts = path.split('/');
  if (parts.some((part) => part === '..')) return { status: 404 };
  let candidate = join(realRoot, ...parts);
  if (path.endsWith('/')) candidate = join(candidate, 'index.html');
  let real;
  try {
    real = await fs.realpath(candidate);
  } catch {
    return { status: 404 };
  }
  if (real !== realRoot && !real.startsWith(realRoot + sep)) return { status: 404 };
  const stat = await fs.stat(real);
  if (stat.isDirectory()) {
    // A folder without its slash: where its index would be, if it has one.
    return { status: 404 };
  }
  if (!stat.isFile()) return { status: 404 };
  return { file: real, size: stat.size };
}

/**
 * Serves root on 127.0.0.1 at port (0: a free one). onRequest, if given, is
 * called with { method, url, status } for every request once answered.
 * Resolves to { url, port, close() } once listening.
 */
export async function startServer({ root, port = 0, onRequest } = {}) {
  if (!root) throw new Error('startServer: no folder to serve');
  const realRoot = await fs.realpath(resolve(root));
  const server = createServer(async (request, response) => {
    const method = request.method ?? '';
    const url = request.url ?? '';
    response.on('finish', () => onRequest?.({ method, url, status: response.statusCode }));
    if (method !== 'GET' && method !== 'HEAD') {
      response.setHeader('Allow', 'GET, HEAD');
      send(response, 405, 'Method Not Allowed', method);
      return;
    }
    if (!url.startsWith('/')) {
      send(response, 400, 'Bad Request', method);
      return;
    }
    const rawPath = url.split(/[?#]/, 1)[0];
    let found;
    try {
      found = await fileFor(realRoot, rawPath);
    } catch {
      found = { status: 404 };
    }
    if (!found.file) {
      send(response, found.status, found.status === 400 ? 'Bad Request' : 'Not Found', method);
      return;
    }
    response.writeHead(200, {
      'Content-Type': mimeTypes[extname(found.file).toLowerCase()] ?? 'application/octet-stream',
      'Content-Length': found.size,
      'Cache-Control': 'no-cache',
      'X-Content-Type-Options': 'nosniff',
    });
    if (method === 'HEAD') {
      response.end();
      return;
    }
    createReadStream(found.file)
      .on('error', () => response.destroy())
      .pipe(response);
  });
  await new Promise((resolveListen, rejectListen) => {
    server.once('error', rejectListen);
    server.listen(port, host, () => resolveListen(undefined));
  });
  const address = server.address();
  const actualPort = typeof address === 'object' && address ? address.port : port;
  return {
    url: `http://${host}:${actualPort}/`,
    port: actualPort,
    close: () =>
      new Promise((resolveClose) => {
        server.close(() => resolveClose(undefined));
        server.closeAllConnections();
      }),
  };
}

function usage(message) {
  console.error(`server.mjs: ${message}\nusage: node web/server.mjs [--root DIR] [--port N]`);
  process.exit(2);
}

async function main(args) {
  let root = resolve(dirname(fileURLToPath(import.meta.url)), '..', 'build-web', 'site');
  let port = 0;
  for (let i = 0; i < args.length; i++) {
    const value = args[i + 1];
    if (args[i] === '--root' && value !== undefined) {
      root = resolve(value);
      i++;
    } else if (args[i] === '--port' && value !== undefined) {
      if (!/^\d+$/.test(value) || Number(value) > 65535) usage(`not a port: ${value}`);
      port = Number(value);
      i++;
    } else {
      usage(`unknown argument: ${args[i]}`);
    }
  }
  try {
    await fs.access(join(root, 'index.html'));
  } catch {
    usage(`${root} has no index.html (scripts/build-web builds the site)`);
  }
  const served = await startServer({ root, port });
  console.log(served.url);
  const stop = () => served.close().then(() => process.exit(0));
  process.on('SIGINT', stop);
  process.on('SIGTERM', stop);
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  await main(process.argv.slice(2));
}
