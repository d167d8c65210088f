#include "pages/listing_control.h"

#include <richedit.h>

#include <algorithm>
#include <string_view>

#include "formats/dump_listing.h"
#include "formats/dump_rtf.h"
#include "resources/resource.h"
#include "ui/app_state.h"

namespace quarzel::app {

namespace {

// Changed bytes red, the range shown blue.
constexpr DumpPalette kPalette{0xFF0000, 0x0000FF};

// Lines a notch of the wheel scrolls: Windows' own default.
constexpr int kWheelLines = 3;

struct ListingView {
  std::string text;  // the whole listing
  std::vector<std::uint8_t> colours;
  std::size_t top = 0;   // the listing line at the top of the control
  std::size_t rows = 1;  // whole lines that fit in the control
  int firstLineY = 0, lineHeight = 0;
  // What the control holds: lines from shownTop, their text and colours.
  std::size_t shownTop = 0;
  std::string shownText;
  std::vector<std::uint8_t> shownColours;
  SCROLLINFO bar{};  // what the scroll bar was last set to
  int wheelRest = 0;  // wheel turns not yet a whole line
  WNDPROC richEditProc = nullptr;
};
ListingView view;

std::size_t lineCount() { return view.text.size() / kDumpLineLength; }
std::size_t lastTop() { return lineCount() > view.rows ? lineCount() - view.rows : 0; }
std::size_t shownRows() { return view.shownText.size() / kDumpLineLength; }

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
  const int last = static_cast<int>(std::max<std::size_t>(lineCount(), 1) - 1);
  SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, 0, last, static_cast<UINT>(view.rows),
                  static_cast<int>(view.top), 0};
  if (info.nMax == view.bar.nMax && info.nPage == view.bar.nPage && info.nPos == view.bar.nPos) return;
  HWND bar = GetDlgItem(page, IDC_DUMP_SCROLL);
  SetScrollInfo(bar, SB_CTL, &info, FALSE);
  InvalidateRect(bar, nullptr, FALSE);
  view.bar = info;
}

