// Fonts: the three VGA fonts as glyph sheets; a font loaded from a .fnt
// (--font), or a code page from a .cpi with the fonts it gives shown
// before they are loaded (--codepage).
import {$, app, readFile, setEdit, showMessage} from "./app.js";
import {card, el, fileButton, hex, paint} from "./ui.js";

// The files given so far are the module's; these are the edits naming them.
let fontFiles = {};

// A file for the edits; null, or the refusal shown.
async function give(file) {
  const refusal = app.core.addFile(file.name, await readFile(file, app.constants.imageCapacity));
  showMessage(refusal);
  return refusal;
}

async function fontChosen(size, file) {
  if (await give(file)) return;
  fontFiles[size] = `${size}=${file.name}`;
  const refused = setEdit("--font", Object.values(fontFiles));
  if (refused) delete fontFiles[size];
}

async function codePageFileChosen(file) {
  if (await give(file)) return;
  const said = app.core.codePages(file.name);
  if (said.error) {
    showMessage(said.error);
    return;
  }
  const list = $("codepage-list");
  list.replaceChildren(...said.codePages.map((item) => el("option", {value: item.codePage}, item.text)));
  list.dataset.file = file.name;
  $("codepage-chooser").hidden = false;
  $("codepage-file").textContent = file.name;
  showCodePage();
}

function showCodePage() {
  const list = $("codepage-list");
  const said = app.core.codePagePreview(list.dataset.file, Number(list.value));
  if (said.error) {
    showMessage(said.error);
    return;
  }
  paint($("codepage-preview"), said.picture);
}

function loadCodePage() {
  const list = $("codepage-list");
  const sizes = app.constants.fontSizes.filter((size) => $(`codepage-size-${size}`).checked);
  if (sizes.length === 0) {
    showMessage("Tick at least one font size to load.");
    return;
  }
  const all = sizes.length === app.constants.fontSizes.length;
  const value = `${list.dataset.file}:${list.value}${all ? "" : `:${sizes.join(",")}`}`;
  setEdit("--codepage", [value]);
}

export function build() {
  const sizes = app.constants.fontSizes;
  return card("fonts", "Fonts",
              el("div", {class: "sheets"}, sizes.map((size) => el("figure", {},
                 el("canvas", {id: `sheet-${size}`, class: "sheet", role: "img", "aria-label": `Font ${size}`}),
                 el("figcaption", {}, el("span", {id: `sheet-${size}-where`}),
                    fileButton(`font-file-${size}`, `Load ${size} from .fnt…`, ".fnt,.FNT,.bin",
                               (file) => fontChosen(size, file)))))),
              el("div", {class: "controls"},
                 fileButton("codepage-open", "Load a code page from .cpi…", ".cpi,.CPI", codePageFileChosen)),
              el("div", {id: "codepage-chooser", hidden: true},
                 el("p", {}, "Code pages in ", el("span", {id: "codepage-file"}), ":"),
                 el("div", {class: "controls"},
                    el("label", {for: "codepage-list"}, "Code page"),
                    el("select", {id: "codepage-list", onchange: showCodePage}),
                    sizes.map((size) => el("label", {class: "check"},
                       el("input", {type: "checkbox", id: `codepage-size-${size}`, checked: true}), `Font ${size}`)),
                    el("button", {type: "button", id: "codepage-load", onclick: loadCodePage}, "Load code page")),
                 el("canvas", {id: "codepage-preview", class: "sheet", role: "img",
                               "aria-label": "The fonts of the chosen code page"})));
}

export function opened() {
  fontFiles = {};
  $("codepage-chooser").hidden = true;
}

export function show({info}) {
  app.constants.fontSizes.forEach((size, index) => {
    const sheet = app.core.glyphSheet(index);
    if (!sheet.error) paint($(`sheet-${size}`), sheet.picture);
    const offset = info.fonts[`font${size}`];
    const fixup = info.fonts[`fixup${size}`];
    $(`sheet-${size}-where`).textContent = `Font ${size}: ${offset === null ? "not found" : hex(offset)}` +
        (fixup ? `, fix-up table ${hex(fixup)} (${info.fonts[`fixup${size}Size`]} bytes)` : "");
  });
}
