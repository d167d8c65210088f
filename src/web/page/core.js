// The core's module (quarzel.wasm) and the page's side of its memory
// protocol: inputs are written into the buffer it hands out, answers read
// from its output text (JSON or a message in quarzel-cli's words) and bytes.
// Every call that refuses gives {error: message}.

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

const encoder = new TextEncoder();

export class Core {
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
  // The answer of a call that gives JSON, or {error}.
  json(status) { return status === 0 ? JSON.parse(this.text()) : {error: this.text()}; }
  // The answer of a call that gives a picture: {picture: ImageData, ...the
  // rest of its JSON}, or {error}. The picture's pixels are the module's
  // own, not a copy: draw it before the next call.
  picture(status) {
    if (status !== 0) return {error: this.text()};
    const said = JSON.parse(this.text());
    const pixels = new Uint8ClampedArray(this.x.memory.buffer, this.x.qz_output_bytes(), this.x.qz_output_bytes_size());
    said.picture = new ImageData(pixels, said.width, said.height);
    return said;
  }
  named(name, bytes = new Uint8Array()) {
    const encoded = encoder.encode(name);
    this.input(encoded, bytes);
    return encoded.length;
  }
  status(code) { return code === 0 ? null : this.text(); }

  constants() { return this.json(this.x.qz_constants()); }
  // Every call run once on the built-in sample, so that the browser has
  // compiled them before the first ROM arrives; changes nothing, and gives
  // the sample's bytes.
  warm() {
    this.x.qz_warm();
    return this.bytes().slice();
  }
  // null when opened, else the message; the same for the ROM to compare
  // with and for a file the edits may name (a font, a code page, a picture).
  open(name, bytes) { return this.status(this.x.qz_open(this.named(name, bytes))); }
  openOther(name, bytes) { return this.status(this.x.qz_open_other(this.named(name, bytes))); }
  addFile(name, bytes) { return this.status(this.x.qz_add_file(this.named(name, bytes))); }
  // The whole set of edits, in edit's options ({"--string1": ["text"],
  // "--grow": true}), made on the ROM as opened: {written, notes} or
  // {error: {refusal, logoNeedsGrowth}}.
  edit(edits) {
    this.input(encoder.encode(JSON.stringify(edits)));
    const status = this.x.qz_edit();
    return status === 0 ? JSON.parse(this.text()) : {error: JSON.parse(this.text())};
  }
  info() { return this.json(this.x.qz_info()); }
  pcirRows() { return this.json(this.x.qz_pcir_rows()); }
  registers() { return this.json(this.x.qz_registers()); }
  timings() { return this.json(this.x.qz_timings()); }
  // diff's readable report against the ROM as opened, or the ROM to
  // compare with (other true).
  diffText(other = false) {
    return this.x.qz_diff(other ? 1 : 0) === 0 ? {text: this.text()} : {error: this.text()};
  }
  // The options and values of the one `quarzel-cli edit` that makes the edits.
  editWords() { return this.json(this.x.qz_edit_words()); }
  compare() { return this.json(this.x.qz_compare()); }
  preview(memory) { return this.picture(this.x.qz_preview(memory)); }
  glyphSheet(size) { return this.picture(this.x.qz_glyph_sheet(size)); }
  logoPicture() { return this.picture(this.x.qz_logo_picture()); }
  // A file given with addFile, as the logo would boot it.
  filePicture(name) { return this.picture(this.x.qz_picture(this.named(name))); }
  codePages(name) { return this.json(this.x.qz_codepages(this.named(name))); }
  codePagePreview(name, codePage) { return this.picture(this.x.qz_codepage_preview(this.named(name), codePage)); }
  // The ROM as opened, or as edited with its checksum corrected: {bytes} or {error}.
  image(edited) {
    return this.x.qz_image(edited ? 1 : 0) === 0 ? {bytes: this.bytes().slice()} : {error: this.text()};
  }
}
