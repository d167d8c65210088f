#include "pages/listing_control.h"

#include <richedit.h>

#include <string_view>

#include "formats/dump_listing.h"
#include "formats/dump_rtf.h"
#include "resources/resource.h"
#include "ui/app_state.h"

namespace quarzel::app {

namespace {

// Beyond this the piecewise update costs more than a fresh control (under
// Wine a line streamed into the middle costs about six times a line of a
// fresh control). Each run of changed lines is one stream: a stream's own
// cost is that of a few hundred lines.
constexpr std::size_t kMostChangedLines = 512;

// Changed bytes red, the range shown blue.
constexpr DumpPalette kPalette{0xFF0000, 0x0000FF};

// What the control shows now, so that a rebuild streams only the lines
// whose text or colours changed.
struct ListingShown {
  std::string text;
  std::vector<std::uint8_t> colours;
};
ListingShown shown;

DWORD CALLBACK readStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto& rest = *reinterpret_cast<std::string_view*>(cookie);
  const std::size_t count = std::min(rest.size(), static_cast<std::size_t>(wanted));
  rest.copy(reinterpret_cast<char*>(buffer), count);
  rest.remove_prefix(count);
  *given = static_cast<LONG>(count);
  return 0;
}

// Streams `rtf` over the selection (SFF_SELECTION) or the whole text.
void streamIn(HWND listing, const std::string& rtf, WPARAM scope) {
  std::string_view rest = rtf;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rest), 0, readStream};
  SendMessageA(listing, EM_STREAMIN, SF_RTF | scope, reinterpret_cast<LPARAM>(&stream));
}

HWND freshListing(HWND page, const std::string& text, const std::vector<std::uint8_t>& colours) {
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
  const FixedView top(listing);  // a new control shows its first line
  streamIn(listing, dumpRtf(text, colours, 0, text.size() / kDumpLineLength, kPalette, true), 0);
  // Wine's RichEdit drops the last line end of a stream that replaces the
  // whole text: put it back, so the listing ends as the text does.
  const auto length = static_cast<std::size_t>(GetWindowTextLengthA(listing));
  if (length + 2 == text.size()) {
    CHARRANGE end{static_cast<LONG>(length), static_cast<LONG>(length)};
    SendMessageA(listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    SendMessageA(listing, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("\r\n"));
  }
  CHARRANGE none{0, 0};
  SendMessageA(listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
  return listing;
}

// Lines [first, last) of the listing differ: stream the new ones over them,
// leaving the last one's line end in place.
void replaceLines(HWND listing, const std::string& text, const std::vector<std::uint8_t>& colours, std::size_t first,
                  std::size_t last) {
  CHARRANGE range{static_cast<LONG>(first * kDumpLineLength), static_cast<LONG>(last * kDumpLineLength - 2)};
  SendMessageA(listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  streamIn(listing, dumpRtf(text, colours, first, last, kPalette, false), SFF_SELECTION);
}

bool sameLine(const ListingShown& before, const std::string& text, const std::vector<std::uint8_t>& colours,
              std::size_t line) {
  const std::size_t start = line * kDumpLineLength;
  return before.text.compare(start, kDumpLineLength, text, start, kDumpLineLength) == 0 &&
         std::equal(colours.begin() + static_cast<std::ptrdiff_t>(start),
                    colours.begin() + static_cast<std::ptrdiff_t>(start + kDumpLineLength),
                    before.colours.begin() + static_cast<std::ptrdiff_t>(start));
}

std::vector<std::pair<std::size_t, std::size_t>> changedLineRuns(const std::string& text,
                                                                 const std::vector<std::uint8_t>& colours) {
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  const std::size_t lines = text.size() / kDumpLineLength;
  for (std::size_t line = 0; line < lines; ++line) {
    if (sameLine(shown, text, colours, line)) continue;
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
  // The control scrolls by the height of its own font's line, which Wine's
  // RichEdit measures only when text in that font is laid out; the streamed
  // text has formats of its own. A line end of plain text lays it out.
  SetWindowTextA(listing, "\r\n");
}

HWND showListing(HWND page, const std::string& text, const std::vector<Highlight>& list) {
  HWND listing = GetDlgItem(page, IDC_DUMP_LISTING);
  std::vector<std::uint8_t> colours = characterColours(list, text.size());
  if (shown.text.size() != text.size()) {
    listing = freshListing(page, text, colours);
  } else {
    const auto runs = changedLineRuns(text, colours);
    std::size_t changedLines = 0;
    for (const auto& [first, last] : runs) changedLines += last - first;
    if (changedLines > kMostChangedLines) {
      listing = freshListing(page, text, colours);
    } else if (!runs.empty()) {
      const FixedView fixed(listing);
      for (const auto& [first, last] : runs) replaceLines(listing, text, colours, first, last);
      CHARRANGE none{0, 0};
      SendMessageA(listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
    }
  }
  shown.text = text;
  shown.colours = std::move(colours);
  return listing;
}

void forgetListing() { shown = {}; }

}  // namespace quarzel::app
