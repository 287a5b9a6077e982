// make web-test: the browser build checked in a real browser (Debian's Chromium, headless) and
// its checker under node. Every step waits for the state it needs as the page reports it,
// never for a fixed time alone.
// usage: node web-test.mjs WEB_BUILD NATIVE_BUILD   (WEB_BUILD/site is served on 127.0.0.1)
import { chromium } from 'playwright-core';
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { decodePng } from './png.mjs';

const [webBuild, nativeBuild] = process.argv.slice(2).map((p) => path.resolve(p));
const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const site = path.join(webBuild, 'site');
const shots = path.join(webBuild, 'shots');
const goldenDir = path.join(root, 'tests/replays');
const golden = fs.readdirSync(goldenDir).filter((n) => n.endsWith('.vxr')).sort();
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'vexlume-web-'));
fs.mkdirSync(shots, { recursive: true });

const started = Date.now();
const figures = [];
function note(text) { figures.push(text); console.log('  ' + text); }
async function step(name, fn) {
  const t = Date.now();
  try {
    await fn();
  } catch (e) {
    console.log(`FAIL ${name}: ${e.message}`);
    throw e;
  }
  console.log(`ok   ${name} (${((Date.now() - t) / 1000).toFixed(1)} s)`);
}
function expect(ok, what) { if (!ok) throw new Error(what); }

// ------------------------------------------------------------------ node: golden games

// The desktop's verdict, "verified: score S, N steps", and the same from the wasm build.
function verifyWith(cmd, args) {
  const r = spawnSync(cmd, args, { encoding: 'utf8', env: { ...process.env, SDL_AUDIODRIVER: 'dummy' } });
  return { code: r.status, line: (r.stdout || '').trim().split('\n').pop() };
}
const nativeGame = path.join(nativeBuild, 'vexlume2');
const nodeGame = path.join(webBuild, 'vexlume2-node.js');
const desktopVerdict = {};

await step(`golden games verify in wasm under node (${golden.length})`, async () => {
  for (const name of golden) {
    const file = path.join(goldenDir, name);
    const native = verifyWith(nativeGame, ['--verify', file]);
    expect(native.code === 0, `${name}: the desktop says ${native.line}`);
    desktopVerdict[name] = native.line;
    const t = Date.now();
    const wasm = verifyWith('node', ['--no-experimental-fetch', nodeGame, '--verify', file]);
    expect(wasm.code === 0 && wasm.line === native.line,
      `${name}: node says "${wasm.line}" (exit ${wasm.code}), the desktop "${native.line}"`);
    note(`${name}: ${wasm.line} (${((Date.now() - t) / 1000).toFixed(1)} s in node)`);
  }
});

// ------------------------------------------------------------------ the site and a server

function siteBytes() {
  let raw = 0, gz = 0;
  for (const n of fs.readdirSync(site)) {
    const b = fs.readFileSync(path.join(site, n));
    raw += b.length;
    gz += zlib.gzipSync(b, { level: 6 }).length;
  }
  return { raw, gz };
}
const size = siteBytes();
note(`site: ${(size.raw / 1048576).toFixed(2)} MB, ${(size.gz / 1048576).toFixed(2)} MB gzipped`);

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream' };
const server = http.createServer((req, res) => {
  const name = decodeURIComponent(new URL(req.url, 'http://x').pathname).replace(/^\/+/, '') || 'index.html';
  const file = path.join(site, path.normalize(name));
  if (!file.startsWith(site) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
    res.writeHead(404);
    res.end();
    return;
  }
  res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(res);
});
await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
const url = `http://127.0.0.1:${server.address().port}/`;

// ------------------------------------------------------------------ the browser

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox',
    '--autoplay-policy=no-user-gesture-required'],
});
// Wider than the game's 1024 x 768 screen: the picture is letterboxed into the window.
const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
let page = await context.newPage();
const printed = [];
page.on('console', (m) => printed.push(m.text()));
page.on('pageerror', (e) => printed.push('page error: ' + e.message));

