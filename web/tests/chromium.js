// Debian's Chromium, headless, driven over its DevTools pipe (no packages from npm): a
// small web server for a folder, the browser, and a page to open, click and question. Used
// by the browser test and by the browser's processor-time bench.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const kTimeoutMs = 60000;

// A DevTools session over the pipe: requests are JSON texts ending in a NUL byte.
class DevTools {
  constructor(child) {
    this.out = child.stdio[3];
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
    let buffered = '';
    child.stdio[4].on('data', (chunk) => {
      buffered += chunk.toString('utf8');
      let end;
      while ((end = buffered.indexOf('\0')) >= 0) {
        const message = JSON.parse(buffered.slice(0, end));
        buffered = buffered.slice(end + 1);
        if (message.id && this.pending.has(message.id)) {
          const { resolve, reject } = this.pending.get(message.id);
          this.pending.delete(message.id);
          if (message.error) reject(new Error(JSON.stringify(message.error)));
          else resolve(message.result);
        } else if (message.method) {
          for (const listener of this.listeners) listener(message);
        }
      }
    });
  }
  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    this.out.write(JSON.stringify({ id, method, params, sessionId }) + '\0');
    return new Promise((resolve, reject) => this.pending.set(id, { resolve, reject }));
  }
}

// Resolves when `condition` (evaluated in the page) is true; fails after the time-out.
async function waitInPage(page, condition, what) {
  const deadline = Date.now() + kTimeoutMs;
  for (;;) {
    if (await page.evaluate(condition)) return;
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

function startServer(folder) {
  const server = spawn('python3', ['-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder],
                       { stdio: ['ignore', 'pipe', 'ignore'] });
  return new Promise((resolve, reject) => {
    let said = '';
    server.stdout.on('data', (chunk) => {
      said += chunk.toString();
      const port = /port (\d+)/.exec(said);
      if (port) resolve({ server, port: Number(port[1]) });
    });
    server.on('exit', () => reject(new Error('the web server did not start')));
  });
}

// The window's size decides the canvas's on the page: 1024x768 shows it enlarged and smoothed.
function startBrowser(profile, windowSize = '1024,768') {
  const child = spawn('chromium', [
    '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
    `--user-data-dir=${profile}`, '--remote-debugging-pipe', `--window-size=${windowSize}`, 'about:blank',
  ], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
  return { child, tools: new DevTools(child) };
}

async function openPage(tools) {
  const { targetId } = await tools.send('Target.createTarget', { url: 'about:blank' });
  const { sessionId } = await tools.send('Target.attachToTarget', { targetId, flatten: true });
  const console = [];
  tools.listeners.push((message) => {
    if (message.sessionId === sessionId && message.method === 'Runtime.consoleAPICalled') {
      console.push(message.params.args.map((arg) => arg.value).join(' '));
    }
  });
  const send = (method, params) => tools.send(method, params, sessionId);
  await send('Runtime.enable');
  await send('Page.enable');
  return {
    console,
    send,
    async evaluate(expression) {
      const reply = await send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
      if (reply.exceptionDetails) throw new Error(`${expression}: ${reply.exceptionDetails.text}`);
      return reply.result.value;
    },
    async open(url) {
      const opened = Date.now();
      await send('Page.navigate', { url });
      await waitInPage(this, "document.getElementById('play') && !document.getElementById('play').disabled",
                       'the page to load');
      return Date.now() - opened;
    },
    // A real click on the page's play button, so the browser lets the page make sound.
    async clickPlay() {
      const box = await this.evaluate(
        "(() => { const r = document.getElementById('play').getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()");
      for (const type of ['mousePressed', 'mouseReleased']) {
        await send('Input.dispatchMouseEvent', { type, x: box[0], y: box[1], button: 'left', clickCount: 1 });
      }
    },
    async key(type, code, keyCode) {
      await send('Input.dispatchKeyEvent', { type, code, key: code, windowsVirtualKeyCode: keyCode });
    },
    async screenshot(file) {
      const { data } = await send('Page.captureScreenshot', { format: 'png' });
      fs.writeFileSync(file, Buffer.from(data, 'base64'));
    },
  };
}

// Serves a folder of its own, linking to the built page's files so that a run can put its
// own beside them, to a fresh Chromium with a profile of its own; runs `body` with them, and
// stops both and removes both folders whatever happens.
async function withServedBrowser(webFolder, windowSize, body) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'brinefall-web-'));
  for (const file of fs.readdirSync(webFolder)) fs.symlinkSync(path.join(webFolder, file), path.join(folder, file));
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'brinefall-chromium-'));
  const { server, port } = await startServer(folder);
  const { child, tools } = startBrowser(profile, windowSize);
  try {
    return await body({ folder, port, child, tools });
  } finally {
    const browserGone = new Promise((resolve) => child.on('exit', resolve));
    child.kill();
    server.kill();
    await browserGone;
    fs.rmSync(folder, { recursive: true, force: true });
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

module.exports = { kTimeoutMs, DevTools, waitInPage, openPage, withServedBrowser };
