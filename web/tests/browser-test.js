// The web version in a real browser: Debian's Chromium, headless, driven over its DevTools
// pipe (no packages from npm). Usage:
//   node web/tests/browser-test.js NATIVE_PROGRAM WEB_FOLDER OUTPUT_FOLDER
// It serves a copy of WEB_FOLDER on 127.0.0.1 and checks, printing what it measured:
//  1. a stage begun from the page, with a key held down, runs frame for frame as the native
//     program does (see parityRun);
//  2. under the autopilot the page reaches a stage with its music playing: the audio
//     context runs and the sound it is given is not silence; hidden, the tab is silent, and
//     shown again, the music goes on;
//  3. the settings the page stored are the native program's, named and valued alike, and
//     they are read back after a reload;
//  4. a standard-mapping gamepad plays the stage frame for frame as a native joystick does;
//     headless Chromium sees no pads, so the test hands the page one through
//     navigator.getGamepads, the call the web backend reads pads from.
// Screenshots go into OUTPUT_FOLDER.
'use strict';

const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const [nativeProgram, webFolder, outputFolder] = process.argv.slice(2).map((p) => path.resolve(p));
const { kTimeoutMs, waitInPage, openPage, withServedBrowser } = require('./chromium');
// The parity run's length: five seconds of play, ending on a frame with a state check.
const kFrames = 100;

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  if (!ok) failures += 1;
}

// Whether the canvas shows exactly the picture in the served PNG file.
function canvasEqualsExpression(file) {
  return `new Promise((resolve) => {
    const image = new Image();
    image.onload = () => {
      const scratch = document.createElement('canvas');
      scratch.width = image.width; scratch.height = image.height;
      const context = scratch.getContext('2d');
      context.drawImage(image, 0, 0);
      const expected = context.getImageData(0, 0, image.width, image.height).data;
      const shown = document.getElementById('canvas').getContext('2d').getImageData(0, 0, 800, 600).data;
      let differing = 0;
      let first = -1;
      for (let i = 0; i < shown.length; ++i) {
        if (shown[i] !== expected[i]) {
          if (first < 0) first = i;
          ++differing;
        }
      }
      if (first >= 0) console.log('first difference at byte ' + first + ': ' + shown[first] + ' shown, ' + expected[first] + ' expected');
      resolve(expected.length === shown.length ? differing : -1);
    };
    image.onerror = () => resolve(-2);
    image.src = '${file}?' + Date.now();
  })`;
}

// Listens to what the game hands to Web Audio while `going` holds, `limit` ms at most, and
// gives the loudest sample heard; the last block handed over before it started is let pass.
function listenExpression(going, limit = 3000) {
  return `new Promise((resolve) => {
    const analyser = Module.audioContext.createAnalyser();
    const samples = new Float32Array(analyser.fftSize);
    let listened = null;
    let peak = 0;
    const started = performance.now();
    (function listen() {
      if (listened !== Module.brinefallAudioNode && Module.brinefallAudioNode) {
        listened = Module.brinefallAudioNode;
        listened.connect(analyser);
      }
      analyser.getFloatTimeDomainData(samples);
      const now = performance.now();
      if (now - started > 200) for (const s of samples) peak = Math.max(peak, Math.abs(s));
      if ((${going}) && now - started < ${limit}) setTimeout(listen, 20); else resolve(peak);
    })();
  })`;
}

function nativeFrame(args, folder) {
  fs.rmSync(folder, { recursive: true, force: true });
  execFileSync(nativeProgram, ['--headless', '--dump-frames', folder, '--dump-every', String(kFrames), ...args],
               { stdio: ['ignore', 'ignore', 'inherit'] });
  return path.join(folder, `frame-${String(kFrames).padStart(6, '0')}.png`);
}

// A standard-mapping gamepad the test holds in its hand (window.testPad), for pages opened
// with ?pad: the browser's own list of pads is replaced before the page's scripts run.
const kFakePad = `if (new URLSearchParams(location.search).has('pad')) {
  const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
  window.testPad = { id: 'Test pad', index: 0, connected: true, mapping: 'standard', timestamp: 1,
                     axes: [0, 0, 0, 0], buttons };
  window.testPadHold = (button, held) => {
    Object.assign(buttons[button], { pressed: held, touched: held, value: held ? 1 : 0 });
    window.testPad.timestamp += 1;
  };
  Object.defineProperty(navigator, 'getGamepads', { value: () => [window.testPad, null, null, null] });
}`;

