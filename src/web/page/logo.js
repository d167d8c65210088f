// Logo Image: the logo the ROM boots with and its five text lines; a
// 16-colour BMP installed with the lines (--logo, --logo-line), growing the
// ROM over free bytes past it when the user agrees (--grow), or the logo
// removed (--remove-logo).
import {$, app, readFile, setEdits, showMessage} from "./app.js";
import {card, el, fileButton, paint} from "./ui.js";

let pictureName = null;

const lineIds = () => Array.from({length: app.constants.logoLines}, (_, i) => `logo-line-${i + 1}`);

async function pictureChosen(file) {
  const refusal = app.core.addFile(file.name, await readFile(file, app.constants.imageCapacity));
  const said = refusal ? {error: refusal} : app.core.filePicture(file.name);
  showMessage(said.error);
  if (said.error) return;
  pictureName = file.name;
  paint($("logo-new"), said.picture);
  $("logo-new").hidden = false;
  $("logo-chosen").textContent = `${file.name}: ${said.width}x${said.height}` +
      (said.mergedColours ? `. ${said.mergedColours}` : "");
  for (const id of lineIds()) $(id).disabled = false;
  $("logo-install").disabled = false;
}

function install() {
  const edits = {...app.edits, "--logo": [pictureName],
                 "--logo-line": lineIds().map((id, i) => `${i + 1}=${$(id).value}`)};
  delete edits["--remove-logo"];
  delete edits["--grow"];
  const refused = setEdits(edits);
  if (refused?.logoNeedsGrowth &&
      confirm(`${refused.refusal}\n\nLet the ROM grow over the free bytes past it to make room for the logo?`))
    setEdits({...edits, "--grow": true});
}

function remove() {
  const edits = {...app.edits, "--remove-logo": true};
  for (const option of ["--logo", "--logo-line", "--grow"]) delete edits[option];
  setEdits(edits);
}

export function build() {
  return card("logo", "Logo Image",
              el("p", {id: "logo-where", class: "where"}),
              el("canvas", {id: "logo-picture", class: "logo", role: "img", "aria-label": "The logo the ROM boots with"}),
              el("div", {class: "controls"},
                 fileButton("logo-open", "Load Image…", ".bmp,.BMP", pictureChosen),
                 el("button", {type: "button", id: "logo-remove", class: "secondary", onclick: remove}, "Remove Logo")),
              el("p", {id: "logo-chosen", class: "where"}),
              el("canvas", {id: "logo-new", class: "logo", hidden: true, role: "img", "aria-label": "The picture to install"}),
              lineIds().map((id, i) => el("div", {class: "field inline"},
                 el("label", {for: id}, `Text line ${i + 1}`), el("input", {id, type: "text", class: "grow", spellcheck: false}))),
              el("button", {type: "button", id: "logo-install", onclick: install}, "Install Logo"));
}

export function opened({opened}) {
  pictureName = null;
  $("logo-new").hidden = true;
  $("logo-chosen").textContent = "";
  $("logo-install").disabled = true;
  lineIds().forEach((id, i) => {
    $(id).value = opened.logoLines[i] ?? "";
    // The lines go in with a picture; without one there is nothing to carry them.
    $(id).disabled = true;
  });
}

export function show({info}) {
  const logo = info.logo;
  $("logo-where").textContent = logo ? `${logo.width}x${logo.height}, ${logo.size} bytes` : "No logo in this BIOS.";
  $("logo-remove").disabled = !logo;
  const canvas = $("logo-picture");
  canvas.hidden = !logo;
  if (logo) {
    const picture = app.core.logoPicture();
    if (!picture.error) paint(canvas, picture.picture);
  }
}
