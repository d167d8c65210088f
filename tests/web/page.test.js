// The page in a real browser, held against quarzel-cli on the same files.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import {test} from "node:test";

import {canvasDigest, cli, images, openThroughPicker, pictureDigest, readPng, screenshots, usePage, work} from "./harness.js";

let page;
usePage((opened) => { page = opened; });

test("every image opens, and its boot screen has quarzel-cli preview's pixels", async () => {
  for (const file of images()) {
    const name = path.basename(file);
    await openThroughPicker(page, file);
    assert.equal(await page.locator("#message").isHidden(), true, `${name}: ${await page.locator("#message").textContent()}`);
    assert.match(await page.locator("#file-status").textContent(), new RegExp(`^${name.replace(".", "\\.")}:`));
    const png = path.join(work, `${name}.png`);
    cli("preview", file, "-o", png);
    assert.deepEqual(await canvasDigest(page, "#screen"), pictureDigest(readPng(png)), name);
    await page.screenshot({path: path.join(screenshots, `${name}.png`), fullPage: true});
  }
  assert.deepEqual(page.failures, []);
});

test("a ROM dropped on the page opens as one picked does", async () => {
  const [sample, ...real] = images(), file = real.at(-1) ?? sample, name = path.basename(file);
  await openThroughPicker(page, sample);
  const opens = await page.evaluate(() => Number(document.body.dataset.opens ?? 0));
  const dropped = await page.evaluateHandle(([bytes, fileName]) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([new Uint8Array(bytes)], fileName));
    return transfer;
  }, [[...fs.readFileSync(file)], name]);
  await page.dispatchEvent("main", "drop", {dataTransfer: dropped});
  await page.waitForFunction((count) => Number(document.body.dataset.opens ?? 0) > count, opens);
  assert.match(await page.locator("#file-status").textContent(), new RegExp(`^${name.replace(".", "\\.")}:`));
  const png = path.join(work, "dropped.png");
  cli("preview", file, "-o", png);
  assert.deepEqual(await canvasDigest(page, "#screen"), pictureDigest(readPng(png)));
});

test("a file too large or too short is refused in quarzel-cli's words and changes nothing", async () => {
  const [sample] = images();
  await openThroughPicker(page, sample);
  const status = await page.locator("#file-status").textContent();
  for (const [name, size] of [["big.rom", 70000], ["one.rom", 1]]) {
    const file = path.join(work, name);
    fs.writeFileSync(file, Buffer.concat([Buffer.from([0x55, 0xAA]), Buffer.alloc(size)]).subarray(0, size));
    await openThroughPicker(page, file);
    const refusal = cli("info", file).err.trim().replace(/^quarzel-cli: /, "").replace(file, name);
    assert.equal(await page.locator("#message").textContent(), refusal);
    assert.equal(await page.locator("#file-status").textContent(), status);
  }
  await page.screenshot({path: path.join(screenshots, "refused.png")});
});

test("save downloads the image under its name, with the checksum quarzel-cli gives it", async () => {
  for (const file of images()) {
    await openThroughPicker(page, file);
    const [download] = await Promise.all([page.waitForEvent("download"), page.click("#save")]);
    assert.equal(download.suggestedFilename(), path.basename(file));
    const saved = path.join(work, "saved.rom"), wanted = path.join(work, "wanted.rom");
    await download.saveAs(saved);
    assert.equal(cli("edit", file, "-o", wanted).status, 0);
    assert.ok(fs.readFileSync(saved).equals(fs.readFileSync(wanted)), path.basename(file));
  }
});
