#include "pages/listing_control.h"

#include <richedit.h>

#include <algorithm>
#include <string_view>

#include "formats/dump_listing.h"
#include "formats/dump_rtf.h"
#include "resources/resource.h"
#include "ui/app_state.h"
#include "ui/clipboard.h"

namespace quarzel::app {

namespace {

// Changed bytes red, the range shown blue.
constexpr DumpPalette kPalette{0xFF0000, 0x0000FF};

// Lines a notch of the wheel scrolls: Windows' own default.
constexpr int kWheelLines = 3;

// A drag held past the top or bottom edge goes on scrolling at each tick.
constexpr UINT_PTR kDragTimer = 0x51;
constexpr UINT kDragTickMs = 50;

struct Listing {
  ListingView view;  // the top line, the lines in view, the caret and the selection
  std::string text;  // the whole listing
  std::vector<std::uint8_t> colours;
  int firstLineY = 0, lineHeight = 1, charWidth = 1;
  // What the control holds: lines from shownTop, their text and colours,
  // and the selection set in it (none known after the control set its own).
  std::size_t shownTop = 0;
  std::string shownText;
  std::vector<std::uint8_t> shownColours;
  std::optional<TextRange> shownSelection;
  SCROLLINFO bar{};  // what the scroll bar was last set to
  int wheelRest = 0;  // wheel turns not yet a whole line
  std::optional<POINT> drag;  // where the left button, held down, was last
  WNDPROC richEditProc = nullptr;
};
Listing listing;

std::size_t shownRows() { return listing.shownText.size() / kDumpLineLength; }

// The control's own handling, past the subclass: the selection the view
// sets is not one from outside.
LRESULT toControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!listing.richEditProc) return SendMessageA(control, message, wParam, lParam);
  return CallWindowProcA(listing.richEditProc, control, message, wParam, lParam);
}

DWORD CALLBACK readStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto& rest = *reinterpret_cast<std::string_view*>(cookie);
  const std::size_t count = std::min(rest.size(), static_cast<std::size_t>(wanted));
  rest.copy(reinterpret_cast<char*>(buffer), count);
  rest.remove_prefix(count);
  *given = static_cast<LONG>(count);
  return 0;
}

void streamIn(HWND control, const std::string& rtf) {
  std::string_view rest = rtf;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rest), 0, readStream};
  SendMessageA(control, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

// Setting the bar with its redraw paints it at once, which under Wine costs
// more than streaming the lines: it is painted with the listing, when the
// page next paints, and set only when it would show something else.
void updateBar(HWND page) {
  const ListingView& view = listing.view;
  const int last = static_cast<int>(std::max<std::size_t>(view.lines(), 1) - 1);
  SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, 0, last, static_cast<UINT>(view.rows()),
                  static_cast<int>(view.top()), 0};
  if (info.nMax == listing.bar.nMax && info.nPage == listing.bar.nPage && info.nPos == listing.bar.nPos) return;
  HWND bar = GetDlgItem(page, IDC_DUMP_SCROLL);
  SetScrollInfo(bar, SB_CTL, &info, FALSE);
  InvalidateRect(bar, nullptr, FALSE);
  listing.bar = info;
}

