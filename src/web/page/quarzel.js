// The page: the core's module (quarzel.wasm) does all the work on the ROM;
// this script moves files in and out and shows what the module answers.

// The three WASI calls the module may make: output goes to the console,
// files it has none.
function wasiImports(memory) {
  const EBADF = 8;
  return {
    fd_write(fd, iovs, count, written) {
      const view = new DataView(memory().buffer);
      let text = "", total = 0;
      for (let i = 0; i < count; ++i) {
        const base = view.getUint32(iovs + 8 * i, true), length = view.getUint32(iovs + 8 * i + 4, true);
        text += new TextDecoder().decode(new Uint8Array(memory().buffer, base, length));
        total += length;
      }
      (fd === 2 ? console.error : console.log)(text);
      view.setUint32(written, total, true);
      return 0;
    },
    fd_close: () => EBADF,
    fd_seek: () => EBADF,
  };
}

// The module's exported functions, with the page's side of their memory
// protocol: inputs written into the buffer it hands out, answers read from
// its output text and bytes.
class Core {
  static async load(url) {
    let exports;
    const imports = {wasi_snapshot_preview1: wasiImports(() => exports.memory)};
    const {instance} = await WebAssembly.instantiateStreaming(fetch(url), imports);
    exports = instance.exports;
    exports._initialize();
    return new Core(exports);
  }
  constructor(exports) { this.x = exports; }
  input(...parts) {
    const size = parts.reduce((sum, part) => sum + part.length, 0);
    const at = this.x.qz_input(size);
    let offset = 0;
    for (const part of parts) {
      new Uint8Array(this.x.memory.buffer, at, size).set(part, offset);
      offset += part.length;
    }
  }
  text() {
    return new TextDecoder().decode(new Uint8Array(this.x.memory.buffer, this.x.qz_output_text(), this.x.qz_output_text_size()));
  }
  bytes() {
    return new Uint8Array(this.x.memory.buffer, this.x.qz_output_bytes(), this.x.qz_output_bytes_size());
  }
  constants() { this.x.qz_constants(); return JSON.parse(this.text()); }
  // null when opened, else the message.
  open(name, bytes) {
    const encoded = new TextEncoder().encode(name);
    this.input(encoded, bytes);
    return this.x.qz_open(encoded.length) === 0 ? null : this.text();
  }
  preview(memory) {
    if (this.x.qz_preview(memory) !== 0) return null;
    const {width, height} = JSON.parse(this.text());
    return new ImageData(new Uint8ClampedArray(this.bytes()), width, height);
  }
  // {bytes} or {error}
  save() {
    return this.x.qz_image(1) === 0 ? {bytes: this.bytes().slice()} : {error: this.text()};
  }
}

const $ = (id) => document.getElementById(id);
let core, constants, fileName = null;

function showMessage(text) {
  $("message").textContent = text ?? "";
  $("message").hidden = !text;
}

function drawScreen() {
  const picture = core.preview(Number($("memory").value));
  if (!picture) return;
  const canvas = $("screen");
  canvas.width = picture.width;
  canvas.height = picture.height;
  canvas.getContext("2d").putImageData(picture, 0, 0);
}

async function openFile(file) {
  // A file far past the largest ROM is refused without being read whole.
  const bytes = file.size > constants.imageCapacity
      ? new Uint8Array(await file.slice(0, constants.imageCapacity + 1).arrayBuffer())
      : new Uint8Array(await file.arrayBuffer());
  const refusal = core.open(file.name, bytes);
  showMessage(refusal);
  if (!refusal) {
    fileName = file.name;
    $("file-status").textContent = `${file.name}: ${bytes.length} bytes`;
    $("save").disabled = false;
    $("sections").hidden = false;
    drawScreen();
  }
  // Every answer to a file counted, for whoever waits for one.
  document.body.dataset.opens = Number(document.body.dataset.opens ?? 0) + 1;
}

function save() {
  const saved = core.save();
  showMessage(saved.error);
  if (saved.error) return;
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([saved.bytes], {type: "application/octet-stream"}));
  link.download = fileName;
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
    event.preventDefault();
    depth = 0;
    overlay.hidden = true;
    const file = event.dataTransfer.files[0];
    if (file) openFile(file);
  });
}

async function start() {
  core = await Core.load(new URL("quarzel.wasm", import.meta.url));
  constants = core.constants();
  for (const size of constants.memoryChoices)
    $("memory").add(new Option(`${size} MB`, size, false, size === constants.defaultMemory));
  $("memory").addEventListener("change", drawScreen);
  $("open-file").addEventListener("change", (event) => {
    if (event.target.files[0]) openFile(event.target.files[0]);
    event.target.value = "";
  });
  $("save").addEventListener("click", save);
  listenForDrops();
  document.body.dataset.ready = "true";
}

start();
