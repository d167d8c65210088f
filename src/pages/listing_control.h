// The Dump page's RichEdit 1.0 control, kept in step with the listing.
//
// The control takes the text with its colours as RTF through EM_STREAMIN:
// colouring range after range through the selection cost a call each, a
// second for a font's 4096 changed bytes. A rebuild streams only the lines
// whose text or colours changed, each run of them over its old place. When
// many did, it streams the whole listing into a fresh control: replacing the
// whole text grows slower with every replacement in the RichEdit that Wine
// provides, while a new control's cost stays the same every time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "formats/dump_highlights.h"

namespace quarzel::app {

// Prepares a new listing control: fixed font, room for the whole listing.
void prepareListing(HWND listing);

// The listing scrolls to its caret, so that Ctrl+End and the arrow keys take
// the view along; the selections made only to replace lines must not. A
// FixedView holds the drawing and puts the view back where it was when it
// ends.
class FixedView {
 public:
  explicit FixedView(HWND listing);
  ~FixedView();
  FixedView(const FixedView&) = delete;
  FixedView& operator=(const FixedView&) = delete;

 private:
  HWND listing_;
  POINT view_{};
};

// Makes the control show `text` with the marked ranges of `list` in their
// colours and everything else black; returns the control, which may be new.
HWND showListing(HWND page, const std::string& text, const std::vector<Highlight>& list);

// Forgets what the control shows (a new page).
void forgetListing();

}  // namespace quarzel::app
