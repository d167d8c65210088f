// The Dump page's RichEdit 1.0 control, kept in step with the listing.
//
// Replacing the whole 300 KB text of the control grows slower with every
// replacement in the RichEdit that Wine provides (0.5 s, then 1.3 s, 3.2 s,
// ...). So a rebuild replaces only the lines that changed, and when many
// did, it makes a fresh control, whose cost stays the same every time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "formats/dump_highlights.h"

namespace quarzel::app {

// Prepares a new listing control: fixed font, room for the whole listing.
void prepareListing(HWND listing);

// The listing scrolls to its caret, so that Ctrl+End and the arrow keys take
// the view along; the selections made only to colour text must not. A
// FixedView holds the drawing and puts the view back where it was when it
// ends. Messages go through SendMessage, so the colouring worker may hold
// one too.
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

// Makes the control show `text`, with every character black apart from
// what the next colouring will set; returns the control, which may be new.
HWND showListing(HWND page, const std::string& text);

// The ranges the colouring now running will set, so the next update can
// return exactly those to black.
void rememberColouredRanges(const std::vector<Highlight>& list);

// Forgets what the control shows (a new page).
void forgetListing();

}  // namespace quarzel::app
