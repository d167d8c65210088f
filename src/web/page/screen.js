// The boot screen: the image as it stands drawn as the card shows it at
// power-on, redrawn on every change, with what the drawing could not read.
import {$, app} from "./app.js";

function draw() {
  const said = app.core.preview(Number($("memory").value));
  if (said.error) {
    $("screen-notes").textContent = said.error;
    return;
  }
  const canvas = $("screen");
  if (canvas.width !== said.width || canvas.height !== said.height) {
    canvas.width = said.width;
    canvas.height = said.height;
  }
  canvas.getContext("2d").putImageData(said.picture, 0, 0);
  $("screen-notes").textContent = [...said.notes, said.memory].filter(Boolean).join("\n");
  canvas.dataset.draws = Number(canvas.dataset.draws ?? 0) + 1;
}

export function mount() {
  for (const size of app.constants.memoryChoices)
    $("memory").add(new Option(`${size} MB`, size, false, size === app.constants.defaultMemory));
  $("memory").addEventListener("change", draw);
  app.events.addEventListener("opened", draw);
  app.events.addEventListener("changed", draw);
}
