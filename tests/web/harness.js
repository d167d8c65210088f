// What the page's tests share: the page served from build/web/site on a
// port of its own, Debian's Chromium driven by playwright-core, the native
// quarzel-cli to hold the page's answers against, and the images.
import {execFileSync, spawnSync} from "node:child_process";
import crypto from "node:crypto";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import {fileURLToPath} from "node:url";
import zlib from "node:zlib";

import {after, before} from "node:test";

import {chromium} from "playwright-core";

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
export const site = path.join(root, "build/web/site");
export const cliPath = process.env.QUARZEL_CLI ?? path.join(root, "build/native/quarzel-cli");
export const romFolder = process.env.QUARZEL_ROMS ?? path.join(root, "../shared/roms");
export const work = fs.mkdtempSync(path.join(os.tmpdir(), "quarzel-web-"));
export const screenshots = path.join(root, "build/web/screenshots");

const types = {".html": "text/html", ".js": "text/javascript", ".css": "text/css", ".wasm": "application/wasm"};

// The folder as any static host serves it.
export function serve() {
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, "http://x").pathname.replace(/^\/$/, "/index.html");
    const file = path.join(site, path.normalize(name));
    if (!file.startsWith(site) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {"Content-Type": types[path.extname(file)] ?? "application/octet-stream"});
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// Chromium as the machine has it, headless; as root it needs --no-sandbox,
// and this machine's closed network wants no background connections.
export function launch() {
  return chromium.launch({
    executablePath: process.env.QUARZEL_CHROMIUM ?? "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
  });
}

// A page opened on the served folder, ready once the module has started.
export async function openPage(browser, server, viewport = {width: 1280, height: 800}) {
  const context = await browser.newContext({viewport, acceptDownloads: true});
  const page = await context.newPage();
  const failures = [];
  page.on("pageerror", (error) => failures.push(error));
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForSelector("body[data-ready=true]");
  page.failures = failures;
  return page;
}

// A test file's page: the site served, Chromium started and the page open
// before its tests (handed to `opened`), all closed after them.
export function usePage(opened) {
  let server, browser;
  before(async () => {
    server = await serve();
    browser = await launch();
    opened(await openPage(browser, server));
    fs.mkdirSync(screenshots, {recursive: true});
  });
  after(async () => {
    await browser?.close();
    server?.close();
    fs.rmSync(work, {recursive: true, force: true});
  });
}

// The command-line tool's answer.
export function cli(...args) {
  const run = spawnSync(cliPath, args, {encoding: "latin1"});
  return {status: run.status, out: run.stdout, err: run.stderr};
}

// The sample and every real image, as [name, path]; none of the real ones
// where the folder is absent.
export function images() {
  const sample = path.join(work, "sample.rom");
  execFileSync(cliPath, ["sample", "-o", sample]);
  const real = fs.existsSync(romFolder)
    ? fs.readdirSync(romFolder).filter((name) => !name.endsWith(".md")).sort().map((name) => path.join(romFolder, name))
    : [];
  if (real.length === 0 && process.env.CI === "true") throw new Error(`no real image in ${romFolder} under CI=true`);
  return [sample, ...real];
}

// Opens a file through the page's file picker and waits for its answer.
export async function openThroughPicker(page, file) {
  const opens = await page.evaluate(() => Number(document.body.dataset.opens ?? 0));
  await page.setInputFiles("#open-file", file);
  await page.waitForFunction((count) => Number(document.body.dataset.opens ?? 0) > count, opens);
}

// A picture's size and the SHA-256 of its RGBA bytes: pictures compared
// without carrying a megabyte out of the browser.
export async function canvasDigest(page, selector) {
  return page.evaluate(async (s) => {
    const canvas = document.querySelector(s);
    const image = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height);
    const digest = await crypto.subtle.digest("SHA-256", image.data);
    return {width: image.width, height: image.height,
            sha256: Array.from(new Uint8Array(digest), (b) => b.toString(16).padStart(2, "0")).join("")};
  }, selector);
}

export function pictureDigest({width, height, data}) {
  return {width, height, sha256: crypto.createHash("sha256").update(data).digest("hex")};
}

// A PNG of 8-bit RGB or RGBA, as quarzel-cli writes them, as RGBA bytes.
export function readPng(file) {
  const bytes = fs.readFileSync(file);
  let width = 0, height = 0, channels = 0;
  const compressed = [];
  for (let at = 8; at < bytes.length;) {
    const length = bytes.readUInt32BE(at), type = bytes.toString("latin1", at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || ![2, 6].includes(body[9]) || body[12] !== 0) throw new Error(`${file}: not 8-bit RGB(A)`);
      channels = body[9] === 2 ? 3 : 4;
    } else if (type === "IDAT") {
      compressed.push(body);
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(compressed));
  const stride = width * channels;
  const rows = new Uint8Array(height * stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; ++x) {
      const value = raw[y * (stride + 1) + 1 + x];
      const left = x >= channels ? rows[y * stride + x - channels] : 0;
      const up = y > 0 ? rows[(y - 1) * stride + x] : 0;
      const corner = y > 0 && x >= channels ? rows[(y - 1) * stride + x - channels] : 0;
      const paeth = () => {
        const p = left + up - corner, pa = Math.abs(p - left), pb = Math.abs(p - up), pc = Math.abs(p - corner);
        return pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
      };
      const predictor = [0, left, up, (left + up) >> 1, paeth()][filter];
      rows[y * stride + x] = (value + predictor) & 0xFF;
    }
  }
  const rgba = new Uint8Array(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    rgba.set(rows.subarray(i * channels, i * channels + 3), i * 4);
    rgba[i * 4 + 3] = channels === 4 ? rows[i * channels + 3] : 255;
  }
  return {width, height, data: rgba};
}


// Saves through the page's Save button: the downloaded bytes.
export async function saveThroughPage(page) {
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#save")]);
  const saved = path.join(work, `saved-${Date.now()}.rom`);
  await download.saveAs(saved);
  return fs.readFileSync(saved);
}

// A 16-colour BMP of diagonal stripes in the VGA colours, `width` a
// multiple of 8.
export function writeBmp(file, width, height) {
  const vga = [0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
               0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF];
  const stride = Math.ceil(width / 8) * 4, offset = 14 + 40 + 64;
  const bytes = Buffer.alloc(offset + stride * height);
  bytes.write("BM", 0, "latin1");
  bytes.writeUInt32LE(bytes.length, 2);
  bytes.writeUInt32LE(offset, 10);
  bytes.writeUInt32LE(40, 14);
  bytes.writeInt32LE(width, 18);
  bytes.writeInt32LE(height, 22);
  bytes.writeUInt16LE(1, 26);
  bytes.writeUInt16LE(4, 28);
  bytes.writeUInt32LE(stride * height, 34);
  bytes.writeUInt32LE(16, 46);
  vga.forEach((rgb, i) => bytes.writeUInt32LE(rgb, 54 + 4 * i));
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; x += 2) {
      const colour = (at) => Math.floor((at + y) / 4) % 16;
      bytes[offset + y * stride + x / 2] = (colour(x) << 4) | colour(x + 1);
    }
  fs.writeFileSync(file, bytes);
}
