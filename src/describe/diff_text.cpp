// The readable report of `quarzel-cli diff`: a block per page, in which
// each item that differs is shown in the page's terms and the equal ones
// are named on one line.
#include "describe/diff_text.h"

#include <algorithm>
#include <functional>

#include "analysis/registers/registers.h"
#include "analysis/modes/video_modes.h"
#include "describe/diff_items.h"
#include "describe/readable_text.h"
#include "formats/text_escapes.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

// Runs of the rest closer than this are shown as one region.
constexpr std::size_t kRestGap = 256;

// "at 7708", or nothing for an item not located.
std::string where(Location location) { return location ? formatText("at %04X", *location) : std::string(); }
std::string at(Location location) { return location ? " " + where(location) : std::string(); }

std::string quoted(const std::string& text) { return "\"" + escapeText(text, "\"") + "\""; }

// "A ...; B ...", or the side that has the item.
std::string sides(const ItemPlaces& item, const std::string& a, const std::string& b) {
  switch (item.verdict) {
    case Verdict::OnlyA: return "A " + a + "; not found in B";
    case Verdict::OnlyB: return "not found in A; B " + b;
    default: return "A " + a + "; B " + b;
  }
}

// Character codes as "41h 42h 80h-9Fh".
std::string codeList(const std::vector<std::uint8_t>& codes) {
  std::string out;
  for (std::size_t i = 0; i < codes.size();) {
    std::size_t last = i;
    while (last + 1 < codes.size() && codes[last + 1] == codes[last] + 1) ++last;
    out += (out.empty() ? "" : " ") + formatText("%02Xh", codes[i]);
    if (last >= i + 2) {
      out += formatText("-%02Xh", codes[last]);
    } else {
      last = i;
    }
    i = last + 1;
  }
  return out;
}

// A page's block: a line for each item that differs, then the equal ones.
class Block {
 public:
  explicit Block(std::string title) : title_(std::move(title)) {}
  void add(const std::string& lines) { lines_ += lines; }
  void same(const std::string& name) { same_ += (same_.empty() ? "" : ", ") + name; }
  // Adds the item's lines, or its name to the equal ones; nothing for an
  // item neither image has.
  void item(Verdict verdict, const std::string& name, const std::function<std::string()>& lines) {
    if (verdict == Verdict::Same) same(name);
    if (verdict != Verdict::Same && verdict != Verdict::Neither) add(lines());
  }
  std::string text() const {
    if (lines_.empty()) return "\n" + title_ + (same_.empty() ? ": not found in either\n" : ": the same\n");
    return "\n" + title_ + "\n" + lines_ + (same_.empty() ? "" : "  same: " + same_ + "\n");
  }

 private:
  std::string title_, lines_, same_;
};

std::string bootStringLines(const std::string& name, const TextDiff& d) {
  const auto side = [](const std::string& text, Location where, std::optional<std::uint16_t> count) {
    std::string out = formatText("%zu bytes", text.size()) + at(where);
    if (count && *count != text.size()) out += formatText(", count word %u", unsigned{*count});
    return out;
  };
  std::string out = "  " + name + ": " + sides(d, side(d.textA, d.a, d.countA), side(d.textB, d.b, d.countB)) + "\n";
  if (d.a && (d.textA != d.textB || !d.b)) out += readable(d.textA, "    A | ");
  if (d.b && (d.textA != d.textB || !d.a)) out += readable(d.textB, "    B | ");
  return out;
}

std::string textLine(const std::string& name, const TextDiff& d) {
  return "  " + name + ": " + sides(d, quoted(d.textA) + at(d.a), quoted(d.textB) + at(d.b)) + "\n";
}

std::string strings(const BiosDiff& diff) {
  Block block("Boot-up Strings");
  for (const auto& [item, d] :
       {std::pair{DiffItem::String1, &diff.string1}, std::pair{DiffItem::String2, &diff.string2}})
    block.item(d->verdict, itemName({item}), [&, d = d, item = item] { return bootStringLines(itemName({item}), *d); });
  block.item(diff.date.verdict, itemName({DiffItem::Date}),
             [&] { return textLine(itemName({DiffItem::Date}), diff.date); });
  return block.text();
}

