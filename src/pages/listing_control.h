// The Dump page's RichEdit 1.0 control and the scroll bar beside it, which
// show the listing a window of lines at a time, as a hex editor does.
//
// The control holds only the lines that fit in it, streamed with their
// colours as RTF through EM_STREAMIN. Wine's RichEdit lays out and shapes
// every line it holds and walks its lines from the start for each edit, so
// a control holding all 4096 lines took a quarter of a second for a load
// and a tenth for a font's changed lines; a window of lines costs a few
// milliseconds whatever the change. The scroll bar, the wheel and the keys
// move the window over the whole listing. The caret and the selection live
// in a ListingView over the whole listing: the keys, the mouse and Ctrl+A
// select any range of it, the control shows the part in view, and Ctrl+C
// copies the whole range.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "formats/dump_highlights.h"
#include "formats/listing_view.h"

namespace quarzel::app {

// Prepares the page's listing control: fixed font, its keys and mouse.
void prepareListing(HWND page);

// Shows `text` with the marked ranges of `list` in their colours and
// everything else black. Where `top` is given, that line becomes the
// topmost visible line (as far as the listing goes) and the caret goes to
// its start; else the view and the selection stay.
void showListing(HWND page, const std::string& text, const std::vector<Highlight>& list,
                 std::optional<std::size_t> top);

// The listing line shown at the top, and moving the view to another.
std::size_t listingTopLine();
void scrollListingTo(HWND page, std::size_t top);

// The selection in the whole listing.
TextRange listingSelection();

// The page's WM_VSCROLL from the scroll bar.
void scrollListing(HWND page, WPARAM request);

// Lays the control and its bar over `place` (page coordinates) and shows as
// many lines as now fit.
void placeListing(HWND page, const RECT& place);

// The control's character position of listing position `position`, while
// its line is in view.
std::optional<LONG> shownPosition(std::size_t position);

// Forgets what the control shows (a new page).
void forgetListing();

}  // namespace quarzel::app
