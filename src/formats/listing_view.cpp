#include "formats/listing_view.h"

#include <algorithm>

#include "formats/dump_listing.h"

namespace quarzel {

namespace {

constexpr std::size_t kLineBreak = 2;  // CR LF
constexpr std::size_t kLineText = kDumpLineLength - kLineBreak;

}  // namespace

void ListingView::resize(std::size_t lines, std::size_t rows) {
  lines_ = lines;
  rows_ = std::max<std::size_t>(rows, 1);
  top_ = std::min(top_, lastTop());
  select(anchor_, caret_);
}

std::size_t ListingView::shownRows() const { return std::min(rows_, lines_ - top_); }

std::size_t ListingView::end() const { return lines_ > 0 ? lines_ * kDumpLineLength - kLineBreak : 0; }

TextRange ListingView::selection() const { return {std::min(anchor_, caret_), std::max(anchor_, caret_)}; }

TextRange ListingView::selectionInView() const {
  const std::size_t first = top_ * kDumpLineLength;
  const std::size_t last = shownRows() > 0 ? first + shownRows() * kDumpLineLength - kLineBreak : first;
  const auto inView = [&](std::size_t position) { return std::clamp(position, first, last) - first; };
  const TextRange range = selection();
  return {inView(range.start), inView(range.end)};
}

void ListingView::scrollTo(std::size_t top) { top_ = std::min(top, lastTop()); }

void ListingView::scrollBy(std::ptrdiff_t lines) {
  const auto top = static_cast<std::ptrdiff_t>(top_) + lines;
  scrollTo(static_cast<std::size_t>(std::max<std::ptrdiff_t>(top, 0)));
}

void ListingView::moveCaret(CaretMove move, bool extend) {
  const std::size_t to = caretMovedBy(move, extend);
  select(extend ? anchor_ : to, to);
  showCaret();
}

void ListingView::select(std::size_t anchor, std::size_t caret) {
  // Past the text of its line a position falls back to the line's end.
  const auto kept = [&](std::size_t position) {
    position = std::min(position, end());
    return std::min(position, position - position % kDumpLineLength + kLineText);
  };
  anchor_ = kept(anchor);
  caret_ = kept(caret);
}

// Where the key takes the caret. Without Shift, Left and Right end a
// selection at its own start and end, as in any text.
std::size_t ListingView::caretMovedBy(CaretMove move, bool extend) {
  const std::size_t line = caret_ / kDumpLineLength, column = caret_ % kDumpLineLength;
  const std::size_t lastLine = lines_ > 0 ? lines_ - 1 : 0;
  const auto onLine = [&](std::size_t to) { return to * kDumpLineLength + column; };
  const bool selected = anchor_ != caret_;
  switch (move) {
    case CaretMove::Left:
      if (selected && !extend) return selection().start;
      if (caret_ == 0) return 0;
      return column == 0 ? caret_ - kLineBreak : caret_ - 1;
    case CaretMove::Right:
      if (selected && !extend) return selection().end;
      if (caret_ == end()) return caret_;
      return column == kLineText ? caret_ + kLineBreak : caret_ + 1;
    case CaretMove::Up: return line > 0 ? onLine(line - 1) : caret_;
    case CaretMove::Down: return line < lastLine ? onLine(line + 1) : caret_;
    // A page moves the view and the caret alike: the caret keeps its row.
    case CaretMove::PageUp:
      scrollBy(-static_cast<std::ptrdiff_t>(rows_));
      return onLine(line - std::min(line, rows_));
    case CaretMove::PageDown:
      scrollBy(static_cast<std::ptrdiff_t>(rows_));
      return onLine(std::min(line + rows_, lastLine));
    case CaretMove::LineStart: return line * kDumpLineLength;
    case CaretMove::LineEnd: return line * kDumpLineLength + kLineText;
    case CaretMove::First: return 0;
    case CaretMove::Last: return end();
  }
  return caret_;
}

// The view scrolls as little as brings the caret's line into it.
void ListingView::showCaret() {
  const std::size_t line = caret_ / kDumpLineLength;
  if (line < top_) top_ = line;
  if (line >= top_ + rows_) top_ = line - rows_ + 1;
}

}  // namespace quarzel
