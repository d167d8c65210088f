#include <gtest/gtest.h>

#include "formats/dump_listing.h"
#include "formats/listing_view.h"

namespace quarzel {
namespace {

constexpr std::size_t L = kDumpLineLength;

ListingView viewOf(std::size_t lines, std::size_t rows) {
  ListingView view;
  view.resize(lines, rows);
  return view;
}

// A selection longer than the view: Shift+Page Down from the first line, the
// view scrolling with the caret, and back; what the control then shows of it.
TEST(ListingView, ShiftPagesSelectPastTheViewAndTheControlShowsItsPartInView) {
  ListingView view = viewOf(2048, 20);
  for (int page = 0; page < 3; ++page) view.moveCaret(CaretMove::PageDown, true);
  EXPECT_EQ(view.selection(), (TextRange{0, 60 * L}));
  EXPECT_EQ(view.top(), 60u);
  EXPECT_EQ(view.selectionInView(), (TextRange{0, 0}));  // the caret on the top row
  view.scrollTo(50);
  EXPECT_EQ(view.selectionInView(), (TextRange{0, 10 * L}));
  view.scrollTo(30);  // the selection runs past both edges
  EXPECT_EQ(view.selectionInView(), (TextRange{0, 20 * L - 2}));
  view.scrollTo(5000);
  EXPECT_EQ(view.top(), 2028u);
  EXPECT_EQ(view.selectionInView(), (TextRange{0, 0}));

  // Backwards from the end: the anchor stays below the caret, the view at
  // the caret.
  view.moveCaret(CaretMove::Last, false);
  view.moveCaret(CaretMove::Up, true);
  view.moveCaret(CaretMove::PageUp, true);
  EXPECT_EQ(view.anchor(), 2048 * L - 2);
  EXPECT_EQ(view.caret(), 2026 * L + 72);
  EXPECT_EQ(view.top(), 2008u);
  EXPECT_EQ(view.selectionInView(), (TextRange{18 * L + 72, 20 * L - 2}));
  // A plain arrow ends the selection at its own end; Ctrl+Home goes to the
  // first line.
  view.moveCaret(CaretMove::Right, false);
  EXPECT_EQ(view.selection(), (TextRange{2048 * L - 2, 2048 * L - 2}));
  view.moveCaret(CaretMove::First, true);
  EXPECT_EQ(view.selection(), (TextRange{0, 2048 * L - 2}));
  EXPECT_EQ(view.top(), 0u);
}

// The caret crosses line ends over their CR LF and stops at both ends of the
// listing; Up and Down past the edge of the view scroll it by a line.
TEST(ListingView, TheCaretStopsAtBothEndsAndSkipsTheLineBreaks) {
  ListingView view = viewOf(100, 10);
  view.moveCaret(CaretMove::Left, true);
  view.moveCaret(CaretMove::Up, true);
  EXPECT_EQ(view.selection(), (TextRange{0, 0}));
  view.moveCaret(CaretMove::LineEnd, false);
  view.moveCaret(CaretMove::Right, false);
  EXPECT_EQ(view.caret(), L);
  view.moveCaret(CaretMove::Left, true);
  EXPECT_EQ(view.selection(), (TextRange{72, L}));
  view.moveCaret(CaretMove::LineStart, false);
  for (int row = 0; row < 10; ++row) view.moveCaret(CaretMove::Down, true);
  EXPECT_EQ(view.top(), 1u);
  EXPECT_EQ(view.selection(), (TextRange{0, 10 * L}));

  view.moveCaret(CaretMove::Last, false);
  const std::size_t end = 100 * L - 2;
  for (const CaretMove move : {CaretMove::Right, CaretMove::Down, CaretMove::PageDown}) {
    view.moveCaret(move, true);
    EXPECT_EQ(view.caret(), end);
  }
  EXPECT_EQ(view.top(), 90u);
  // A click past a line's text, on its CR LF, stays at the line's end.
  view.placeCaret(5 * L + 73, false);
  view.placeCaret(7 * L + 3, true);
  EXPECT_EQ(view.selection(), (TextRange{5 * L + 72, 7 * L + 3}));
  view.placeCaret(end + 50, false);
  EXPECT_EQ(view.caret(), end);
}

// A 512-byte image in a taller view: nothing scrolls, and the control's part
// ends with the listing's text.
TEST(ListingView, AViewTallerThanTheListingShowsItWhole) {
  ListingView view = viewOf(32, 70);
  EXPECT_EQ(view.lastTop(), 0u);
  EXPECT_EQ(view.shownRows(), 32u);
  view.moveCaret(CaretMove::PageDown, true);
  EXPECT_EQ(view.caret(), 31 * L);
  view.moveCaret(CaretMove::Last, true);
  EXPECT_EQ(view.top(), 0u);
  EXPECT_EQ(view.selectionInView(), (TextRange{0, 32 * L - 2}));
  // A new, shorter listing pulls the view and the selection inside it.
  ListingView tall = viewOf(4096, 20);
  tall.moveCaret(CaretMove::Last, false);
  tall.resize(32, 20);
  EXPECT_EQ(tall.top(), 12u);
  EXPECT_EQ(tall.caret(), 32 * L - 2);
}

}  // namespace
}  // namespace quarzel
