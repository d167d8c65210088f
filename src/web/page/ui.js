// Small helpers the sections build their markup with.

// An element with its properties (class, attributes, on* listeners) and
// children (strings, elements; null and false are left out).
export function el(tag, props = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(props)) {
    if (value === undefined || value === null || value === false) continue;
    if (key === "class") node.className = value;
    else if (key.startsWith("on")) node.addEventListener(key.slice(2), value);
    else if (key in node && !key.includes("-")) node[key] = value;
    else node.setAttribute(key, value === true ? "" : value);
  }
  node.append(...children.flat().filter((child) => child !== null && child !== undefined && child !== false));
  return node;
}

// A card of the page's grid, with its heading.
export function card(id, title, ...children) {
  return el("section", {id, "aria-labelledby": `${id}-title`}, el("h2", {id: `${id}-title`}, title), ...children);
}

// An offset as quarzel-cli prints it.
export const hex = (value, digits = 4) => value.toString(16).toUpperCase().padStart(digits, "0");

// A picture the module drew, on a canvas sized to it.
export function paint(canvas, picture) {
  if (canvas.width !== picture.width || canvas.height !== picture.height) {
    canvas.width = picture.width;
    canvas.height = picture.height;
  }
  canvas.getContext("2d").putImageData(picture, 0, 0);
}

// A field whose value the page keeps while the user is in it: an answer
// arriving as they type does not move their caret.
export function setUnlessFocused(input, value) {
  if (document.activeElement !== input && input.value !== value) input.value = value;
}

// Marks a control whose edit was refused.
export function markRefused(input, refused) {
  if (refused) input.setAttribute("aria-invalid", "true");
  else input.removeAttribute("aria-invalid");
}

// A file chooser: a button that opens the file input `id` (hidden, so the
// button is what the keyboard reaches); `chosen` gets the file.
export function fileButton(id, text, accept, chosen) {
  const input = el("input", {type: "file", id, accept, hidden: true, tabIndex: -1, "aria-label": text});
  input.addEventListener("change", () => {
    if (input.files[0]) chosen(input.files[0]);
    input.value = "";
  });
  const button = el("button", {type: "button", class: "secondary", onclick: () => input.click()}, text);
  return el("span", {class: "file-button"}, button, input);
}