// A field's text with the runs of blanks that indent its broken lines
// made single.
std::string singleBlanks(const std::string& text) {
  std::string out;
  for (const char c : text)
    if (c != ' ' || out.empty() || out.back() != ' ') out += c;
  return out;
}

std::string pllLine(const char* side, std::uint32_t value) {
  const PllDividers d = pllDividers(value);
  return formatText("    %s: K %u, M %u, N %u, test %u: %s\n", side, d.k, d.m, d.n, d.test,
                    frequencyText(pllFrequency(value)).c_str());
}

std::string registerLines(std::size_t index, const RegisterDiff& d) {
  std::string out = formatText("  %s: ", kRegisterNames[index]) +
                    sides(d, registerHexText(d.valueA) + at(d.a), registerHexText(d.valueB) + at(d.b)) + "\n";
  if (!d.fields.empty()) out += "    bits       A     B\n";
  for (const FieldChange& change : d.fields)
    out += formatText("    %-6s  %4u  %4u  %s\n", bitRangeText(change.row).c_str(), change.a, change.b,
                      singleBlanks(singleLineText(change.row)).c_str());
  if (index == PLLCtrl1 && d.verdict == Verdict::Differs) out += pllLine("A", d.valueA) + pllLine("B", d.valueB);
  return out;
}

std::string registers(const BiosDiff& diff) {
  Block block("Registers");
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    block.item(diff.registers[i].verdict, kRegisterNames[i], [&] { return registerLines(i, diff.registers[i]); });
  return block.text();
}

std::string fontLines(const std::string& name, const FontDiff& d) {
  if (d.verdict != Verdict::Differs) return "  " + name + ": " + sides(d, where(d.a), where(d.b)) + "\n";
  return formatText("  %s (A%s, B%s): %zu glyph%s differ: ", name.c_str(), at(d.a).c_str(), at(d.b).c_str(),
                    d.glyphs.size(), d.glyphs.size() == 1 ? "" : "s") +
         codeList(d.glyphs) + "\n";
}

std::string fixupLines(const std::string& name, const FixupDiff& d) {
  const auto side = [](Location where, std::size_t size) {
    return where ? formatText("at %04X, %zu bytes", *where, size) : std::string();
  };
  std::string out = "  " + name + ": " + sides(d, side(d.a, d.sizeA), side(d.b, d.sizeB)) + "\n";
  if (d.verdict != Verdict::Differs) return out;
  const FixupChanges& c = d.changes;
  if (!c.onlyA.empty()) out += "    entries in A only: " + codeList(c.onlyA) + "\n";
  if (!c.onlyB.empty()) out += "    entries in B only: " + codeList(c.onlyB) + "\n";
  if (!c.glyphs.empty()) out += "    glyphs differ: " + codeList(c.glyphs) + "\n";
  if (c.onlyA.empty() && c.onlyB.empty() && c.glyphs.empty()) out += "    the same entries in another order\n";
  return out;
}

std::string fonts(const BiosDiff& diff) {
  Block block("Fonts");
  for (const FontSize size : kFontSizes) {
    const std::string name = itemName({DiffItem::Font, static_cast<std::size_t>(size)});
    block.item(diff.fonts[size].verdict, name, [&] { return fontLines(name, diff.fonts[size]); });
  }
  for (const FontSize size : kFontSizes) {
    const std::string name = itemName({DiffItem::Fixup, static_cast<std::size_t>(size)});
    block.item(diff.fixups[size].verdict, name, [&] { return fixupLines(name, diff.fixups[size]); });
  }
  return block.text();
}

std::string logoSide(const std::optional<LogoBlockView>& block) {
  return block ? formatText("%dx%d at %04zX", block->width, block->height, block->base) : std::string();
}

// Told only where either image has a logo.
std::string logo(const BiosDiff& diff) {
  const LogoDiff& d = diff.logo;
  if (d.verdict == Verdict::Neither) return {};
  Block block("Logo Image");
  block.item(d.verdict, "the logo", [&] {
    std::string out = "  Logo: " + sides(d, logoSide(d.blockA), logoSide(d.blockB)) + "\n";
    if (d.pictureDiffers) out += "    the pictures differ\n";
    for (const std::size_t k : d.lines)
      out += formatText("    Line %zu: A %s; B %s\n", k + 1, quoted(d.blockA->lines[k]).c_str(),
                        quoted(d.blockB->lines[k]).c_str());
    return out;
  });
  return block.text();
}

