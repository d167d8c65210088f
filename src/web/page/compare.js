// Compare: a second ROM beside the one open, its registers side by side
// (quarzel-cli compare) and diff's report of the two.
import {$, afterFrame, app, readFile, showMessage} from "./app.js";
import {card, el, fileButton} from "./ui.js";

let otherName = null;

async function otherChosen(file) {
  const refusal = app.core.openOther(file.name, await readFile(file, app.constants.imageCapacity));
  showMessage(refusal);
  if (!refusal) {
    otherName = file.name;
    show();
  }
  $("compare").dataset.opens = Number($("compare").dataset.opens ?? 0) + 1;
}

function show() {
  if (!otherName) return;
  const compared = app.core.compare();
  $("compare-names").textContent = `${app.fileName} as edited, beside ${otherName}`;
  $("compare-b-title").textContent = otherName;
  $("compare-rows").replaceChildren(...(compared.registers ?? []).map((register) =>
    el("tr", {class: register.verdict === "equals" ? "" : "differs"},
       el("th", {scope: "row"}, register.name), el("td", {class: "mono"}, register.a ?? "not found"),
       el("td", {class: "mono"}, register.b ?? "not found"), el("td", {}, register.verdict))));
  const report = app.core.diffText(true);
  $("compare-report").textContent = report.error ?? report.text;
  $("compare-result").hidden = false;
}

export function build() {
  return card("compare", "Compare",
              el("div", {class: "controls"},
                 fileButton("compare-open", "Open a ROM to compare with…", ".rom,.bin,.vbi,.ROM,.BIN,.VBI", otherChosen)),
              el("div", {id: "compare-result", hidden: true},
                 el("p", {id: "compare-names", class: "where"}),
                 el("div", {class: "wide"},
                    el("table", {class: "compare"},
                       el("thead", {}, el("tr", {}, el("th", {scope: "col"}, "Register"),
                                         el("th", {scope: "col"}, "This ROM"),
                                         el("th", {scope: "col", id: "compare-b-title"}),
                                         el("th", {scope: "col"}, "Verdict"))),
                       el("tbody", {id: "compare-rows"}))),
                 el("h3", {}, "Item by item"),
                 el("pre", {id: "compare-report", class: "report", tabIndex: 0, "aria-label": "The two ROMs, item by item"})));
}

export function mount() {
  $("changes-group").append(build());
  app.events.addEventListener("opened", show);
  app.events.addEventListener("changed", afterFrame(show));
}