const kSettingsItem = 'brinefall:Tidewell/Brinefall/settings';

// Five seconds of stage 1 played from the page, one picture a tick, while `hold` holds a
// control down in the middle of the run (the ship answers once the stage has begun). The
// journal the page recorded must replay natively with every check passing, the canvas at
// the last frame must equal the native frame byte for byte (pictures between ticks are
// drawn for the display's measured rate, so their positions differ with the machine), and
// the control must have moved the ship: the native frame without it is another picture.
async function parityRun(page, served, { name, query, hold, recorded }) {
  const loadMs = await page.open(`http://127.0.0.1:${served.port}/index.html?seed=7&start=stage1&smooth=off&frames=${kFrames}&record=/tmp/web.journal${query}`);
  console.log(`measured: the page was ready to play ${loadMs} ms after it was opened`);
  const clicked = Date.now();
  await page.clickPlay();
  await waitInPage(page, "document.getElementById('canvas').getContext('2d').getImageData(0, 0, 800, 600).data.some((v, i) => i % 4 !== 3 && v !== 0)",
                   'the first picture');
  console.log(`measured: the first picture ${Date.now() - clicked} ms after the click`);
  await new Promise((resolve) => setTimeout(resolve, 2000));
  await hold(true);
  await new Promise((resolve) => setTimeout(resolve, 1200));
  await hold(false);
  await waitInPage(page, "!document.getElementById('ended').hidden", 'the end of the run');
  await page.screenshot(path.join(outputFolder, `browser-${name}.png`));
  const journal = await page.evaluate("Module.FS.readFile('/tmp/web.journal', { encoding: 'utf8' })");
  const journalFile = path.join(outputFolder, `web-${name}.journal`);
  fs.writeFileSync(journalFile, journal);
  for (const [pattern, what] of recorded) check(pattern.test(journal), `the page recorded ${what}`);

  let replayed = true;
  let withInput;
  try {
    withInput = nativeFrame(['--start', 'stage1', '--input', journalFile], path.join(outputFolder, `native-${name}`));
  } catch (error) {
    replayed = false;
  }
  check(replayed, `the page's journal with the ${name} replays natively with every check passing`);
  if (replayed) {
    fs.copyFileSync(withInput, path.join(served.folder, `expected-${name}.png`));
    const said = page.console.length;
    const differing = await page.evaluate(canvasEqualsExpression(`expected-${name}.png`));
    page.console.slice(said).filter((line) => line.startsWith('first difference')).forEach((line) => console.log(line));
    check(differing === 0, `the canvas at frame ${kFrames} equals the native frame (bytes differing: ${differing})`);
  }
  const moved = await page.evaluate(canvasEqualsExpression('expected-without-input.png'));
  check(moved > 0, `the ${name} moved the ship (bytes differing from the frame without it: ${moved})`);
}

const keyRun = (page, served) => parityRun(page, served, {
  name: 'key',
  query: '',
  hold: (down) => page.key(down ? 'keyDown' : 'keyUp', 'ArrowDown', 40),
  recorded: [[/ key down DOWN/, 'the key held down']],
});

// The pad's d-pad steers and its first button fires, as a native joystick's stick and
// button do. The stored settings were changed in between (a pad is to be used, the sound is
// off): the journal's header shows they were read back after the reload.
const padRun = (page, served) => parityRun(page, served, {
  name: 'pad',
  query: '&pad',
  hold: (down) => page.evaluate(`testPadHold(15, ${down}); testPadHold(0, ${down})`),
  recorded: [[/^joystick /m, 'the pad'], [/ joystick 0 at [1-9]\d* 0\n/, 'the d-pad held to the right'],
             [/ joystick 0 down 0\n/, 'the first button pressed'],
             [/^setting useJoystick on\nsetting enableVibration off\nsetting soundOn off\n/m,
              'the settings stored before the reload']],
});