async function state() { return page.evaluate(() => (typeof gameState === 'function' ? gameState() : null)); }
// Polls the page until `want(state)` holds; the limit is for a machine that has stopped.
async function waitFor(what, want, seconds = 90) {
  const end = Date.now() + seconds * 1000;
  let s = null;
  while (Date.now() < end) {
    s = await state();
    if (s && want(s)) return s;
    await page.waitForTimeout(50);
  }
  await page.screenshot({ path: path.join(shots, 'failed.png') });
  throw new Error(`waited ${seconds} s for ${what}; the page shows ${JSON.stringify(s)}; ` +
    `last lines: ${printed.slice(-5).join(' / ')}`);
}
async function waitPrinted(what, re, seconds = 120) {
  const end = Date.now() + seconds * 1000;
  while (Date.now() < end) {
    const line = printed.find((l) => re.test(l));
    if (line) return line;
    await page.waitForTimeout(100);
  }
  throw new Error(`waited ${seconds} s for ${what}; last lines: ${printed.slice(-5).join(' / ')}`);
}
async function press(key, times = 1) {
  for (let i = 0; i < times; i++) {
    await page.keyboard.down(key);
    await page.waitForTimeout(60); // held across a 20 ms frame at least
    await page.keyboard.up(key);
    await page.waitForTimeout(60);
  }
}
async function shot(name) {
  const file = path.join(shots, name);
  await page.screenshot({ path: file });
  return decodePng(fs.readFileSync(file));
}
async function readSaved(file) {
  return page.evaluate((f) => {
    try { return Array.from(Module.FS.readFile(f)); } catch (e) { return null; }
  }, file);
}
async function savesSettled() {
  await page.waitForFunction(() => !Module.vexSyncing(), null, { timeout: 30000 });
}

// The game's 1024 x 768 screen letterboxed into the page: game pixel -> screenshot pixel.
function toShot(img, gx, gy) {
  const s = Math.min(img.width / 1024, img.height / 768);
  return [Math.floor((img.width - 1024 * s) / 2 + gx * s), Math.floor((img.height - 768 * s) / 2 + gy * s)];
}
// The share of 16 x 16 game-pixel blocks in a game rectangle holding a pixel `lit` accepts.
function litShare(img, x0, y0, x1, y1, lit) {
  let blocks = 0, found = 0;
  for (let by = y0; by < y1; by += 16)
    for (let bx = x0; bx < x1; bx += 16) {
      blocks++;
      const [sx0, sy0] = toShot(img, bx, by), [sx1, sy1] = toShot(img, bx + 16, by + 16);
      search: for (let y = sy0; y < sy1; y++)
        for (let x = sx0; x < sx1; x++) {
          const i = (y * img.width + x) * 4, p = img.pixels;
          if (lit(p[i], p[i + 1], p[i + 2])) { found++; break search; }
        }
    }
  return blocks ? found / blocks : 0;
}
const bright = (r, g, b) => r + g + b > 300;
const green = (r, g, b) => g > 150 && r < 120 && b < 120;
const blue = (r, g, b) => b > 50 && b > r + 20 && b > g;