// The control selects the selection's part in view.
void showSelection(HWND control) {
  const TextRange inView = listing.view.selectionInView();
  if (listing.shownSelection == inView) return;
  CHARRANGE range{static_cast<LONG>(inView.start), static_cast<LONG>(inView.end)};
  toControl(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  listing.shownSelection = inView;
}

// Streams the lines in view, unless the control holds them already as they
// are, and selects what the view selects of them.
void render(HWND page) {
  const ListingView& view = listing.view;
  updateBar(page);
  HWND control = GetDlgItem(page, IDC_DUMP_LISTING);
  const std::size_t first = view.top() * kDumpLineLength;
  const std::size_t size = view.shownRows() * kDumpLineLength;
  const auto colours = listing.colours.begin() + static_cast<std::ptrdiff_t>(first);
  if (listing.shownTop != view.top() || listing.shownText.size() != size ||
      listing.text.compare(first, size, listing.shownText) != 0 ||
      !std::equal(listing.shownColours.begin(), listing.shownColours.end(), colours)) {
    SendMessageA(control, WM_SETREDRAW, FALSE, 0);
    streamIn(control, dumpRtf(listing.text, listing.colours, view.top(), view.top() + view.shownRows(), kPalette));
    listing.shownSelection.reset();  // the stream moved the control's caret
    SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, FALSE);
    listing.shownTop = view.top();
    listing.shownText.assign(listing.text, first, size);
    listing.shownColours.assign(colours, colours + static_cast<std::ptrdiff_t>(size));
  }
  showSelection(control);
}

void scrollBy(HWND page, std::ptrdiff_t lines) {
  listing.view.scrollBy(lines);
  render(page);
}

void copySelection(HWND control) {
  const TextRange range = listing.view.selection();
  if (range.start == range.end) return;
  copyToClipboard(control, std::string_view(listing.text).substr(range.start, range.end - range.start));
}

std::optional<CaretMove> caretMoveOf(WPARAM key, bool ctrlHeld) {
  switch (key) {
    case VK_LEFT: return CaretMove::Left;
    case VK_RIGHT: return CaretMove::Right;
    case VK_UP: return CaretMove::Up;
    case VK_DOWN: return CaretMove::Down;
    case VK_PRIOR: return CaretMove::PageUp;
    case VK_NEXT: return CaretMove::PageDown;
    case VK_HOME: return ctrlHeld ? CaretMove::First : CaretMove::LineStart;
    case VK_END: return ctrlHeld ? CaretMove::Last : CaretMove::LineEnd;
    default: return std::nullopt;
  }
}

// The caret keys, Ctrl+A and Ctrl+C (Ctrl+Insert) act on the whole listing;
// the control keeps the other keys.
bool answerKey(HWND control, WPARAM key) {
  const bool ctrlHeld = GetKeyState(VK_CONTROL) < 0;
  if (const auto move = caretMoveOf(key, ctrlHeld))
    listing.view.moveCaret(*move, GetKeyState(VK_SHIFT) < 0);
  else if (ctrlHeld && key == 'A')
    listing.view.select(0, listing.view.end());
  else if (ctrlHeld && (key == 'C' || key == VK_INSERT))
    copySelection(control);
  else
    return false;
  render(GetParent(control));
  return true;
}

// A selection set from outside, as the dialog selects all when Tab brings
// the focus or a test picks a character: its positions count from the line
// on top, (0, -1) is the whole listing and a start of -1 keeps the caret.
void selectFromOutside(HWND control, LONG start, LONG end) {
  ListingView& view = listing.view;
  const std::size_t first = view.top() * kDumpLineLength;
  if (start == 0 && end == -1)
    view.select(0, view.end());
  else if (start < 0)
    view.select(view.caret(), view.caret());
  else
    view.select(first + static_cast<std::size_t>(start), end < 0 ? view.end() : first + static_cast<std::size_t>(end));
  showSelection(control);
}

// A notch of the wheel is WHEEL_DELTA; finer wheels send parts of one,
// which add up to lines.
void scrollByWheel(HWND control, int delta) {
  constexpr int kPerLine = WHEEL_DELTA / kWheelLines;
  listing.wheelRest += delta;
  const int lines = listing.wheelRest / kPerLine;
  listing.wheelRest -= lines * kPerLine;
  if (lines != 0) scrollBy(GetParent(control), -lines);
}

POINT pointOf(LPARAM at) { return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))}; }