// Streams the lines in view, unless the control holds them already as they
// are. A selection stays on its bytes while they are in view.
void render(HWND page) {
  view.top = std::min(view.top, lastTop());
  updateBar(page);
  const std::size_t first = view.top * kDumpLineLength;
  const std::size_t size = std::min(view.rows, lineCount() - view.top) * kDumpLineLength;
  const auto colours = view.colours.begin() + static_cast<std::ptrdiff_t>(first);
  if (view.shownTop == view.top && view.shownText.size() == size &&
      view.text.compare(first, size, view.shownText) == 0 &&
      std::equal(view.shownColours.begin(), view.shownColours.end(), colours))
    return;
  HWND control = GetDlgItem(page, IDC_DUMP_LISTING);
  CHARRANGE selection{};
  SendMessageA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageA(control, WM_SETREDRAW, FALSE, 0);
  streamIn(control, dumpRtf(view.text, view.colours, view.top, view.top + size / kDumpLineLength, kPalette));
  const auto moved = (static_cast<LONG>(view.shownTop) - static_cast<LONG>(view.top)) * static_cast<LONG>(kDumpLineLength);
  const auto end = static_cast<LONG>(size > 0 ? size - 2 : 0);  // the last line's CR LF is the control's own
  selection = {std::clamp(selection.cpMin + moved, 0L, end), std::clamp(selection.cpMax + moved, 0L, end)};
  SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageA(control, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(control, nullptr, FALSE);
  view.shownTop = view.top;
  view.shownText.assign(view.text, first, size);
  view.shownColours.assign(colours, colours + static_cast<std::ptrdiff_t>(size));
}

void scrollBy(HWND page, std::ptrdiff_t lines) {
  const auto top = static_cast<std::ptrdiff_t>(view.top) + lines;
  scrollListingTo(page, static_cast<std::size_t>(std::max<std::ptrdiff_t>(top, 0)));
}

void placeCaret(HWND control, LONG position) {
  CHARRANGE caret{position, position};
  SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
}

// Moves the view by `lines` and puts the caret back on the row and column
// of the control where it was, as the page keys do in a text.
void scrollKeepingCaret(HWND control, std::ptrdiff_t lines) {
  CHARRANGE selection{};
  SendMessageA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  scrollBy(GetParent(control), lines);
  placeCaret(control, std::min(selection.cpMin, static_cast<LONG>(GetWindowTextLengthA(control))));
}

// The keys that leave the lines in view move the view instead; the others
// are the control's. Up and Down move the view only from a caret with no
// selection, whose row is then known; with one, the control has them.
bool moveViewByKey(HWND control, WPARAM key) {
  CHARRANGE selection{};
  SendMessageA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const bool caret = selection.cpMin == selection.cpMax;
  const auto row = static_cast<std::size_t>(selection.cpMin) / kDumpLineLength;
  const auto rows = static_cast<std::ptrdiff_t>(view.rows);
  const bool ctrlHeld = GetKeyState(VK_CONTROL) < 0;
  switch (key) {
    case VK_PRIOR: scrollKeepingCaret(control, -rows); return true;
    case VK_NEXT: scrollKeepingCaret(control, rows); return true;
    case VK_UP:
      if (!caret || row > 0 || view.top == 0) return false;
      scrollKeepingCaret(control, -1);
      return true;
    case VK_DOWN:
      if (!caret || row + 1 < shownRows() || view.top == lastTop()) return false;
      scrollKeepingCaret(control, 1);
      return true;
    case VK_HOME:
      if (!ctrlHeld) return false;
      scrollListingTo(GetParent(control), 0);
      placeCaret(control, 0);
      return true;
    case VK_END:
      if (!ctrlHeld) return false;
      scrollListingTo(GetParent(control), lastTop());
      placeCaret(control, GetWindowTextLengthA(control));
      return true;
    default:
      return false;
  }
}

// A notch of the wheel is WHEEL_DELTA; finer wheels send parts of one,
// which add up to lines.
void scrollByWheel(HWND control, int delta) {
  constexpr int kPerLine = WHEEL_DELTA / kWheelLines;
  view.wheelRest += delta;
  const int lines = view.wheelRest / kPerLine;
  view.wheelRest -= lines * kPerLine;
  if (lines != 0) scrollBy(GetParent(control), -lines);
}

// As many whole lines as the control's height takes.
void countRows(HWND control) {
  RECT inside;
  GetClientRect(control, &inside);
  view.rows = static_cast<std::size_t>(std::max((static_cast<int>(inside.bottom) - view.firstLineY) / view.lineHeight, 1));
}

LRESULT CALLBACK listingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEWHEEL:
      scrollByWheel(control, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_KEYDOWN:
      if (moveViewByKey(control, wParam)) return 0;
      break;
    default:
      break;
  }
  return CallWindowProcA(view.richEditProc, control, message, wParam, lParam);
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
  // The height of a line of the font, as the control lays it out, tells how
  // many lines fit.
  SetWindowTextA(control, "\r\n");
  POINTL first{}, second{};
  SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
  SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), 2);
  view.firstLineY = static_cast<int>(first.y);
  view.lineHeight = std::max(static_cast<int>(second.y - first.y), 1);
  countRows(control);
  view.richEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&listingProc)));
}

void showListing(HWND page, const std::string& text, const std::vector<Highlight>& list,
                 std::optional<std::size_t> top) {
  view.colours = characterColours(list, text.size());
  view.text = text;
  if (top) view.top = *top;
  render(page);
}

std::size_t listingTopLine() { return view.top; }

void scrollListingTo(HWND page, std::size_t top) {
  view.top = top;
  render(page);
}

void scrollListing(HWND page, WPARAM request) {
  const auto rows = static_cast<std::ptrdiff_t>(view.rows);
  switch (LOWORD(request)) {
    case SB_LINEUP: scrollBy(page, -1); break;
    case SB_LINEDOWN: scrollBy(page, 1); break;
    case SB_PAGEUP: scrollBy(page, -rows); break;
    case SB_PAGEDOWN: scrollBy(page, rows); break;
    case SB_TOP: scrollListingTo(page, 0); break;
    case SB_BOTTOM: scrollListingTo(page, lastTop()); break;
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
  if (line < view.shownTop || line >= view.shownTop + shownRows()) return std::nullopt;
  return static_cast<LONG>(position - view.shownTop * kDumpLineLength);
}

void forgetListing() { view = {}; }

}  // namespace quarzel::app
