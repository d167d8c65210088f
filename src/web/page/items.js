// The items of the ROM, each a card of #items that shows what the module
// says of the image as edited and edits it through edit's options.
import {$, afterFrame, app} from "./app.js";
import * as fonts from "./fonts.js";
import * as image from "./image.js";
import * as logo from "./logo.js";
import * as modes from "./modes.js";
import * as pciVesa from "./pci_vesa.js";
import * as registers from "./registers.js";
import * as strings from "./strings.js";

const sections = [strings, registers, fonts, pciVesa, modes, logo, image];

// What the sections are shown: the module's answers for the image as
// edited, and what info said of it as opened.
const state = {opened: null, info: null, registers: null, timings: null};

// `info`: what info says of the image as edited, where it is known.
function show(info = app.core.info()) {
  state.info = info;
  state.registers = app.core.registers().registers;
  state.timings = app.core.timings().timings;
  for (const section of sections) section.show(state);
  const items = $("items");
  items.dataset.shown = Number(items.dataset.shown ?? 0) + 1;
}

export function mount() {
  for (const section of sections) $("items").append(section.build());
  app.events.addEventListener("opened", () => {
    state.opened = app.core.info();
    for (const section of sections) section.opened?.(state);
    show(state.opened);
  });
  app.events.addEventListener("changed", afterFrame(show));
}
