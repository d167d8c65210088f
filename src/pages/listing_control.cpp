#include "pages/listing_control.h"

#include <richedit.h>

#include <algorithm>

#include "ui/app_state.h"
#include "formats/dump_listing.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

// Beyond these the piecewise update costs more than a fresh control.
constexpr std::size_t kMostChangedLines = 256;
constexpr std::size_t kMostRangesToClear = 1024;

// What the control shows now, so that a rebuild can replace only the lines
// that changed and return exactly the coloured ranges to black.
struct ListingShown {
  std::string text;
  std::vector<Highlight> coloured;
};
ListingShown shown;

void colour(HWND listing, std::int32_t start, std::int32_t end, COLORREF colour, WPARAM scope) {
  CHARRANGE range{start, end};
  if (scope == SCF_SELECTION) SendMessageA(listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = colour;
  SendMessageA(listing, EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&format));
}

HWND freshListing(HWND page, const std::string& text) {
  HWND old = GetDlgItem(page, IDC_DUMP_LISTING);
  RECT place;
  GetWindowRect(old, &place);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&place), 2);
  // Wine's RichEdit takes the scroll-bar styles off its window and draws
  // the bars itself, so they are not there to copy: the listing always has
  // its vertical one.
  const auto style = static_cast<DWORD>(GetWindowLongA(old, GWL_STYLE)) | WS_VSCROLL;
  const auto extended = static_cast<DWORD>(GetWindowLongA(old, GWL_EXSTYLE));
  DestroyWindow(old);
  HWND listing = CreateWindowExA(extended, "RICHEDIT", "", style, place.left, place.top, place.right - place.left,
                                 place.bottom - place.top, page, reinterpret_cast<HMENU>(IDC_DUMP_LISTING),
                                 state().instance, nullptr);
  prepareListing(listing);
  SetWindowTextA(listing, text.c_str());
  colour(listing, 0, -1, 0, SCF_ALL);
  return listing;
}

// Lines [first, last) of the listing differ: put the new ones in their place.
void replaceLines(HWND listing, const std::string& text, std::size_t first, std::size_t last) {
  const auto start = static_cast<LONG>(first * kDumpLineLength), end = static_cast<LONG>(last * kDumpLineLength);
  CHARRANGE range{start, end};
  SendMessageA(listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  const std::string lines = text.substr(first * kDumpLineLength, (last - first) * kDumpLineLength);
  SendMessageA(listing, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(lines.c_str()));
  colour(listing, start, end, 0, SCF_SELECTION);
}

std::vector<std::pair<std::size_t, std::size_t>> changedLineRuns(const std::string& before, const std::string& after) {
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  const std::size_t lines = after.size() / kDumpLineLength;
  for (std::size_t line = 0; line < lines; ++line) {
    if (before.compare(line * kDumpLineLength, kDumpLineLength, after, line * kDumpLineLength, kDumpLineLength) == 0)
      continue;
    if (!runs.empty() && runs.back().second == line)
      runs.back().second = line + 1;
    else
      runs.emplace_back(line, line + 1);
  }
  return runs;
}

}  // namespace

FixedView::FixedView(HWND listing) : listing_(listing) {
  SendMessageA(listing_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(listing_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&view_));
}

FixedView::~FixedView() {
  SendMessageA(listing_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&view_));
  SendMessageA(listing_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(listing_, nullptr, FALSE);
}

void prepareListing(HWND listing) {
  SendMessageA(listing, WM_SETFONT, reinterpret_cast<WPARAM>(state().FixedFont), FALSE);
  // The listing is far longer than a RichEdit 1.0 control's default 32 KiB,
  // and nobody types into it: no undo to keep.
  SendMessageA(listing, EM_EXLIMITTEXT, 0, 4 * 1024 * 1024);
  SendMessageA(listing, EM_SETUNDOLIMIT, 0, 0);
  // One listing line is one line on the screen, whatever the width: the
  // scrolling to an offset counts lines.
  SendMessageA(listing, EM_SETTARGETDEVICE, 0, 1);
}

HWND showListing(HWND page, const std::string& text) {
  HWND listing = GetDlgItem(page, IDC_DUMP_LISTING);
  if (shown.text.size() != text.size()) {
    listing = freshListing(page, text);
  } else {
    const auto runs = changedLineRuns(shown.text, text);
    std::size_t changedLines = 0;
    for (const auto& [first, last] : runs) changedLines += last - first;
    if (changedLines > kMostChangedLines) {
      listing = freshListing(page, text);
    } else {
      const FixedView fixed(listing);
      std::vector<bool> replaced(text.size() / kDumpLineLength);
      for (const auto& [first, last] : runs) {
        replaceLines(listing, text, first, last);
        std::fill(replaced.begin() + static_cast<std::ptrdiff_t>(first),
                  replaced.begin() + static_cast<std::ptrdiff_t>(last), true);
      }
      // Replaced lines are black already; the other coloured ranges go back.
      if (shown.coloured.size() > kMostRangesToClear) {
        colour(listing, 0, -1, 0, SCF_ALL);
      } else {
        for (const Highlight& h : shown.coloured)
          if (!replaced[static_cast<std::size_t>(h.start) / kDumpLineLength])
            colour(listing, h.start, h.end, 0, SCF_SELECTION);
      }
    }
  }
  shown.text = text;
  shown.coloured.clear();
  return listing;
}

void rememberColouredRanges(const std::vector<Highlight>& list) { shown.coloured = list; }

void forgetListing() { shown = {}; }

}  // namespace quarzel::app
