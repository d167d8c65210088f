#include "app/unsaved_changes.h"

#include <algorithm>

#include "app/main_window.h"
#include "ui/app_state.h"
#include "ui/platform.h"

namespace quarzel::app {

bool hasUnsavedChanges() {
  const Image& image = state().BiosImage;
  const Image& saved = state().SavedImage;
  return image.size != saved.size ||
         !std::equal(image.bytes.begin(), image.bytes.begin() + image.end(), saved.bytes.begin());
}

bool mayGiveUpImage() {
  if (!hasUnsavedChanges()) return true;
  // Captioned with what it asks about, as the Logo page asks about the logo.
  switch (platform().messageBox(state().MainWindow, "The BIOS has changes that are not saved. Save them first?",
                                "BIOS", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return saveBiosAs();
    case IDNO: return true;
    default: return false;
  }
}

}  // namespace quarzel::app
