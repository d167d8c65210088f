// Changes not saved: the image against the file it was last loaded from or
// saved to, and the question asked before they would be lost.
#pragma once

namespace quarzel::app {

// True when the bytes a save would write differ from those last loaded or
// saved. Every Apply counts, committed on the Dump page or not; an edit
// undone by hand does not. Text typed into a page but not applied is not in
// the image, and a save could not keep it either.
bool hasUnsavedChanges();

// Before the image is given up (Exit, closing the window, any load): when it
// has changes not saved, asks whether to save them first. Yes saves through
// Save BIOS As..., No drops them, Cancel keeps them. True when the caller
// may go on: nothing unsaved, No, or a save that wrote the file.
bool mayGiveUpImage();

}  // namespace quarzel::app
