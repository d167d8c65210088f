// The page's figures, from Debian's headless Chromium on a local server
// (run by hand: speeds are measured here, not asserted in the tests), once
// tests/web/run has built the page and installed the driver:
//   node tests/web/bench.js [RUNS]
// Medians over RUNS (20) of:
//   ready     navigation to the module fetched, compiled and started, in a
//             new browser context each time (nothing cached);
//   open      a ROM chosen to every card filled, the first of a page and
//             the next, each chosen a second after the last;
//   keystroke a key in string 1 to the boot screen redrawn, and to the
//             next frame;
// and the size of the stripped .wasm.
import {spawn} from "node:child_process";
import fs from "node:fs";
import path from "node:path";

import {images, launch, romFolder, site} from "./harness.js";

const runs = Number(process.argv[2] ?? 20);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const [sample, ...real] = images();
const rom = real.find((file) => path.basename(file) === "Agp_sg.rom") ?? sample;
const other = real.find((file) => file !== rom) ?? sample;

// The site served as scripts/web serves it, by a server in a process of
// its own: one in this process would wait on the browser's driver.
const server = spawn("python3", ["-u", "-m", "http.server", "--bind", "127.0.0.1", "--directory", site, "0"],
                     {stdio: ["ignore", "pipe", "ignore"]});
const port = await new Promise((resolve) => server.stdout.on("data", (text) => {
  const found = /port (\d+)/.exec(String(text));
  if (found) resolve(found[1]);
}));
const browser = await launch();
const url = `http://127.0.0.1:${port}/`;
const ready = [], firstOpen = [], open = [], drawn = [], painted = [];

for (let run = 0; run < runs; ++run) {
  const context = await browser.newContext({viewport: {width: 1280, height: 800}});
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForSelector("body[data-ready=true]");
  ready.push(await page.evaluate(() => performance.getEntriesByName("quarzel-ready")[0].startTime));

  // The first ROM of a page, then another. Each is chosen a second after
  // the page is ready or the last ROM opened, as a user's file dialog takes
  // at least that: by then the page has warmed up (its calls run once on
  // the built-in sample) and the browser has finished compiling what that
  // ran, as it has when a user's ROM arrives.
  for (const file of [rom, other]) {
    await page.waitForTimeout(1000);
    await page.evaluate(() => {
      window.filled = new Promise((resolve) => new MutationObserver((_, observer) => {
        observer.disconnect();
        resolve(performance.now() - performance.getEntriesByName("quarzel-open").at(-1).startTime);
      }).observe(document.getElementById("changes"), {attributeFilter: ["data-shown"]}));
    });
    await page.setInputFiles("#open-file", file);
    (file === rom ? firstOpen : open).push(await page.evaluate(() => window.filled));
  }
  await page.setInputFiles("#open-file", rom);
  await page.focus("#string1-text");
  await page.press("#string1-text", "End");
  for (let key = 0; key < 5; ++key) {
    await page.evaluate(() => {
      const field = document.getElementById("string1-text"), canvas = document.getElementById("screen");
      window.typed = new Promise((resolve) => {
        let pressed = 0;
        field.addEventListener("keydown", (event) => { pressed = event.timeStamp; }, {once: true});
        new MutationObserver((_, observer) => {
          observer.disconnect();
          const draw = performance.now() - pressed;
          requestAnimationFrame(() => resolve([draw, performance.now() - pressed]));
        }).observe(canvas, {attributeFilter: ["data-draws"]});
      });
    });
    await page.keyboard.press("x");
    const [draw, frame] = await page.evaluate(() => window.typed);
    drawn.push(draw);
    painted.push(frame);
  }
  await context.close();
}
await browser.close();
server.kill();

const wasm = fs.statSync(path.join(site, "quarzel.wasm")).size;
const row = (what, value, target) => console.log(`${what.padEnd(46)} ${value.padStart(10)}   target ${target}`);
console.log(`${runs} runs, ${path.basename(rom)}, Chromium headless`);
row("page ready (.wasm fetched, compiled, started)", `${median(ready).toFixed(1)} ms`, "<= 300 ms");
row("first ROM opened, analysed, every card filled", `${median(firstOpen).toFixed(1)} ms`, "<= 50 ms");
row("next ROM opened, analysed, every card filled", `${median(open).toFixed(1)} ms`, "<= 50 ms");
row("keystroke in string 1 to boot screen redrawn", `${median(drawn).toFixed(1)} ms`, "<= 16 ms");
row("keystroke in string 1 to the next frame", `${median(painted).toFixed(1)} ms`, "<= 16 ms");
row(".wasm, stripped", `${(wasm / 1024).toFixed(0)} KiB`, "<= 1 MB");
