// What the Dump page's window on the hex listing shows and selects, held
// apart from the control: the control holds only the lines in view, while a
// selection may run over the whole listing. Positions are character
// positions in the whole listing (dumpListing's text, kDumpLineLength a
// line); a caret stands before a character of a line or at its end, never
// inside its CR LF.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quarzel {

// The keys that move the caret: arrows, Page Up and Down, Home and End, and
// Ctrl+Home and Ctrl+End for the listing's ends.
enum class CaretMove : std::uint8_t { Left, Right, Up, Down, PageUp, PageDown, LineStart, LineEnd, First, Last };

// Characters [start, end).
struct TextRange {
  std::size_t start = 0;
  std::size_t end = 0;
  friend bool operator==(const TextRange&, const TextRange&) = default;
};

class ListingView {
 public:
  // The listing now has `lines` lines and the view takes `rows` whole lines
  // (at least one); the view, the anchor and the caret stay inside it.
  void resize(std::size_t lines, std::size_t rows);

  std::size_t lines() const { return lines_; }
  std::size_t rows() const { return rows_; }
  std::size_t top() const { return top_; }
  // The lowest top line: the view ends with the listing's last line.
  std::size_t lastTop() const { return lines_ > rows_ ? lines_ - rows_ : 0; }
  // The lines in view, fewer than `rows` where the listing ends above.
  std::size_t shownRows() const;
  // The end of the last line's text.
  std::size_t end() const;

  std::size_t anchor() const { return anchor_; }
  std::size_t caret() const { return caret_; }
  TextRange selection() const;
  // The selection's part on the lines in view, counted from the first of
  // them, as a control holding those lines alone selects it.
  TextRange selectionInView() const;

  // As far as the listing goes; the selection stays where it is.
  void scrollTo(std::size_t top);
  void scrollBy(std::ptrdiff_t lines);
  // A key moves the caret, with Shift (`extend`) leaving the anchor where it
  // was; the view follows the caret.
  void moveCaret(CaretMove move, bool extend);
  // Selects from `anchor` to `caret`, each kept inside the listing's text.
  void select(std::size_t anchor, std::size_t caret);
  // A click: the caret to `position`, the anchor with it unless `extend`.
  void placeCaret(std::size_t position, bool extend) { select(extend ? anchor_ : position, position); }

 private:
  std::size_t caretMovedBy(CaretMove move, bool extend);
  void showCaret();

  std::size_t lines_ = 0;
  std::size_t rows_ = 1;
  std::size_t top_ = 0;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
};

}  // namespace quarzel
