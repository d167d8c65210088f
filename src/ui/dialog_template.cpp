#include "ui/dialog_template.h"

#include <algorithm>

#include "ui/wide_text.h"

namespace quarzel::app {

namespace {

constexpr const wchar_t* kFontName = L"MS Sans Serif";
constexpr WORD kFontPoints = 8;

// The predefined window classes of a template, by their ordinals.
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

class Writer {
 public:
  void word(WORD value) {
    bytes_.push_back(static_cast<std::uint8_t>(value));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  void dword(DWORD value) {
    word(static_cast<WORD>(value));
    word(static_cast<WORD>(value >> 16));
  }
  void coordinate(int value) { word(static_cast<WORD>(static_cast<short>(value))); }
  void text(const std::string& utf8) {
    for (const wchar_t c : wideText(utf8)) word(static_cast<WORD>(c));
    word(0);
  }
  void ordinal(WORD value) {
    word(0xFFFF);
    word(value);
  }
  // Every item starts on a DWORD boundary.
  void align() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

WORD classOf(DialogControl::Kind kind) {
  switch (kind) {
    case DialogControl::Edit: return kEditClass;
    case DialogControl::Button: return kButtonClass;
    default: return kStaticClass;
  }
}

DWORD styleOf(const DialogControl& control) {
  const DWORD common = WS_CHILD | WS_VISIBLE | control.style;
  switch (control.kind) {
    // Tab moves between the edits the user can change.
    case DialogControl::Edit:
      return common | WS_BORDER | ES_AUTOHSCROLL | ((control.style & ES_READONLY) ? 0 : WS_TABSTOP);
    case DialogControl::Button: return common | WS_TABSTOP;
    case DialogControl::Bitmap: return common | SS_BITMAP;
    default: return common | SS_LEFT;
  }
}

void writeControl(Writer& out, const DialogControl& control) {
  out.align();
  out.dword(0);  // help id
  out.dword(0);  // extended style
  out.dword(styleOf(control));
  out.coordinate(control.x);
  out.coordinate(control.y);
  out.coordinate(control.width);
  out.coordinate(control.height);
  out.dword(static_cast<DWORD>(control.id));
  out.ordinal(classOf(control.kind));
  if (control.kind == DialogControl::Bitmap)
    out.ordinal(static_cast<WORD>(control.bitmapId));
  else
    out.text(control.text);
  out.word(0);  // no creation data
}

}  // namespace

DialogTemplateBuilder::DialogTemplateBuilder(std::string title, int width, int height, bool systemMenu)
    : title_(std::move(title)), width_(width), height_(height), systemMenu_(systemMenu) {}

void DialogTemplateBuilder::add(const DialogControl& control) { controls_.push_back(control); }

std::vector<std::uint8_t> DialogTemplateBuilder::build() const {
  Writer out;
  out.word(1);       // version
  out.word(0xFFFF);  // extended template
  out.dword(0);      // help id
  out.dword(0);      // extended style
  out.dword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | (systemMenu_ ? WS_SYSMENU : 0));
  out.word(static_cast<WORD>(controls_.size()));
  out.coordinate(0);
  out.coordinate(0);
  out.coordinate(width_);
  out.coordinate(height_);
  out.word(0);  // no menu
  out.word(0);  // the dialog class
  out.text(title_);
  out.word(kFontPoints);
  out.word(FW_NORMAL);
  out.word(DEFAULT_CHARSET << 8);  // italic 0, then the character set
  for (const wchar_t* c = kFontName; *c; ++c) out.word(static_cast<WORD>(*c));
  out.word(0);
  for (const DialogControl& control : controls_) writeControl(out, control);
  return out.take();
}

DialogTextMetrics::DialogTextMetrics() : dc_(CreateCompatibleDC(nullptr)) {
  // The font a dialog makes of its template's face and point size.
  font_ = CreateFontW(-MulDiv(kFontPoints, GetDeviceCaps(dc_, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                      FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH, kFontName);
  previous_ = SelectObject(dc_, font_);
  // The horizontal base unit as the dialog manager takes it: the average
  // width of the 52 letters, rounded.
  SIZE letters;
  if (GetTextExtentPoint32W(dc_, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters))
    baseX_ = std::max(1, static_cast<int>((letters.cx / 26 + 1) / 2));
}

DialogTextMetrics::~DialogTextMetrics() {
  SelectObject(dc_, previous_);
  DeleteObject(font_);
  DeleteDC(dc_);
}

int DialogTextMetrics::lines(const std::string& text, int width) const {
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc_, &metrics)) metrics.tmHeight = 13;
  const std::wstring wide = wideText(text);
  RECT area{0, 0, MulDiv(width, baseX_, 4), 0};
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &area, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  const LONG height = std::max<LONG>(metrics.tmHeight, 1);
  return std::max(1, static_cast<int>((area.bottom + height - 1) / height));
}

}  // namespace quarzel::app
