// What changed: diff's report of the ROM as edited against it as opened,
// the bytes that differ, Revert all, and the one `quarzel-cli edit` that
// makes the same edits.
import {$, afterFrame, app, revertAll} from "./app.js";
import {card, el, hex} from "./ui.js";

// Rows of the hex view shown at most; a logo or a code page changes a few
// hundred.
const kMostRows = 512;

// A word as a POSIX shell passes it on unchanged.
function shellWord(word) {
  return /^[A-Za-z0-9_@%+=:,./-]+$/.test(word) ? word : `'${word.replaceAll("'", "'\\''")}'`;
}

function editedName() {
  const dot = app.fileName.lastIndexOf(".");
  return dot > 0 ? `${app.fileName.slice(0, dot)}-edited${app.fileName.slice(dot)}` : `${app.fileName}-edited`;
}

// The rows of 16 bytes in which the two images differ, the differing
// bytes marked; bytes past the shorter image count as differing.
function changedRows(before, after) {
  const rows = [];
  let more = 0;
  const length = Math.max(before.length, after.length);
  for (let row = 0; row < length; row += 16) {
    let differs = false;
    for (let at = row; at < row + 16 && !differs; ++at) differs = before[at] !== after[at];
    if (!differs) continue;
    if (rows.length === kMostRows) {
      ++more;
      continue;
    }
    const bytes = [];
    for (let at = row; at < Math.min(row + 16, length); ++at) {
      const shown = at < after.length ? hex(after[at], 2) : "--";
      bytes.push(" ", before[at] !== after[at] ? el("mark", {title: `was ${at < before.length ? hex(before[at], 2) : "none"}`}, shown) : shown);
    }
    rows.push(el("div", {}, hex(row, 4), ":", ...bytes));
  }
  if (more) rows.push(el("div", {class: "where"}, `and ${more} more rows`));
  return rows;
}

function show() {
  const before = app.core.image(false).bytes, after = app.core.image(true);
  const edited = Object.keys(app.edits).length > 0;
  $("revert-all").disabled = !edited;
  const report = app.core.diffText(false);
  $("changes-report").textContent = report.error ?? report.text;
  $("changed-bytes").replaceChildren(...(after.error ? [after.error] : changedRows(before, after.bytes)));
  const words = app.core.editWords();
  $("edit-command").textContent = words.error ?? ["quarzel-cli", "edit", app.fileName, "-o", editedName(), ...words]
      .map(shellWord).join(" ");
  $("changes").dataset.shown = Number($("changes").dataset.shown ?? 0) + 1;
}

async function copyCommand() {
  await navigator.clipboard.writeText($("edit-command").textContent);
  $("copy-state").textContent = "Copied.";
}

export function build() {
  return card("changes", "What changed",
              el("div", {class: "controls"},
                 el("button", {type: "button", id: "revert-all", class: "secondary", onclick: () => revertAll()},
                    "Revert all")),
              el("h3", {}, "By item"),
              el("pre", {id: "changes-report", class: "report", tabIndex: 0, "aria-label": "What changed, by item"}),
              el("h3", {}, "Bytes"),
              el("div", {id: "changed-bytes", class: "hex", tabIndex: 0, role: "region",
                         "aria-label": "The rows of bytes that changed; changed bytes marked"}),
              el("h3", {}, "The same edits with quarzel-cli"),
              el("p", {class: "where"}, "Run in the folder that holds the ROM and the files the edits name."),
              el("pre", {id: "edit-command", class: "report"}),
              el("div", {class: "controls"},
                 el("button", {type: "button", class: "secondary", onclick: copyCommand}, "Copy command"),
                 el("span", {id: "copy-state", role: "status"})));
}

export function mount() {
  $("changes-group").append(build());
  app.events.addEventListener("changed", afterFrame(show));
  app.events.addEventListener("opened", () => {
    $("copy-state").textContent = "";
    show();
  });
}
