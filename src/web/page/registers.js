// Registers: the nine boot values in hexadecimal, each register's bit
// fields, and the clock PLLCtrl1 makes in MHz. A register is edited in
// hexadecimal (--register) or by a field (--field), the clock by its MHz
// (--clock, which keeps K and M).
import {$, app, setEdit, setEdits} from "./app.js";
import {card, el, hex, markRefused, setUnlessFocused} from "./ui.js";

// The edits asked for here, in edit's words, by register and by field.
let texts = {}, fields = {};

const fieldKey = (name, bits) => `${name}:${bits}`;
const fieldBoxId = (name, bits) => `register-${name}-bits-${bits.replace("..", "-")}`;

function editRegisters(input) {
  const values = Object.entries(texts).map(([name, text]) => `${name}=${text}`);
  const fieldValues = Object.entries(fields).map(([key, number]) => `${key}=${number}`);
  const edits = {...app.edits, "--register": values, "--field": fieldValues};
  for (const option of ["--register", "--field"]) if (edits[option].length === 0) delete edits[option];
  markRefused(input, setEdits(edits) !== null);
}

function hexEdited(name, input, opened) {
  const text = input.value.trim();
  if (text === "" || text.toUpperCase() === opened) delete texts[name];
  else texts[name] = text;
  // The whole value typed replaces what its fields said.
  for (const key of Object.keys(fields)) if (key.startsWith(`${name}:`)) delete fields[key];
  editRegisters(input);
}

function fieldEdited(name, bits, input, opened) {
  const text = input.value.trim();
  if (text === "" || Number(text) === opened) delete fields[fieldKey(name, bits)];
  else fields[fieldKey(name, bits)] = text;
  editRegisters(input);
}

function clockEdited(input, opened) {
  const text = input.value.trim();
  markRefused(input, setEdit("--clock", text === "" || text === opened ? undefined : [text]) !== null);
}

export function build() {
  return card("registers", "Registers",
              el("table", {class: "registers"},
                 el("thead", {}, el("tr", {}, el("th", {scope: "col"}, "Register"), el("th", {scope: "col"}, "Offset"),
                                   el("th", {scope: "col"}, "Value (hexadecimal)"))),
                 el("tbody", {id: "register-rows"})),
              el("div", {class: "field inline"},
                 el("label", {for: "clock"}, "PLLCtrl1 clock (MHz)"),
                 el("input", {id: "clock", type: "text", inputMode: "decimal", size: 10}),
                 el("span", {id: "clock-dividers", class: "where"})),
              el("div", {id: "register-fields"}));
}

// The registers as last shown, for fields built later.
let latest = [];

function fieldTable(register) {
  return el("table", {class: "fields"}, el("tbody", {}, register.fields.map((field) => {
    const fieldId = fieldBoxId(register.name, field.bits);
    const box = el("input", {id: fieldId, type: "text", size: 6, inputMode: "numeric", disabled: field.reserved,
                             class: "mono"});
    box.addEventListener("change", () => fieldEdited(register.name, field.bits, box, field.number));
    return el("tr", {}, el("td", {class: "mono"}, field.bits), el("td", {}, box),
              el("td", {}, el("label", {for: fieldId}, field.text)));
  })));
}

function showFields(register) {
  for (const field of register?.fields ?? []) {
    const box = $(fieldBoxId(register.name, field.bits));
    if (box) setUnlessFocused(box, String(field.number));
  }
}

export function opened() {
  texts = {};
  fields = {};
  const openedRegisters = app.core.registers().registers;
  const rows = $("register-rows"), details = $("register-fields");
  rows.replaceChildren();
  details.replaceChildren();
  for (const register of openedRegisters) {
    const id = `register-${register.name}`;
    const input = el("input", {id, type: "text", size: 9, maxLength: 8, spellcheck: false, class: "mono",
                                disabled: register.value === null});
    input.addEventListener("change", () => hexEdited(register.name, input, register.value));
    rows.append(el("tr", {}, el("th", {scope: "row"}, el("label", {for: id}, register.name)),
                   el("td", {class: "mono", id: `${id}-offset`}), el("td", {}, input)));
    if (!register.fields) continue;
    // A register's fields are built when the user first opens them: most
    // visits never do, and a ROM opens faster without 130 rows.
    const fold = el("details", {}, el("summary", {}, `${register.name} bit fields`));
    fold.addEventListener("toggle", () => {
      if (!fold.open || fold.children.length > 1) return;
      fold.append(fieldTable(register));
      showFields(latest.find((shown) => shown.name === register.name));
    });
    details.append(fold);
  }
  const clock = $("clock");
  const pll = openedRegisters.find((register) => register.pll)?.pll;
  clock.disabled = !pll;
  clock.onchange = () => clockEdited(clock, pll ? pll.frequency.replace(" MHz", "") : "");
}

export function show({registers}) {
  latest = registers;
  for (const register of registers) {
    const id = `register-${register.name}`;
    const input = $(id);
    if (!input) continue;
    setUnlessFocused(input, register.value ?? "");
    $(`${id}-offset`).textContent = register.offset === null ? "not found" : hex(register.offset);
    showFields(register);
    if (register.pll) {
      setUnlessFocused($("clock"), register.pll.frequency.replace(" MHz", ""));
      const {k, m, n} = register.pll;
      $("clock-dividers").textContent = `K ${k}, M ${m}, N ${n}`;
    }
  }
}
