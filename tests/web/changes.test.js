// What changed and Compare, held against quarzel-cli's diff, edit and
// compare on the same files.
import assert from "node:assert/strict";
import {execFileSync} from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import {test} from "node:test";

import {cli, cliPath, openThroughPicker, romFolder, saveThroughPage, screenshots, usePage, work} from "./harness.js";

let page;
const rom = path.join(romFolder, "Agp_sg.rom"), other = path.join(romFolder, "BlasterAGP.rom");

usePage((opened) => { page = opened; });

// The page's cards after an edit are shown once its frame is painted.
async function shown(card, count) {
  await page.waitForFunction(([id, n]) => Number(document.getElementById(id).dataset.shown ?? 0) > n, [card, count]);
}
const shownCount = (card) => page.evaluate((id) => Number(document.getElementById(id).dataset.shown ?? 0), card);

// The page's save under the opened file's name in a folder of its own, as
// quarzel-cli names it in its reports.
async function savedAs(folder) {
  const file = path.join(work, folder, path.basename(rom));
  fs.mkdirSync(path.dirname(file), {recursive: true});
  fs.writeFileSync(file, await saveThroughPage(page));
  return file;
}

test("what changed is diff's report, the changed bytes and the quarzel-cli edit that makes them", async (t) => {
  if (!fs.existsSync(rom)) return t.skip("real image absent");
  await openThroughPicker(page, rom);
  const count = await shownCount("changes");
  await page.fill("#string1-text", "Tuned\nin a 'browser'");
  await page.fill("#clock", "90");
  await page.press("#clock", "Enter");
  await shown("changes", count);
  const edited = await savedAs("edited");

  assert.equal(await page.textContent("#changes-report"), cli("diff", rom, edited).out);
  const opened = fs.readFileSync(rom), saved = fs.readFileSync(edited);
  const differing = [...saved].filter((byte, at) => byte !== opened[at]).length;
  assert.equal(await page.locator("#changed-bytes mark").count(), differing);

  // The command, run by a shell in a folder holding the ROM, writes what the page saved.
  const folder = path.join(work, "shell");
  fs.mkdirSync(folder);
  fs.copyFileSync(rom, path.join(folder, path.basename(rom)));
  const command = (await page.textContent("#edit-command")).replace(/^quarzel-cli /, `'${cliPath}' `);
  execFileSync("sh", ["-c", command], {cwd: folder, stdio: "pipe"});
  const written = fs.readdirSync(folder).find((name) => name !== path.basename(rom));
  assert.ok(fs.readFileSync(path.join(folder, written)).equals(saved), command);

  await page.click("#revert-all");
  assert.ok((await saveThroughPage(page)).equals(opened));
  assert.equal(await page.isDisabled("#revert-all"), true);
});

test("compare shows quarzel-cli compare's registers and diff's report of the two", async (t) => {
  if (!fs.existsSync(rom) || !fs.existsSync(other)) return t.skip("real image absent");
  await openThroughPicker(page, rom);
  const count = await shownCount("changes");
  await page.fill("#clock", "90");
  await page.press("#clock", "Enter");
  await shown("changes", count);
  await page.setInputFiles("#compare-open", other);
  await page.waitForSelector("#compare-result:not([hidden])");
  const edited = await savedAs("compared");

  const compared = JSON.parse(cli("compare", "--json", edited, other).out);
  const rows = await page.$$eval("#compare-rows tr", (trs) => trs.map((tr) => [...tr.children].map((c) => c.textContent)));
  assert.deepEqual(rows, compared.registers.map((r) => [r.name, r.a ?? "not found", r.b ?? "not found", r.verdict]));
  assert.equal(await page.textContent("#compare-report"), cli("diff", edited, other).out);
  await page.screenshot({path: path.join(screenshots, "compare.png"), fullPage: true});

  // A file that is no ROM is refused in quarzel-cli's words and leaves the comparison.
  const bad = path.join(work, "bad.rom");
  fs.writeFileSync(bad, Buffer.alloc(1));
  await page.setInputFiles("#compare-open", bad);
  await page.waitForFunction(() => Number(document.getElementById("compare").dataset.opens) === 2);
  assert.equal(await page.textContent("#message"), cli("info", bad).err.trim().replace(/^quarzel-cli: /, "").replace(bad, "bad.rom"));
  assert.equal(await page.textContent("#compare-report"), cli("diff", edited, other).out);
});