// The listing position nearest to `point`: on the nearest line in view, at
// the nearest gap between the font's fixed-width characters.
std::size_t positionAt(HWND control, POINT point) {
  const int rows = static_cast<int>(std::max<std::size_t>(listing.view.shownRows(), 1));
  const auto row = static_cast<std::size_t>(
      std::clamp((static_cast<int>(point.y) - listing.firstLineY) / listing.lineHeight, 0, rows - 1));
  POINTL lineStart{};
  SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&lineStart), static_cast<LPARAM>(row * kDumpLineLength));
  const int column = static_cast<int>(point.x - lineStart.x + listing.charWidth / 2) / listing.charWidth;
  return (listing.view.top() + row) * kDumpLineLength +
         static_cast<std::size_t>(std::clamp(column, 0, static_cast<int>(kDumpLineLength) - 1));
}

// The control takes the focus and counts the click towards a double click;
// the view places the caret, or extends the selection with Shift.
void pressButton(HWND control, WPARAM keys, LPARAM at) {
  toControl(control, WM_LBUTTONDOWN, keys, at);
  listing.shownSelection.reset();
  listing.view.placeCaret(positionAt(control, pointOf(at)), (keys & MK_SHIFT) != 0);
  listing.drag = pointOf(at);
  SetCapture(control);
  showSelection(control);
}

// Dragged past the top or bottom edge, the view scrolls a line, and a line
// more for each line's height further out, until the button is let go.
void dragTo(HWND control, POINT point) {
  listing.drag = point;
  RECT inside;
  GetClientRect(control, &inside);
  std::ptrdiff_t lines = 0;
  if (point.y < inside.top) lines = -(1 + (inside.top - point.y) / listing.lineHeight);
  if (point.y >= inside.bottom) lines = 1 + (point.y - inside.bottom) / listing.lineHeight;
  if (lines != 0)
    SetTimer(control, kDragTimer, kDragTickMs, nullptr);
  else
    KillTimer(control, kDragTimer);
  listing.view.scrollBy(lines);
  listing.view.placeCaret(positionAt(control, point), true);
  render(GetParent(control));
}

void endDrag(HWND control) {
  listing.drag.reset();
  KillTimer(control, kDragTimer);
}

// A double click selects a word in the control, which the view takes over.
void takeControlSelection(HWND control) {
  CHARRANGE range{};
  SendMessageA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  const std::size_t first = listing.shownTop * kDumpLineLength;
  listing.view.select(first + static_cast<std::size_t>(range.cpMin), first + static_cast<std::size_t>(range.cpMax));
  listing.shownSelection.reset();
  showSelection(control);
}

// As many whole lines as the control's height takes.
void countRows(HWND control) {
  RECT inside;
  GetClientRect(control, &inside);
  const int rows = std::max((static_cast<int>(inside.bottom) - listing.firstLineY) / listing.lineHeight, 1);
  listing.view.resize(listing.view.lines(), static_cast<std::size_t>(rows));
}

LRESULT CALLBACK listingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEWHEEL:
      scrollByWheel(control, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_KEYDOWN:
      if (answerKey(control, wParam)) return 0;
      break;
    case WM_COPY:
      copySelection(control);
      return 0;
    case EM_SETSEL:
      selectFromOutside(control, static_cast<LONG>(wParam), static_cast<LONG>(lParam));
      return 0;
    case EM_EXSETSEL:
      if (const auto* range = reinterpret_cast<const CHARRANGE*>(lParam)) selectFromOutside(control, range->cpMin, range->cpMax);
      return 0;
    case WM_LBUTTONDOWN:
      pressButton(control, wParam, lParam);
      return 0;
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = toControl(control, message, wParam, lParam);
      takeControlSelection(control);
      return result;
    }
    case WM_MOUSEMOVE:  // the control's own drag would select the lines in view alone
      if (!(wParam & MK_LBUTTON)) break;
      if (listing.drag) dragTo(control, pointOf(lParam));
      return 0;
    case WM_TIMER:
      if (wParam != kDragTimer) break;
      if (listing.drag) dragTo(control, *listing.drag);
      return 0;
    case WM_LBUTTONUP:
      endDrag(control);
      ReleaseCapture();
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != control) endDrag(control);
      break;
    default:
      break;
  }
  return toControl(control, message, wParam, lParam);
}

}  // namespace