let loadToTitle = 0;
try {
  await step('the page loads and the title appears', async () => {
    const t = Date.now();
    await page.goto(url);
    await waitFor('the title screen', (s) => s.screen === 'title');
    loadToTitle = Date.now() - t;
    note(`page load to title: ${loadToTitle} ms`);
    // The title's words light the middle of the screen within its first second or so.
    const end = Date.now() + 10000;
    let share = 0;
    while (share < 0.05 && Date.now() < end) {
      const img = await shot('title.png');
      share = litShare(img, 0, 100, 1024, 600, bright);
    }
    expect(share >= 0.05, `the title screen is dark (${(share * 100).toFixed(1)} % lit)`);
  });

  await step('Space starts a game', async () => {
    await press('Space');
    await waitFor('play after GET READY', (s) => s.screen === 'play', 60);
  });

  await step('keys steer and fire', async () => {
    const before = await state();
    await page.keyboard.down('d'); // move right
    await waitFor('the ship moving right', (s) => s.screen !== 'play' || s.x > before.x + 40, 30);
    await page.keyboard.up('d');
    await page.keyboard.down('ArrowUp'); // fire up
    await waitFor('shots in flight', (s) => s.shots > 0, 30);
    await page.keyboard.up('ArrowUp');
  });

  // F1 then F2: cheats on, then god mode, so no ship is lost while the pace is measured.
  await step('50 steps a second for 20 s, firing all round', async () => {
    await press('F1');
    await press('F2');
    const fire = ['ArrowUp', 'ArrowRight', 'ArrowDown', 'ArrowLeft'];
    const a = await page.evaluate(() => ({ t: performance.now(), s: gameState().steps }));
    let b = a, k = 0;
    while (b.t - a.t < 20000) {
      await page.keyboard.down(fire[k % 4]);
      await page.waitForTimeout(500);
      await page.keyboard.up(fire[k++ % 4]);
      b = await page.evaluate(() => ({ t: performance.now(), s: gameState().steps }));
    }
    const rate = (b.s - a.s) / ((b.t - a.t) / 1000);
    note(`steps/s over ${((b.t - a.t) / 1000).toFixed(1)} s: ${rate.toFixed(2)}`);
    expect(Math.abs(rate - 50) <= 1, `the game ran ${rate.toFixed(2)} steps a second`);
    expect((await state()).screen === 'play', 'the game left play');
  });

  await step('a play frame shows the lattice, the ship, enemies and the status line', async () => {
    await page.keyboard.down('ArrowLeft');
    await waitFor('enemies on the field (a score)', (s) => s.score > 0, 60);
    await page.keyboard.up('ArrowLeft');
    const s = await state();
    const img = await shot('play.png');
    const status = litShare(img, 0, 0, 384, 32, green); // "SCORE ..." and the multiplier
    const lattice = litShare(img, 0, 64, 1024, 704, blue);
    const ship = litShare(img, s.x - 24, s.y - 24, s.x + 24, s.y + 24, bright);
    const others = litShare(img, 0, 64, 1024, 704, (r, g, b) => bright(r, g, b) && !blue(r, g, b));
    note(`play frame: status line ${(status * 100).toFixed(0)} %, lattice ${(lattice * 100).toFixed(0)} %, ` +
      `ship ${(ship * 100).toFixed(0)} %, other bright blocks ${(others * 100).toFixed(1)} %`);
    expect(status >= 0.3, 'no status line');
    expect(lattice >= 0.6, 'no lattice');
    expect(ship > 0, 'no ship where the game has it');
    expect(others >= 0.01, 'nothing but the lattice on the field');
  });

  await step('leaving the page opens the Options menu, and play resumes at its pace', async () => {
    await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
    await waitFor('the Options menu', (s) => s.menu === 'Options', 30);
    const held = await state();
    await page.waitForTimeout(1500); // the world holds still while the menu is open
    expect((await state()).steps === held.steps, 'the world stepped behind the menu');
    await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
    await press('Escape'); // Continue
    await waitFor('play again', (s) => s.screen === 'play' && s.menu === '', 30);
    const a = await page.evaluate(() => ({ t: performance.now(), s: gameState().steps }));
    await page.waitForTimeout(1000);
    const b = await page.evaluate(() => ({ t: performance.now(), s: gameState().steps }));
    const rate = (b.s - a.s) / ((b.t - a.t) / 1000);
    expect(rate < 56, `steps raced after the menu: ${rate.toFixed(1)} a second`);
  });

  await step('the Options menu and a settings screen', async () => {
    await press('Escape');
    await waitFor('the Options menu', (s) => s.menu === 'Options', 30);
    await shot('options.png');
    await press('ArrowUp', 2); // Continue -> End Game -> Settings
    await press('Enter');
    await waitFor('the Settings menu', (s) => s.menu === 'Settings', 30);
    await shot('settings-menu.png');
    await press('ArrowUp', 3); // Done -> Game -> Controls -> Video
    await press('Enter');
    await waitFor('the Video screen', (s) => s.menu !== 'Settings' && s.menu !== '', 30);
    // The screen's first frames fade its words in.
    const end = Date.now() + 10000;
    let share = 0;
    // Its words are pure red, green and yellow over the dimmed game.
    const vivid = (r, g, b) => Math.max(r, g, b) > 180;
    while (share < 0.05 && Date.now() < end) share = litShare(await shot('settings.png'), 0, 0, 1024, 768, vivid);
    expect(share >= 0.05, `the settings screen is dark (${(share * 100).toFixed(1)} % lit; ${JSON.stringify(await state())}; ${printed.slice(-8).join(" / ")})`);
    note(`settings screen: "${(await state()).menu}"`);
    await press('Escape');
    await waitFor('the Settings menu', (s) => s.menu === 'Settings', 30);
    await press('Escape');
    await waitFor('the Options menu', (s) => s.menu === 'Options', 30);
  });

  let kept = null;
  await step('a game ended through the Options menu keeps its score and replay after a reload', async () => {
    await press('ArrowDown'); // back from Settings, which stays selected: -> End Game
    await press('Enter');
    await waitFor('the End Game box', (s) => s.menu === 'End Game?', 30);
    await press('ArrowUp'); // No -> Yes
    const saves = await page.evaluate(() => Module.vexSaves);
    await press('Enter');
    const s = await waitFor('name entry or the tables', (s) => s.screen === 'name entry' || s.screen === 'top scores', 60);
    const score = (await state()).score;
    if (s.screen === 'name entry') {
      await page.keyboard.type('webtest');
      await press('Enter');
    }
    await waitFor('the tables', (s) => s.screen === 'top scores', 60);
    await page.waitForFunction((n) => Module.vexSaves > n && !Module.vexSyncing(), saves, { timeout: 30000 });
    const table = String.fromCharCode(...(await readSaved('/save/vexlume2/hiscores.dat')));
    const last = await readSaved('/save/vexlume2/replays/last.vxr');
    expect(last && last.length > 0, 'no replays/last.vxr');
    expect(table.includes(`\r\n${score}\r\n`) || score <= 500, `hiscores.dat lacks the score ${score}`);
    kept = { score, last };
    note(`kept: score ${score}, last.vxr ${last.length} bytes`);
    await page.reload();
    await waitFor('the title after a reload', (s) => s.screen === 'title');
    const again = await readSaved('/save/vexlume2/replays/last.vxr');
    expect(again && Buffer.from(again).equals(Buffer.from(last)), 'last.vxr changed or vanished');
    const tableAgain = String.fromCharCode(...(await readSaved('/save/vexlume2/hiscores.dat')));
    expect(tableAgain === table, 'hiscores.dat changed or vanished');
    expect(await readSaved('/save/vexlume2/Config.txt'), 'no Config.txt');
  });

  await step('the game recorded in the browser verifies on the desktop', async () => {
    const file = path.join(scratch, 'browser.vxr');
    fs.writeFileSync(file, Buffer.from(kept.last));
    const r = verifyWith(nativeGame, ['--verify', file]);
    expect(r.code === 0, `the desktop says ${r.line}`);
    note(`browser game on the desktop: ${r.line}`);
  });

  const shortest = golden.slice().sort((a, b) =>
    fs.statSync(path.join(goldenDir, a)).size - fs.statSync(path.join(goldenDir, b)).size)[0];
  await step(`a golden game dropped on the page verifies (${shortest})`, async () => {
    const bytes = Array.from(fs.readFileSync(path.join(goldenDir, shortest)));
    await page.evaluate(({ bytes, name }) => {
      const dt = new DataTransfer();
      dt.items.add(new File([new Uint8Array(bytes)], name));
      window.dispatchEvent(new DragEvent('drop', { dataTransfer: dt, bubbles: true, cancelable: true }));
    }, { bytes, name: shortest });
    await waitFor('the replay playing', (s) => s.screen === 'replay', 60);
    // Fire held runs the replay fast, undrawn.
    await page.keyboard.down('ArrowLeft');
    const line = await waitPrinted('the verdict', /^Replay (verified|out of sync|stopped)/, 300);
    await page.keyboard.up('ArrowLeft');
    const score = desktopVerdict[shortest].match(/score (\d+)/)[1];
    expect(line === `Replay verified: ${score}`, `the page says "${line}", the desktop "${desktopVerdict[shortest]}"`);
    note(`dropped ${shortest}: ${line}`);
  });

  await step('a bad file chosen on the page gets its reason', async () => {
    const bad = path.join(scratch, 'not-a-replay.vxr');
    fs.writeFileSync(bad, 'this is no replay');
    await waitFor('the attract screens', (s) => s.screen !== 'replay', 60);
    await page.setInputFiles('#file', bad);
    const line = await waitPrinted('the refusal', /^(Cannot play|Recorded under)/, 60);
    const shown = await page.textContent('#note');
    expect(shown === line, `the page shows "${shown}" for "${line}"`);
    note(`bad file: ${line}`);
  });

  // A fresh visitor with a pad: the browser's gamepad interface, faked in the page, reaches
  // the game as a controller. The pad's right button (SDL's B) is the bomb that starts a game.
  await step('a pad plugged in starts a game and steers the ship', async () => {
    const padContext = await browser.newContext({ viewport: { width: 1280, height: 800 } });
    await padContext.addInitScript(() => {
      const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
      const pad = { id: 'Virtual pad (STANDARD GAMEPAD)', index: 0, connected: true,
        mapping: 'standard', timestamp: 1, axes: [0, 0, 0, 0], buttons };
      window.vexPad = pad;
      window.vexPadSet = (button, axis, value) => {
        if (button >= 0) buttons[button] = { pressed: !!value, touched: !!value, value: value ? 1 : 0 };
        if (axis >= 0) pad.axes[axis] = value;
        pad.timestamp++;
      };
      navigator.getGamepads = () => [pad, null, null, null];
    });
    const padPage = await padContext.newPage();
    const main = page;
    try {
      page = padPage;
      await page.goto(url);
      await waitFor('the title screen', (s) => s.screen === 'title');
      await page.evaluate(() => {
        const e = new Event('gamepadconnected');
        e.gamepad = window.vexPad;
        window.dispatchEvent(e);
      });
      await page.evaluate(() => window.vexPadSet(1, -1, 1));
      await waitFor('a game started by the pad', (s) => s.screen === 'get ready' || s.screen === 'play', 60);
      await page.evaluate(() => window.vexPadSet(1, -1, 0));
      await waitFor('play', (s) => s.screen === 'play', 60);
      const before = await state();
      // Left stick right, pushed as a hand pushes it: SDL takes an axis's first report as its
      // resting value, so a stick that jumps from rest to full in one report reads as resting.
      for (const v of [0.2, 0.5, 1]) {
        await page.evaluate((v) => window.vexPadSet(-1, 0, v), v);
        await page.waitForTimeout(60);
      }
      await waitFor('the ship moving right', (s) => s.x > before.x + 40, 30);
    } finally {
      page = main;
      await padContext.close();
    }
  });
} finally {
  await browser.close();
  server.close();
  fs.rmSync(scratch, { recursive: true, force: true });
}
console.log(`make web-test: all passed in ${((Date.now() - started) / 1000).toFixed(0)} s; screenshots in ${shots}`);
