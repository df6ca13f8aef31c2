// The processor time headless Chromium spends a second on a page, summed over all its
// processes (read from /proc) and split by kind: the page's renderer, the GPU process
// (which composites, in software here) and the rest. Usage:
//   node bench/web/browser-cpu.js WEB_FOLDER [SECONDS] [WIDTH,HEIGHT]
// Measured: a blank page (Chromium's own idle cost), a page that only asks for animation
// frames (the cost of a 60 Hz page at all), then the game from its start (the logo, the
// opening sequence, the title screen) with smooth motion and with one picture a tick.
'use strict';

const fs = require('fs');
const path = require('path');
const { waitInPage, openPage, withServedBrowser } = require('../../web/tests/chromium');

const webFolder = path.resolve(process.argv[2] || 'build/web');
const seconds = Number(process.argv[3] || 10);
// The browser's window: at 800x600 the canvas is shown at its own size, as the native window is.
const windowSize = process.argv[4] || '800,600';
const ticksPerSecond = 100;  // the kernel's clock ticks in /proc/PID/stat (USER_HZ)

// Every process below `root`, with its kind and the processor time it has used, in seconds.
function processTree(root) {
  const all = [];
  for (const name of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${name}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      const command = fs.readFileSync(`/proc/${name}/cmdline`, 'utf8');
      const type = /--type=([a-z-]+)/.exec(command);
      all.push({ pid: Number(name), parent: Number(fields[1]), kind: type ? type[1] : 'browser',
                 cpu: (Number(fields[11]) + Number(fields[12])) / ticksPerSecond });
    } catch (error) {
      // gone while we looked
    }
  }
  const inTree = new Set([root]);
  for (let grew = true; grew;) {
    grew = false;
    for (const p of all) if (!inTree.has(p.pid) && inTree.has(p.parent)) { inTree.add(p.pid); grew = true; }
  }
  return all.filter((p) => inTree.has(p.pid));
}

function cpuByKind(root) {
  const sums = { renderer: 0, 'gpu-process': 0, other: 0 };
  for (const p of processTree(root)) sums[p.kind in sums ? p.kind : 'other'] += p.cpu;
  return sums;
}

async function measure(label, root) {
  const before = cpuByKind(root);
  const started = process.hrtime.bigint();
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  const wall = Number(process.hrtime.bigint() - started) / 1e9;
  const after = cpuByKind(root);
  const per = (kind) => (after[kind] - before[kind]) / wall;
  const total = per('renderer') + per('gpu-process') + per('other');
  console.log(`${label.padEnd(30)} ${total.toFixed(3)} s/s  (renderer ${per('renderer').toFixed(3)}, ` +
              `gpu ${per('gpu-process').toFixed(3)}, browser and others ${per('other').toFixed(3)})`);
}

async function main() {
  console.log(`Chromium's processor time a second in a ${windowSize} window, over ${seconds} s each (one core = 1 s/s):`);
  await withServedBrowser(webFolder, windowSize, async ({ folder, port, child, tools }) => {
    fs.writeFileSync(path.join(folder, 'frames.html'),
                     '<!DOCTYPE html><script>(function f() { requestAnimationFrame(f); })();</script>');
    const base = `http://127.0.0.1:${port}`;
    const page = await openPage(tools);
    await page.send('Page.navigate', { url: `${base}/frames.html?blank` });
    await page.evaluate('document.open(); document.close(); true');
    await new Promise((resolve) => setTimeout(resolve, 3000));  // the browser settles after its start
    await measure('a blank page', child.pid);
    await page.send('Page.navigate', { url: `${base}/frames.html` });
    await measure('a page asking for frames', child.pid);
    for (const [label, query] of [['the game, smooth motion', ''], ['the game, ?smooth=off', '?smooth=off']]) {
      await page.open(`${base}/index.html${query}`);
      await page.clickPlay();
      await waitInPage(page, "document.getElementById('start').hidden", 'the game to start');
      await new Promise((resolve) => setTimeout(resolve, 1000));
      await measure(label, child.pid);
    }
  });
}

main().catch((error) => {
  console.error(`browser-cpu: ${error.message}`);
  process.exit(1);
});
