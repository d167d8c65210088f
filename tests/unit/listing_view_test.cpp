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

// Shift with the page keys selects backwards from the listing's end, the
// view following the caret; the control shows the part in view.
TEST(ListingView, ABackwardSelectionFromTheEndAndItsPartInView) {
  ListingView view = viewOf(2048, 20);
  view.moveCaret(CaretMove::Last, false);
  view.moveCaret(CaretMove::Up, true);
  view.moveCaret(CaretMove::PageUp, true);
  EXPECT_EQ(view.anchor(), 2048 * L - 2);
  EXPECT_EQ(view.caret(), 2026 * L + 72);
  EXPECT_EQ(view.top(), 2008u);
  EXPECT_EQ(view.selectionInView(), (TextRange{18 * L + 72, 20 * L - 2}));
  view.scrollTo(5000);
  EXPECT_EQ(view.top(), 2028u);
  EXPECT_EQ(view.selectionInView(), (TextRange{0, 20 * L - 2}));
  view.moveCaret(CaretMove::Right, false);  // a plain arrow ends it at its end
  EXPECT_EQ(view.selection(), (TextRange{2048 * L - 2, 2048 * L - 2}));
}

// In a 512-byte image, shorter than the view, the caret stops at both ends
// and steps over the CR LF, and nothing scrolls; a shorter listing pulls the
// view and the caret inside it.
TEST(ListingView, TheCaretStopsAtBothEndsAndSkipsTheLineBreaks) {
  ListingView view = viewOf(32, 70);
  view.moveCaret(CaretMove::Left, true);
  view.moveCaret(CaretMove::Up, true);
  EXPECT_EQ(view.caret(), 0u);
  view.moveCaret(CaretMove::LineEnd, false);
  view.moveCaret(CaretMove::Right, false);
  EXPECT_EQ(view.caret(), L);
  view.moveCaret(CaretMove::Left, true);
  EXPECT_EQ(view.selection(), (TextRange{72, L}));
  const std::size_t end = 32 * L - 2;
  for (const CaretMove move : {CaretMove::PageDown, CaretMove::Last, CaretMove::Right, CaretMove::Down})
    view.moveCaret(move, true);
  EXPECT_EQ(view.selection(), (TextRange{L, end}));
  EXPECT_EQ(view.top(), 0u);
  EXPECT_EQ(view.selectionInView(), (TextRange{L, end}));
  view.placeCaret(5 * L + 73, false);  // a click on a line's CR LF
  EXPECT_EQ(view.caret(), 5 * L + 72);

  ListingView tall = viewOf(4096, 20);
  tall.moveCaret(CaretMove::Last, false);
  tall.resize(32, 20);
  EXPECT_EQ(tall.top(), 12u);
  EXPECT_EQ(tall.caret(), end);
}

}  // namespace
}  // namespace quarzel