std::string pcir(const BiosDiff& diff) {
  const PcirDiff& d = diff.pcir;
  Block block(d.a && d.b ? "PCIR (A" + at(d.a) + ", B" + at(d.b) + ")" : "PCIR");
  block.item(d.verdict, "every field", [&] {
    if (d.verdict != Verdict::Differs) return "  " + sides(d, where(d.a), where(d.b)) + "\n";
    std::string out;
    for (const std::size_t row : d.rows) {
      const PcirFieldRow& field = kPcirFieldRows[row];
      out += formatText("  %s: A %s; B %s\n", field.label, pcirRowText(d.fieldsA, field).c_str(),
                        pcirRowText(d.fieldsB, field).c_str());
    }
    return out;
  });
  return block.text();
}

std::string vesa(const BiosDiff& diff) {
  Block block("VESA Strings");
  for (std::size_t i = 0; i < kVesaStringCount; ++i) {
    const std::string name = itemName({DiffItem::Vesa, i});
    block.item(diff.vesa[i].verdict, name, [&] { return textLine(name, diff.vesa[i]); });
  }
  return block.text();
}

// A list of values, indented, broken after a comma before it gets wider
// than 100 columns.
std::string wrapped(const std::string& list) {
  constexpr std::size_t kWidth = 100, kIndent = 4, kContinued = 6;
  std::string out(kIndent, ' ');
  std::size_t column = kIndent;
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t comma = list.find(", ", start);
    const std::size_t end = comma == std::string::npos ? list.size() : comma + 1;
    const std::string piece = list.substr(start, end - start);
    if (start > 0 && column + 1 + piece.size() > kWidth) {
      out += "\n" + std::string(kContinued, ' ');
      column = kContinued;
    } else if (start > 0) {
      out += ' ';
      ++column;
    }
    out += piece;
    column += piece.size();
    start = end + 1;
  }
  return out + "\n";
}

// Changed values as "Rows-1 59/24, Char height 8/14": the single values on
// one line, then a line for each group of registers ("CRTC 0 5F/5B, 2
// 50/53").
std::string valueLines(const std::vector<ModeValueChange>& changes) {
  const auto pair = [](const ModeValueChange& c) {
    return (c.a.empty() ? "-" : c.a) + "/" + (c.b.empty() ? "-" : c.b);
  };
  std::vector<std::string> lines(1);
  for (const ModeValueChange& c : changes) {
    if (!c.index) {
      lines.front() += (lines.front().empty() ? "" : ", ") + c.group + " " + pair(c);
    } else if (lines.size() > 1 && lines.back().starts_with(c.group + " ")) {
      lines.back() += formatText(", %zu ", *c.index) + pair(c);
    } else {
      lines.push_back(c.group + formatText(" %zu ", *c.index) + pair(c));
    }
  }
  std::string out;
  for (const std::string& line : lines)
    if (!line.empty()) out += wrapped(line);
  return out;
}

std::string modes(const BiosDiff& diff) {
  Block block("Video Modes (values as A/B)");
  for (const auto& [item, table] : {std::pair{DiffItem::VideoParameterTable, &diff.videoParameterTable},
                                    std::pair{DiffItem::ExtendedModeTable, &diff.extendedModeTable}}) {
    // A table in its place in both is told by its rows.
    const std::string name = itemName({item});
    if (tableVerdict(diff, item) == Verdict::Same) block.same(name);
    if (table->verdict != Verdict::Same && table->verdict != Verdict::Neither)
      block.add("  " + name + ": " + sides(*table, where(table->a), where(table->b)) + ": its values are not compared\n");
  }
  // The rows are compared only in the tables both images have.
  if (diff.videoParameterTable.verdict != Verdict::Same && diff.extendedModeTable.verdict != Verdict::Same)
    return block.text();
  if (diff.extendedModeTable.verdict == Verdict::Same && diff.extendedRecordBytesA != diff.extendedRecordBytesB)
    block.add(formatText("  Extended records: A %zu bytes, B %zu bytes\n", diff.extendedRecordBytesA,
                         diff.extendedRecordBytesB));
  for (auto row = diff.modes.begin(); row != diff.modes.end(); ++row) {
    std::string lines = "  " + row->heading() + "\n";
    // Modes that share a parameter entry show its values once.
    const auto sharing = std::find_if(diff.modes.begin(), row, [&](const ModeRowDiff& earlier) {
      return !earlier.entry.empty() && earlier.entryA && earlier.entryA == row->entryA &&
             earlier.entryB == row->entryB;
    });
    if (sharing != row)
      lines += "    parameter entry as for " + sharing->heading() + "\n";
    else
      lines += valueLines(row->entry);
    block.add(lines + valueLines(row->record) + valueLines(row->result));
  }
  if (diff.modes.size() < kVideoModeCount)
    block.same(
        formatText("%s%zu rows", diff.modes.empty() ? "all " : "the other ", kVideoModeCount - diff.modes.size()));
  return block.text();
}

