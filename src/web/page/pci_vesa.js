// PCIR and VESA Strings: the PCI data structure as the PCIR page shows it,
// and the four VESA strings, edited as typed (--vesa FIELD=TEXT).
import {$, app, setEdits} from "./app.js";
import {card, el, hex, markRefused, setUnlessFocused} from "./ui.js";

let openedTexts = {}, texts = {};

function edited(name, input) {
  if (input.value === openedTexts[name.key]) delete texts[name.option];
  else texts[name.option] = input.value;
  const edits = {...app.edits, "--vesa": Object.entries(texts).map(([option, text]) => `${option}=${text}`)};
  if (edits["--vesa"].length === 0) delete edits["--vesa"];
  markRefused(input, setEdits(edits) !== null);
}

export function build() {
  return el("div", {class: "group"},
            card("pcir", "PCIR", el("p", {id: "pcir-where", class: "where"}), el("dl", {id: "pcir-rows"})),
            card("vesa", "VESA Strings", app.constants.vesa.map((name) => {
              const id = `vesa-${name.option}`;
              const input = el("input", {id, type: "text", spellcheck: false, "aria-describedby": `${id}-where`});
              input.addEventListener("input", () => edited(name, input));
              return el("div", {class: "field"}, el("label", {for: id}, name.label), input,
                        el("p", {id: `${id}-where`, class: "where"}));
            })));
}

export function opened({opened}) {
  texts = {};
  openedTexts = {};
  for (const name of app.constants.vesa) {
    const found = opened.vesa[name.key];
    if (found) openedTexts[name.key] = found.text;
    const input = $(`vesa-${name.option}`);
    input.disabled = !found;
    input.value = found?.text ?? "";
    markRefused(input, false);
  }
}

export function show({info}) {
  const rows = app.core.pcirRows();
  $("pcir-where").textContent = info.pcir ? `at ${hex(info.pcir.offset)}` : "not found";
  $("pcir-rows").replaceChildren(...(rows ?? []).flatMap((row) => [el("dt", {}, row.label), el("dd", {class: "mono"}, row.text)]));
  for (const name of app.constants.vesa) {
    const found = info.vesa[name.key];
    const id = `vesa-${name.option}`;
    if (found) setUnlessFocused($(id), found.text);
    $(`${id}-where`).textContent = found ? `at ${hex(found.offset)}, max length ${found.maxLength}` : "not found";
  }
}
