#include "analysis/boot_screen/boot_screen.h"

#include <algorithm>
#include <array>

#include "analysis/boot_screen/sign_on_calls.h"
#include "analysis/boot_screen/text_screen.h"
#include "analysis/fonts/fixup_table.h"
#include "analysis/fonts/font_edits.h"
#include "formats/bmp_picture.h"
#include "formats/text_format.h"
#include "formats/text_page.h"

namespace quarzel {

namespace {

// Mode 3: 80 x 25 cells of 9 x 16 dots. Mode 12h: 640 x 480, whose text
// calls write 80 x 30 cells of 8 x 16.
constexpr int kColumns = static_cast<int>(kTextColumns), kGraphicsRows = 30;
constexpr int kGlyphHeight = static_cast<int>(fontHeight(Font8x16)), kTextCellWidth = 9, kGraphicsCellWidth = 8;
constexpr int kGraphicsWidth = kColumns * kGraphicsCellWidth, kGraphicsHeight = kGraphicsRows * kGlyphHeight;
// With line graphics on, as mode 3 sets it, the ninth dot of C0h-DFh
// repeats the eighth so that box lines join; every other code leaves it
// in the background.
constexpr std::uint8_t kLineGraphicsFirst = 0xC0, kLineGraphicsLast = 0xDF;
constexpr std::uint8_t kBlink = 0x80, kXorColour = 0x80;

using Glyphs = std::array<std::uint8_t, fontTableBytes(Font8x16)>;

std::uint32_t rgb(std::uint8_t colour) {
  const Rgb& c = kVgaColours[colour & 0x0F];
  return std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue;
}

// Why the card's 8x16 font cannot be drawn from the image, where it cannot.
std::optional<std::string> missingFont(const Image& image, const BiosLayout& layout) {
  const Location& font = layout.fonts[Font8x16];
  if (!font || !fontTableFits(*font, Font8x16, image.end()))
    return "no 8x16 font was found: the characters are drawn blank";
  if (!fontTableFits(*font, Font8x16, romEnd(image)))
    return formatText("the 8x16 font at %04X runs past the ROM's end (%04X): the characters are drawn blank",
                      unsigned{*font}, static_cast<unsigned>(romEnd(image)));
  return std::nullopt;
}

// The ROM's 8x16 font as the card holds it: in mode 3 with the 9-dot
// alternates of its fix-up table over it, in mode 12h without them. A
// font that cannot be drawn from leaves every glyph blank, and the screen
// says so where it prints anything.
Glyphs romGlyphs(const Image& image, const BiosLayout& layout, bool withFixups, BootScreen& screen) {
  Glyphs glyphs{};
  if (const auto missing = missingFont(image, layout)) {
    if (screen.kind == BootScreenKind::Text || screen.kind == BootScreenKind::Logo) screen.unread.push_back(*missing);
    return glyphs;
  }
  const auto font = fontFileBytes(image, layout, Font8x16);
  std::copy(font->begin(), font->end(), glyphs.begin());
  if (!withFixups) return glyphs;
  for (const std::size_t entry : fixupEntries(image, layout.fixups[Font8x16].location, Font8x16).entries)
    if (Image::fits(entry, fixupEntryBytes(Font8x16)))
      std::copy_n(image.bytes.begin() + static_cast<std::ptrdiff_t>(entry + 1), kGlyphHeight,
                  glyphs.begin() + image.bytes[entry] * kGlyphHeight);
  return glyphs;
}

void play(TextScreen& screen, const SignOn& signOn) {
  for (const SignOnPrint& print : signOn.prints) {
    if (print.teletype) {
      screen.teletype(print.text.front());
      continue;
    }
    if (print.position) screen.setCursor(*print.position);
    screen.writeString(print.text, print.attribute);
  }
}

// The screen as a mode set leaves it: every pixel in colour 0.
void clearPicture(BootScreen& screen, BootScreenKind kind, int width, int height) {
  screen.kind = kind;
  screen.width = width;
  screen.height = height;
  screen.pixels.assign(static_cast<std::size_t>(width * height), 0);
}

void drawText(const TextScreen& text, const Glyphs& glyphs, BootScreen& screen) {
  for (int row = 0; row < text.rows(); ++row)
    for (int column = 0; column < text.columns(); ++column) {
      const Cell& cell = text.at(row, column);
      // Blink is on in mode 3: bit 7 blinks the character, and the
      // background takes three bits. The picture shows its visible phase.
      const std::uint32_t foreground = rgb(cell.attribute), background = rgb((cell.attribute & ~kBlink) >> 4);
      const bool lineGraphics = cell.code >= kLineGraphicsFirst && cell.code <= kLineGraphicsLast;
      for (int y = 0; y < kGlyphHeight; ++y) {
        const std::uint8_t bits = glyphs[static_cast<std::size_t>(cell.code * kGlyphHeight + y)];
        std::uint32_t* out = &screen.pixels[static_cast<std::size_t>(
            (row * kGlyphHeight + y) * screen.width + column * kTextCellWidth)];
        for (int x = 0; x < 8; ++x) out[x] = bits & (0x80 >> x) ? foreground : background;
        out[8] = lineGraphics && (bits & 1) ? foreground : background;
      }
    }
}

// The logo block's routine: mode 12h, the picture pixel by pixel through
// function 0Ch (each pixel one column right of its place in the picture,
// as the routine counts the column up before it draws), then its five
// lines through function 13h. The pixels hold colour numbers until the
// end, as the card's planes do.
void drawLogo(const Image& image, const BiosLayout& layout, const LogoBlockView& block, BootScreen& screen) {
  clearPicture(screen, BootScreenKind::Logo, kGraphicsWidth, kGraphicsHeight);
  std::vector<std::uint32_t>& colours = screen.pixels;
  const auto setPixel = [&](int x, int y, std::uint8_t colour) {
    if (x < kGraphicsWidth && y < kGraphicsHeight) colours[static_cast<std::size_t>(y * kGraphicsWidth + x)] = colour;
  };
  std::size_t from = block.picture;
  for (int y = 0; y < block.height; ++y)
    for (int x = 0; x < block.width; x += 2, ++from) {
      const std::uint8_t pair = image.byteAt(from).value_or(0);
      setPixel(x + 1, y, pair >> 4);
      setPixel(x + 2, y, pair & 0x0F);
    }
  TextScreen text(kColumns, kGraphicsRows);
  for (std::size_t k = 0; k < kLogoLines; ++k) {
    text.setCursor(block.linePositions[k]);
    text.writeString({block.lines[k].begin(), block.lines[k].end()}, block.lineColours[k]);
  }
  // In graphics modes a character fills its cell: the glyph in the colour,
  // the rest in colour 0, or both XORed in where bit 7 is set.
  const Glyphs glyphs = romGlyphs(image, layout, false, screen);
  for (int row = 0; row < text.rows(); ++row)
    for (int column = 0; column < text.columns(); ++column) {
      const Cell& cell = text.at(row, column);
      if (!cell.written) continue;
      for (int y = 0; y < kGlyphHeight; ++y) {
        const std::uint8_t bits = glyphs[static_cast<std::size_t>(cell.code * kGlyphHeight + y)];
        for (int x = 0; x < kGraphicsCellWidth; ++x) {
          std::uint32_t& out = colours[static_cast<std::size_t>((row * kGlyphHeight + y) * kGraphicsWidth +
                                                               column * kGraphicsCellWidth + x)];
          const std::uint32_t dot = bits & (0x80 >> x) ? cell.attribute & 0x0Fu : 0u;
          out = cell.attribute & kXorColour ? out ^ dot : dot;
        }
      }
    }
  for (std::uint32_t& pixel : colours) pixel = rgb(static_cast<std::uint8_t>(pixel));
}

}  // namespace

bool isMemoryChoice(std::uint32_t megabytes) {
  return std::find(std::begin(kMemoryChoices), std::end(kMemoryChoices), megabytes) != std::end(kMemoryChoices);
}

BootScreen drawBootScreen(const Image& image, const BiosLayout& layout, const BootScreenOptions& options) {
  BootScreen screen;
  drawBootScreen(image, layout, options, screen);
  return screen;
}

void drawBootScreen(const Image& image, const BiosLayout& layout, const BootScreenOptions& options,
                    BootScreen& screen) {
  screen.memory.reset();
  screen.unread.clear();
  if (layout.logo) return drawLogo(image, layout, layout.logo->block, screen);
  SignOn signOn = readSignOn(image, layout, options.memoryMegabytes);
  TextScreen text(kColumns, static_cast<int>(kTextRows));
  play(text, signOn);
  // A sign-on whose first step could not be read has printed nothing, yet
  // is not silent: the screen is partly read.
  const BootScreenKind kind = !signOn.found                                   ? BootScreenKind::Unrecognised
                              : signOn.prints.empty() && signOn.unread.empty() ? BootScreenKind::Silent
                                                                               : BootScreenKind::Text;
  clearPicture(screen, kind, kColumns * kTextCellWidth, static_cast<int>(kTextRows) * kGlyphHeight);
  screen.unread = std::move(signOn.unread);
  drawText(text, romGlyphs(image, layout, true, screen), screen);
  screen.memory = signOn.memory;
}

BootScreenVerdict verdict(const BootScreen& screen) {
  if (screen.kind == BootScreenKind::Unrecognised) return BootScreenVerdict::Unrecognised;
  return screen.unread.empty() ? BootScreenVerdict::Whole : BootScreenVerdict::Partial;
}

std::vector<std::string> screenNotes(const BootScreen& screen) {
  std::vector<std::string> notes;
  if (screen.kind == BootScreenKind::Silent)
    notes.push_back("the BIOS prints no sign-on; the screen stays blank until the PC BIOS writes");
  else if (screen.kind == BootScreenKind::Unrecognised)
    notes.push_back("no sign-on code quarzel knows was found; the picture is the blank screen");
  notes.insert(notes.end(), screen.unread.begin(), screen.unread.end());
  return notes;
}

std::string describeMemory(const MemorySize& size, std::uint32_t chosenMegabytes) {
  const std::string shown = std::to_string(size.blocks * kKilobytesPerBlock) + "K";
  if (size.fromImage) return "the BIOS reports " + shown + " whatever the card holds";
  if (size.blocks != chosenMegabytes * kBlocksPerMegabyte) return "the BIOS knows no size above " + shown;
  return "the BIOS reads the card's " + shown;
}

}  // namespace quarzel
