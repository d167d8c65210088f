// Video Modes: every mode with its clock, refresh and line rate, and the
// standard refresh rates a resolution can take (--refresh WxH@HZ).
import {$, app, setEdit} from "./app.js";
import {card, el, hex} from "./ui.js";

let chosen = {}, shownRows = null;

const resolution = (timing) => `${timing.width}x${timing.height}`;

function rateChosen(timing, select) {
  if (select.value === "") delete chosen[resolution(timing)];
  else chosen[resolution(timing)] = `${resolution(timing)}@${select.value}`;
  if (setEdit("--refresh", Object.values(chosen))) {
    delete chosen[resolution(timing)];
    select.value = "";
  }
}

export function build() {
  return card("modes", "Video Modes",
              el("p", {id: "modes-tables", class: "where"}),
              el("h3", {}, "Refresh rates"),
              el("div", {id: "refresh-rates", class: "rates"}),
              el("div", {class: "table-scroll", tabIndex: 0, role: "region", "aria-label": "Video modes"},
                 el("table", {class: "modes"},
                    el("thead", {}, el("tr", {}, ["Mode", "Resolution", "Colours", "Pixel clock", "Refresh", "Line rate"]
                                              .map((title) => el("th", {scope: "col"}, title)))),
                    el("tbody", {id: "mode-rows"}))));
}

export function opened() {
  chosen = {};
  shownRows = null;
  $("refresh-rates").replaceChildren(...app.core.timings().timings.map((timing) => {
    const id = `refresh-${resolution(timing)}`;
    const select = el("select", {id, onchange: () => rateChosen(timing, select)},
                      el("option", {value: ""}, `as the ROM has it`),
                      timing.rates.map((rate) => el("option", {value: rate}, `${rate} Hz`)));
    return el("div", {class: "field inline"},
              el("label", {for: id}, `${resolution(timing)}${timing.linesDoubled ? " (lines doubled)" : ""}`),
              select, el("span", {id: `${id}-now`, class: "where"}));
  }));
}

export function show({info, timings}) {
  const where = (name, offset) => `${name} ${offset === null ? "not found" : hex(offset)}`;
  $("modes-tables").textContent = [where("Video parameter table", info.videoParameterTable),
                                   where("extended mode table", info.extendedModeTable),
                                   where("mode information table", info.modeInfoTable)].join(", ");
  for (const timing of timings) {
    const now = $(`refresh-${resolution(timing)}-now`);
    if (now) now.textContent = `now ${timing.now}`;
  }
  // Most edits leave the modes as they were: their rows are rebuilt only
  // when they changed.
  const rows = JSON.stringify(info.modes);
  if (rows === shownRows) return;
  shownRows = rows;
  $("mode-rows").replaceChildren(...info.modes.filter((mode) => mode.defined).map((mode) =>
    el("tr", {}, el("td", {}, mode.text), el("td", {}, mode.resolution ?? ""), el("td", {}, mode.colours ?? ""),
       el("td", {}, mode.pixelClock ?? ""), el("td", {}, mode.refresh ?? ""), el("td", {}, mode.lineRate ?? ""))));
}
