// The page: the core's module (quarzel.wasm) does all the work on the ROM;
// this script opens and saves files and starts each section, which shows
// what the module answers.
import {$, app, openRom, readFile, showMessage} from "./app.js";
import {Core} from "./core.js";
import * as changes from "./changes.js";
import * as compare from "./compare.js";
import * as items from "./items.js";
import * as screen from "./screen.js";

// Every answer to a file counted, for whoever waits for one.
function countOpen() { document.body.dataset.opens = Number(document.body.dataset.opens ?? 0) + 1; }

async function openFile(file) {
  performance.mark("quarzel-open");
  const bytes = await readFile(file, app.constants.imageCapacity);
  const refusal = openRom(file.name, bytes);
  showMessage(refusal);
  if (!refusal) {
    $("file-status").textContent = `${file.name}: ${bytes.length} bytes`;
    $("save").disabled = false;
    $("sections").hidden = false;
  }
  countOpen();
}

function save() {
  const saved = app.core.image(true);
  showMessage(saved.error);
  if (saved.error) return;
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([saved.bytes], {type: "application/octet-stream"}));
  link.download = app.fileName;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

function listenForDrops() {
  let depth = 0;
  const overlay = $("drop-overlay");
  const carriesFiles = (event) => [...event.dataTransfer.types].includes("Files");
  document.addEventListener("dragenter", (event) => {
    if (!carriesFiles(event)) return;
    depth++;
    overlay.hidden = false;
  });
  document.addEventListener("dragleave", () => {
    if (--depth <= 0) { depth = 0; overlay.hidden = true; }
  });
  document.addEventListener("dragover", (event) => { if (carriesFiles(event)) event.preventDefault(); });
  document.addEventListener("drop", (event) => {
    depth = 0;
    overlay.hidden = true;
    // A file dropped on a section's own drop target is that section's.
    if (event.defaultPrevented) return;
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    if (file) openFile(file);
  });
}

async function start() {
  app.core = await Core.load(new URL("quarzel.wasm", import.meta.url));
  app.constants = app.core.constants();
  for (const section of [screen, items, changes, compare]) section.mount();
  $("open-file").addEventListener("change", (event) => {
    if (event.target.files[0]) openFile(event.target.files[0]);
    event.target.value = "";
  });
  $("save").addEventListener("click", save);
  listenForDrops();
  document.body.dataset.ready = "true";
  performance.mark("quarzel-ready");
  // Once the page is drawn, and before a ROM can be chosen: the module's
  // calls, then every card filled once with the built-in sample, unseen,
  // so that the browser has compiled the page's code and made its canvases
  // before the user's first ROM. Nothing shows it: the cards stay hidden,
  // Save disabled, until a ROM is opened.
  setTimeout(() => openRom("sample.rom", app.core.warm()), 0);
}

start();
