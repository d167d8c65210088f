// The items as the page shows and edits them, held against quarzel-cli.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import {test} from "node:test";

import {cli, images, openThroughPicker, romFolder, saveThroughPage, screenshots, usePage, work, writeBmp} from "./harness.js";

let page;
usePage((opened) => { page = opened; });

const value = (selector) => page.inputValue(selector);
const text = (selector) => page.textContent(selector);
const crlf = (shown) => shown.replace(/\n/g, "\r\n");

test("every image's items show what quarzel-cli info says", async () => {
  for (const file of images()) {
    const name = path.basename(file);
    const info = JSON.parse(cli("info", "--json", file).out);
    await openThroughPicker(page, file);
    for (const key of ["string1", "string2"])
      if (info[key]) assert.equal(crlf(await value(`#${key}-text`)), info[key].text, `${name} ${key}`);
    if (info.date) assert.equal(await value("#date-text"), info.date.text, name);
    for (const register of info.registers)
      assert.equal(await value(`#register-${register.name}`), register.value ?? "", `${name} ${register.name}`);
    assert.equal(`${await value("#clock")} MHz`, info.pllFrequency, name);
    if (info.pcir) {
      const rows = await text("#pcir-rows");
      assert.ok(rows.includes(`${info.pcir.vendorId}  ${info.pcir.vendorName}`), `${name}: ${rows}`);
      assert.ok(rows.includes(`${info.pcir.deviceId}  ${info.pcir.deviceName}`), `${name}: ${rows}`);
    }
    for (const [option, key] of [["vendor-info", "vendorInfo"], ["product-name", "productName"]])
      if (info.vesa[key]) assert.equal(await value(`#vesa-${option}`), info.vesa[key].text, `${name} ${key}`);
    const defined = info.modes.filter((mode) => mode.defined);
    assert.equal(await page.locator("#mode-rows tr").count(), defined.length, name);
    const timed = defined.find((mode) => mode.refresh);
    if (timed) assert.ok((await text("#mode-rows")).includes(timed.refresh), name);
  }
});

test("edits made through the controls save the bytes of one quarzel-cli edit with the same words", async (t) => {
  const rom = path.join(romFolder, "3k12sd.rom"), codePages = path.join(romFolder, "../data/EGA.CPI");
  if (!fs.existsSync(rom) || !fs.existsSync(codePages)) return t.skip("real image absent");
  const bmp = path.join(work, "stripes.bmp");
  writeBmp(bmp, 64, 32);
  await openThroughPicker(page, rom);
  await page.fill("#string1-text", "Tuned by quarzel\nin a browser");
  await page.fill("#clock", "100");
  await page.press("#clock", "Enter");
  await page.selectOption("#refresh-640x480", "75");
  await page.click("summary:has-text('PCIInit0 bit fields')");
  await page.fill("#register-PCIInit0-bits-2-6", "20");
  await page.press("#register-PCIInit0-bits-2-6", "Enter");
  await page.fill("#vesa-product-name", "Tuned");
  await page.setInputFiles("#codepage-open", codePages);
  await page.selectOption("#codepage-list", "850");
  await page.click("#codepage-load");
  await page.setInputFiles("#logo-open", bmp);
  await page.waitForSelector("#logo-install:not([disabled])");
  const lines = ["Tuned", "", "line three", "", "last"];
  for (const [i, line] of lines.entries()) await page.fill(`#logo-line-${i + 1}`, line);
  await page.click("#logo-install");
  assert.equal(await page.isHidden("#message"), true, await text("#message"));
  await page.screenshot({path: path.join(screenshots, "edited-3k12sd.png"), fullPage: true});
  const saved = await saveThroughPage(page);

  const wanted = path.join(work, "wanted.rom");
  const run = cli("edit", rom, "-o", wanted, "--string1", "Tuned by quarzel\\r\\nin a browser", "--clock", "100",
                  "--refresh", "640x480@75", "--field", "PCIInit0:2..6=20", "--vesa", "product-name=Tuned", "--codepage", `${codePages}:850`, "--logo", bmp,
                  ...lines.flatMap((line, i) => ["--logo-line", `${i + 1}=${line}`]));
  assert.equal(run.status, 0, run.err);
  assert.ok(saved.equals(fs.readFileSync(wanted)));
});

test("a refused edit is said in quarzel-cli's words and leaves the image as it was", async () => {
  const [sample] = images();
  await openThroughPicker(page, sample);
  const before = await saveThroughPage(page);
  await page.fill("#clock", "5000");
  await page.press("#clock", "Enter");
  const shown = (await text("#message")).trim();
  const refusal = cli("edit", sample, "-o", path.join(work, "never.rom"), "--clock", "5000").err;
  assert.ok(shown !== "" && refusal.includes(shown), `${shown} / ${refusal}`);
  assert.equal(await page.getAttribute("#clock", "aria-invalid"), "true");
  assert.ok((await saveThroughPage(page)).equals(before));
});