std::string checksumSide(const ChecksumByte& c) {
  return c.offset ? formatText("%02Xh at %04zX (%s)", c.value, *c.offset, c.ok ? "ok" : "wrong") : std::string();
}

std::string rest(const BiosDiff& diff) {
  std::size_t bytes = 0;
  for (const ByteRange& run : diff.rest) bytes += run.length;
  std::string out =
      diff.rest.empty()
          ? std::string("\nThe rest: no other byte differs\n")
          : formatText(
                "\nThe rest: %zu byte%s in %zu run%s differ that no item above accounts for (runs less than %zu "
                "bytes apart shown together)\n",
                bytes, bytes == 1 ? "" : "s", diff.rest.size(), diff.rest.size() == 1 ? "" : "s", kRestGap);
  for (const RestRegion& region : restRegions(diff, kRestGap)) {
    out += formatText("  %04zX-%04zX  %5zu byte%s", region.offset, region.offset + region.length - 1, region.length,
                      region.length == 1 ? "" : "s");
    out += region.differing < region.length ? formatText(", %zu differ\n", region.differing) : std::string("\n");
  }
  if (diff.sizeA != diff.sizeB)
    out += formatText("  from %04zX on only %s has bytes, and each counts\n", std::min(diff.sizeA, diff.sizeB),
                      diff.sizeA > diff.sizeB ? "A" : "B");
  const ChecksumDiff& c = diff.checksum;
  if (c.verdict != Verdict::Same && c.verdict != Verdict::Neither) {
    const ItemPlaces places{std::nullopt, std::nullopt, c.verdict};
    out += "  " + itemName({DiffItem::Checksum}) + ": " + sides(places, checksumSide(c.a), checksumSide(c.b)) + "\n";
  }
  return out;
}

std::string header(const DiffNames& names, const BiosDiff& diff) {
  std::string out;
  if (diff.sizeA != diff.sizeB)
    out += formatText("Image size differs: A %zu bytes, B %zu bytes\n", diff.sizeA, diff.sizeB);
  if (diff.romLengthA != diff.romLengthB)
    out += formatText("ROM length differs: A %zu bytes (byte 2 = %02zXh), B %zu bytes (byte 2 = %02zXh)\n",
                      diff.romLengthA, diff.romLengthA / kRomLengthUnit, diff.romLengthB,
                      diff.romLengthB / kRomLengthUnit);
  const auto line = [](const char* side, const std::string& name, std::size_t size, std::size_t rom, bool ok) {
    return formatText("%s: %s, %zu bytes, ROM length %zu bytes, checksum %s\n", side, name.c_str(), size, rom,
                      ok ? "ok" : "wrong");
  };
  return out + line("A", names.a, diff.sizeA, diff.romLengthA, diff.checksum.a.ok) +
         line("B", names.b, diff.sizeB, diff.romLengthB, diff.checksum.b.ok);
}

}  // namespace

std::string diffText(const DiffNames& names, const BiosDiff& diff) {
  std::string out = header(names, diff);
  if (diff.identical) return out + "\nA and B are the same, byte for byte.\n";
  out += strings(diff) + logo(diff) + registers(diff) + fonts(diff) + pcir(diff) + vesa(diff) + modes(diff) + rest(diff);
  if (differences(diff).empty())
    out += "\nEvery item holds the same in both, and so do the bytes around them: the items lie at other offsets.\n";
  return out;
}

}  // namespace quarzel
