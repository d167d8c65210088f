// The page's state, shared by its sections: the core, its constants, the
// ROM's name, and the edits made so far in edit's options. Every edit is
// the whole set run over the ROM as opened, as one `quarzel-cli edit`
// would, so what is saved equals the CLI's file for the same words.
//
// Sections listen to `app.events`:
//   "opened"  a new ROM is open (its edits cleared): every card is filled
//             at once;
//   "changed" the image as edited changed (an edit made or reverted).
export const app = {
  core: null,
  constants: null,
  fileName: null,
  edits: {},
  events: new EventTarget(),
};

export const $ = (id) => document.getElementById(id);

// The message bar: a refusal or failure in the core's words, or nothing.
export function showMessage(text) {
  $("message").textContent = text ?? "";
  $("message").hidden = !text;
}

// What the last edit said (a corrected checksum, a warning), or nothing.
function showNotes(notes) {
  const list = $("edit-notes");
  list.replaceChildren(...notes.map(({kind, text}) => {
    const item = document.createElement("li");
    item.className = kind;
    item.textContent = text;
    return item;
  }));
  list.hidden = notes.length === 0;
}

function announce(event) { app.events.dispatchEvent(new Event(event)); }

// Makes `edits` the set of edits. A refused set leaves the image and the
// edits as they were, and says why: {refusal, logoNeedsGrowth} is returned
// for callers that can ask the user (the logo's grow question); null when
// the edits were made.
export function setEdits(edits) {
  const made = app.core.edit(edits);
  if (made.error) {
    showMessage(made.error.refusal);
    return made.error;
  }
  app.edits = edits;
  showMessage(null);
  showNotes(made.notes);
  announce("changed");
  return null;
}

// One option's values (an array, or true for a flag); undefined or an
// empty array takes the option out.
export function setEdit(option, values) {
  const edits = {...app.edits};
  if (values === undefined || values === false || (Array.isArray(values) && values.length === 0)) delete edits[option];
  else edits[option] = values;
  return setEdits(edits);
}

export function revertAll() { return setEdits({}); }

// Opens a ROM: null, or the refusal, which changes nothing.
export function openRom(name, bytes) {
  const refusal = app.core.open(name, bytes);
  if (refusal) return refusal;
  app.fileName = name;
  app.edits = {};
  showNotes([]);
  announce("opened");
  return null;
}

// A file's bytes, or as many as show it is too large for `limit` without
// reading it whole.
export async function readFile(file, limit) {
  const blob = file.size > limit ? file.slice(0, limit + 1) : file;
  return new Uint8Array(await blob.arrayBuffer());
}

// `show` as a listener that runs once the frame in hand is painted: after
// an edit the boot screen is redrawn first, and a card shows the edits of
// one frame together.
export function afterFrame(show) {
  let waiting = false;
  return () => {
    if (waiting) return;
    waiting = true;
    requestAnimationFrame(() => setTimeout(() => {
      waiting = false;
      show();
    }));
  };
}
