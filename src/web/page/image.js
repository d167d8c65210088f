// Image: the file's size, the ROM length its header gives, the checksum,
// and the pointer directory beside what the locators found.
import {$} from "./app.js";
import {card, el, hex} from "./ui.js";

const where = (offset) => (offset === null ? "none" : hex(offset));

export function build() {
  return card("image", "Image", el("dl", {id: "image-facts"}),
              el("h3", {}, "Pointer directory"),
              el("p", {id: "directory-where", class: "where"}),
              el("div", {class: "wide"},
                 el("table", {class: "directory"},
                    el("thead", {}, el("tr", {}, ["Item", "Directory", "Located", "Witness"]
                                                .map((title) => el("th", {scope: "col"}, title)))),
                    el("tbody", {id: "directory-rows"}))));
}

export function show({info}) {
  $("image-facts").replaceChildren(
      el("dt", {}, "Image size"), el("dd", {}, `${info.imageSize} bytes`),
      el("dt", {}, "ROM length"), el("dd", {}, `${info.romLength} bytes`),
      el("dt", {}, "Checksum"), el("dd", {}, info.checksumOk ? "ok" : "wrong (corrected on save)"));
  const directory = info.pointerDirectory;
  $("directory-where").textContent = directory ? `at ${where(directory.offset)}` : "not found";
  $("directory-rows").replaceChildren(...(directory?.entries ?? []).map((entry) =>
    el("tr", {}, el("td", {}, entry.item), el("td", {class: "mono"}, where(entry.directory)),
       el("td", {class: "mono"}, where(entry.located)), el("td", {}, entry.witness))));
}
