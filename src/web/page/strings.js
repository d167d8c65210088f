// Boot-up Strings: strings 1 and 2 and the BIOS date, edited as typed so
// the boot screen follows each keystroke.
import {$, setEdit} from "./app.js";
import {card, el, hex, markRefused, setUnlessFocused} from "./ui.js";

const items = [
  {key: "string1", option: "--string1", label: "String 1", multiline: true},
  {key: "string2", option: "--string2", label: "String 2", multiline: true},
  {key: "date", option: "--date", label: "BIOS date (mm/dd/yy)", multiline: false},
];

// A textarea shows line ends as \n; the ROM's text keeps the ones it had.
function lineEnd(opened) { return opened.includes("\r\n") ? "\r\n" : opened.includes("\r") ? "\r" : "\n"; }
function toRom(value, opened) { return value.replace(/\r\n|\r|\n/g, lineEnd(opened)); }
function toField(text) { return text.replace(/\r\n|\r/g, "\n"); }

let openedTexts = {};

function edited(item, input) {
  const opened = openedTexts[item.key];
  if (opened === undefined) return;
  const text = toRom(input.value, opened);
  markRefused(input, setEdit(item.option, text === opened ? undefined : [text]) !== null);
}

export function build() {
  return card("strings", "Boot-up Strings", ...items.map((item) => {
    const id = `${item.key}-text`;
    const input = item.multiline
      ? el("textarea", {id, rows: 3, spellcheck: false, "aria-describedby": `${item.key}-where`})
      : el("input", {id, type: "text", spellcheck: false, "aria-describedby": `${item.key}-where`});
    input.addEventListener("input", () => edited(item, input));
    return el("div", {class: "field"},
              el("label", {for: id}, item.label),
              input,
              el("p", {id: `${item.key}-where`, class: "where"}));
  }));
}

export function opened({opened}) {
  openedTexts = {};
  for (const item of items) {
    const found = opened[item.key];
    if (found) openedTexts[item.key] = found.text;
    const input = $(`${item.key}-text`);
    input.disabled = !found;
    input.value = found ? toField(found.text) : "";
    markRefused(input, false);
  }
}

// The length is the text's as edited; the max length is what the edits may
// write, which is the ROM's as opened: every edit runs over that ROM, though
// the saved string 1's count makes a shorter text its max length from then on.
export function show({info, opened}) {
  for (const item of items) {
    const found = info[item.key];
    const where = $(`${item.key}-where`);
    if (!found) {
      where.textContent = "not found";
      continue;
    }
    setUnlessFocused($(`${item.key}-text`), toField(found.text));
    where.textContent = item.key === "date"
      ? `at ${hex(found.offset)}`
      : `at ${hex(found.offset)}: length ${found.length}, max length ${(opened[item.key] ?? found).maxLength}`;
  }
}