void prepareListing(HWND page) {
  HWND control = GetDlgItem(page, IDC_DUMP_LISTING);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(state().FixedFont), FALSE);
  SendMessageA(control, EM_SETUNDOLIMIT, 0, 0);  // nobody types into it
  // RichEdit 1.0 holds 32 KiB of text by default, some 440 lines: a taller
  // control still gets every line it has room for.
  SendMessageA(control, EM_EXLIMITTEXT, 0, static_cast<LPARAM>(kImageCapacity / 16 * kDumpLineLength));
  // One listing line is one line on the screen, whatever the width.
  SendMessageA(control, EM_SETTARGETDEVICE, 0, 1);
  // The height of a line and the width of a character of the font, as the
  // control lays them out, tell how many lines fit and where the mouse is.
  SetWindowTextA(control, "00\r\n");
  POINTL first{}, second{}, below{};
  SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
  SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), 1);
  SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&below), 4);
  listing.firstLineY = static_cast<int>(first.y);
  listing.lineHeight = std::max(static_cast<int>(below.y - first.y), 1);
  listing.charWidth = std::max(static_cast<int>(second.x - first.x), 1);
  countRows(control);
  listing.richEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&listingProc)));
}

void showListing(HWND page, const std::string& text, const std::vector<Highlight>& list,
                 std::optional<std::size_t> top) {
  listing.colours = characterColours(list, text.size());
  listing.text = text;
  ListingView& view = listing.view;
  view.resize(text.size() / kDumpLineLength, view.rows());
  if (top) {
    view.scrollTo(*top);
    view.placeCaret(*top * kDumpLineLength, false);
  }
  render(page);
}

std::size_t listingTopLine() { return listing.view.top(); }

void scrollListingTo(HWND page, std::size_t top) {
  listing.view.scrollTo(top);
  render(page);
}

TextRange listingSelection() { return listing.view.selection(); }

void scrollListing(HWND page, WPARAM request) {
  const auto rows = static_cast<std::ptrdiff_t>(listing.view.rows());
  switch (LOWORD(request)) {
    case SB_LINEUP: scrollBy(page, -1); break;
    case SB_LINEDOWN: scrollBy(page, 1); break;
    case SB_PAGEUP: scrollBy(page, -rows); break;
    case SB_PAGEDOWN: scrollBy(page, rows); break;
    case SB_TOP: scrollListingTo(page, 0); break;
    case SB_BOTTOM: scrollListingTo(page, listing.view.lastTop()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(GetDlgItem(page, IDC_DUMP_SCROLL), SB_CTL, &info);
      scrollListingTo(page, static_cast<std::size_t>(std::max(info.nTrackPos, 0)));
      break;
    }
    default: break;
  }
}

void placeListing(HWND page, const RECT& place) {
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  const int width = std::max(static_cast<int>(place.right - place.left) - bar, 0);
  const int height = static_cast<int>(place.bottom - place.top);
  HWND control = GetDlgItem(page, IDC_DUMP_LISTING);
  MoveWindow(control, place.left, place.top, width, height, TRUE);
  MoveWindow(GetDlgItem(page, IDC_DUMP_SCROLL), place.left + width, place.top, bar, height, TRUE);
  countRows(control);
  render(page);
}

std::optional<LONG> shownPosition(std::size_t position) {
  const std::size_t line = position / kDumpLineLength;
  if (line < listing.shownTop || line >= listing.shownTop + shownRows()) return std::nullopt;
  return static_cast<LONG>(position - listing.shownTop * kDumpLineLength);
}

void forgetListing() { listing = {}; }

}  // namespace quarzel::app