// The settings file the native program writes when the same game begins (its names and
// values, one a line); the page keeps it in its local storage under the same path.
function nativeSettings() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'brinefall-settings-'));
  try {
    execFileSync(nativeProgram, ['--headless', '--seed', '3', '--autopilot', '--frames', '2500'],
                 { stdio: ['ignore', 'ignore', 'inherit'], env: { ...process.env, BRINEFALL_SETTINGS_DIR: folder } });
    return fs.readFileSync(path.join(folder, 'Tidewell/Brinefall/settings'), 'utf8');
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

async function settingsKept(page) {
  // The lines' order is the order in which the game first wrote each setting.
  const sortedLines = (text) => text.split('\n').filter((line) => line).sort().join(' ');
  const stored = await page.evaluate(`JSON.stringify(Object.keys(localStorage).filter((k) => k.startsWith('brinefall:'))
    .map((k) => [k, localStorage.getItem(k).split('\\n').filter((line) => line).sort().join(' ')]))`);
  const expected = JSON.stringify([[kSettingsItem, sortedLines(nativeSettings())]]);
  check(stored === expected, `the page stored the settings the native program writes (${stored})`);
  // As a player's choices in the Options box would leave them, for the run after the reload.
  await page.evaluate(`localStorage.setItem('${kSettingsItem}', localStorage.getItem('${kSettingsItem}')
    .replace('useJoystick=00', 'useJoystick=01').replace('soundOn=01', 'soundOn=00'))`);
}

async function musicRun(page, served) {
  await page.open(`http://127.0.0.1:${served.port}/index.html?seed=3&autopilot&milestones`);
  await page.clickPlay();
  const deadline = Date.now() + kTimeoutMs;
  while (!page.console.some((line) => / stage 1 /.test(line)) && Date.now() < deadline) {
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  check(page.console.some((line) => / stage 1 /.test(line)), 'the autopilot reached stage 1 in the page');
  const state = await page.evaluate('Module.audioContext ? Module.audioContext.state : "none"');
  check(state === 'running', `the audio context runs (${state})`);
  const peak = await page.evaluate(listenExpression('peak <= 0.01'));
  if (peak <= 0.01) console.log(page.console.join('\n'));
  check(peak > 0.01, `the music plays (peak ${peak.toFixed(3)})`);
  // The tab hidden, as when the player turns to another: the game goes into the background
  // and its sound pauses; shown again, the music goes on.
  const showTab = (hidden) => page.evaluate(`(() => {
    Object.defineProperty(document, 'hidden', { configurable: true, get: () => ${hidden} });
    Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => '${hidden ? 'hidden' : 'visible'}' });
    document.dispatchEvent(new Event('visibilitychange'));
  })()`);
  await showTab(true);
  const hiddenPeak = await page.evaluate(listenExpression('true', 1000));
  check(hiddenPeak < 0.001, `a hidden tab is silent (peak ${hiddenPeak.toFixed(3)})`);
  await showTab(false);
  const shownPeak = await page.evaluate(listenExpression('peak <= 0.01'));
  check(shownPeak > 0.01, `the music goes on when the tab is shown again (peak ${shownPeak.toFixed(3)})`);
  await page.screenshot(path.join(outputFolder, 'browser-autopilot.png'));
}

async function main() {
  fs.mkdirSync(outputFolder, { recursive: true });
  await withServedBrowser(webFolder, undefined, async ({ folder, port, tools }) => {
    const page = await openPage(tools);
    await page.send('Page.addScriptToEvaluateOnNewDocument', { source: kFakePad });
    const withoutInput = nativeFrame(['--start', 'stage1', '--seed', '7', '--frames', String(kFrames)],
                                     path.join(outputFolder, 'native-without-input'));
    fs.copyFileSync(withoutInput, path.join(folder, 'expected-without-input.png'));
    await keyRun(page, { port, folder });
    await musicRun(page, { port, folder });
    await settingsKept(page);
    await padRun(page, { port, folder });
  });
  console.log(`${failures === 0 ? 'browser test passed' : 'browser test FAILED'}`);
  process.exit(failures === 0 ? 0 : 1);
}

main().catch((error) => {
  console.error(`browser test FAILED: ${error.message}`);
  process.exit(1);
});
