// A ROM image followed by a script of edits: the load and the pass, then
// the edits the pages and `quarzel-cli edit` make, with values
// drawn from the script, each checked and followed by a new pass, then every
// read of the edited image and the diff of the two.
//
// Input: the image, the script, then the script's length as a 16-bit
// little-endian word (a length past the input takes all of it).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <optional>
#include <string>

#include "analysis/compare/bios_diff.h"
#include "analysis/compare/carry_over.h"
#include "analysis/fonts/font_edits.h"
#include "analysis/fonts/font_searches.h"
#include "analysis/logo/logo_edit.h"
#include "analysis/modes/refresh_edit.h"
#include "analysis/registers/pll_search.h"
#include "analysis/registers/register_edits.h"
#include "analysis/registers/register_fields.h"
#include "analysis/strings/string_edits.h"
#include "analysis/pci_vesa/vesa_edits.h"
#include "describe/diff_text.h"
#include "fuzz_support.h"

namespace quarzel::fuzz {
namespace {

constexpr std::size_t kMaxEdits = 24;
constexpr std::size_t kMaxText = 400;  // past every field, so that cutting is tried

FontSize fontSize(FuzzedDataProvider& script) {
  return kFontSizes[script.ConsumeIntegralInRange<std::size_t>(0, kFontSizeCount - 1)];
}

std::size_t registerIndex(FuzzedDataProvider& script) {
  return script.ConsumeIntegralInRange<std::size_t>(0, kRegisterCount - 1);
}

// A font file of a usable length, mostly, or of any length up to one past
// the largest.
std::vector<std::uint8_t> fontFile(FuzzedDataProvider& script) {
  const std::size_t length = script.ConsumeBool() ? fontTableBytes(fontSize(script))
                                                  : script.ConsumeIntegralInRange<std::size_t>(0, fontTableBytes(Font8x16) + 1);
  std::vector<std::uint8_t> bytes = script.ConsumeBytes<std::uint8_t>(length);
  bytes.resize(length, 0x5A);
  return bytes;
}

// The fields of a register's dialog given numbers; the OK's value must
// hold each number (cut to its field) at its bits.
void editFields(PassedImage& target, FuzzedDataProvider& script) {
  const std::size_t index = registerIndex(script);
  const RegisterFields* table = registerFieldsFor(index);
  if (table == nullptr) return;
  std::vector<RowNumber> changes(script.ConsumeIntegralInRange<std::size_t>(0, 4));
  for (RowNumber& change : changes)
    change = {script.ConsumeIntegralInRange<std::size_t>(0, table->fields.size() - 1), script.ConsumeIntegral<std::uint32_t>()};
  const std::uint32_t value = valueWithFields(*table, target.layout.registerTable[index].value, changes);
  std::vector<std::optional<std::uint32_t>> given(table->fields.size());  // a later change of a row wins
  for (const RowNumber& change : changes) given[change.row] = change.number;
  for (std::size_t row = 0; row < given.size(); ++row) {
    const BitField& field = table->fields[row];
    if (given[row] && !field.reserved && fieldValue(field, value) != (*given[row] & fieldMaximum(field)))
      broken("--field", "lost a field's number");
  }
  checkedEdit(target, "--field", [&](Image& image, BiosLayout& layout) { return applyRegisterValue(image, layout, index, value); });
}

void editLogo(PassedImage& target, FuzzedDataProvider& script) {
  LogoPicture picture;
  picture.width = 8 * script.ConsumeIntegralInRange<std::int32_t>(0, 16);
  picture.height = script.ConsumeIntegralInRange<std::int32_t>(0, 128);
  const auto rowBytes = static_cast<std::size_t>(picture.width * picture.height / 2);
  picture.rows = script.ConsumeBytes<std::uint8_t>(rowBytes);
  picture.rows.resize(rowBytes, 0x12);
  std::array<std::optional<std::string>, kLogoLines> given;
  for (auto& line : given)
    if (script.ConsumeBool()) line = script.ConsumeRandomLengthString(300);
  const LogoLines lines = logoLinesWith(target.layout, given);
  const bool grow = script.ConsumeBool();
  checkedEdit(target, "--logo",
              [&](Image& image, BiosLayout& layout) { return applyLogo(image, layout, picture, lines, grow); });
}

// A standard rate of one of the board's resolutions, or any resolution and rate.
void editRefresh(PassedImage& target, FuzzedDataProvider& script) {
  const auto resolutions = resolutionTimings(target.image, target.layout);
  RefreshSetting setting{{script.ConsumeIntegral<std::uint16_t>(), script.ConsumeIntegral<std::uint16_t>()},
                         script.ConsumeIntegralInRange<unsigned>(0, 200)};
  if (!resolutions.empty() && script.ConsumeBool()) {
    const auto& r = resolutions[script.ConsumeIntegralInRange<std::size_t>(0, resolutions.size() - 1)];
    setting = {r.resolution, r.choices[script.ConsumeIntegralInRange<std::size_t>(0, r.choices.size() - 1)].timing->refresh};
  }
  checkedEdit(target, "--refresh", [&](Image& image, BiosLayout& layout) {
    return applyRefresh(image, layout, setting.resolution, setting.refresh);
  });
}

void importCodePage(PassedImage& target, FuzzedDataProvider& script) {
  const auto& files = realCodePageFiles();
  if (files.empty()) return;
  const CodePageFile& file = files[script.ConsumeIntegralInRange<std::size_t>(0, files.size() - 1)];
  const auto& entries = file.entries;
  const std::uint16_t codePage = script.ConsumeBool()
                                     ? entries[script.ConsumeIntegralInRange<std::size_t>(0, entries.size() - 1)].codePage
                                     : script.ConsumeIntegral<std::uint16_t>();
  const FontSizeSet sizes{script.ConsumeBool(), script.ConsumeBool(), script.ConsumeBool()};
  keep(codePageImportRefusal(target.image, target.layout, file, codePage, sizes));
  checkedEdit(target, "--codepage", [&](Image& image, BiosLayout& layout) {
    return copyCodePageFonts(image, layout, file, codePage, sizes);
  });
}

// A new checksum covers the ROM and touches its last byte only.
void fixTheChecksum(PassedImage& target) {
  const Image before = target.image;
  const auto covered = fixChecksum(target.image);
  if (!covered) {
    if (target.image.bytes != before.bytes) broken("checksum", "refused but changed the image");
    return;
  }
  for (std::size_t pos = 0; pos < kImageCapacity; ++pos)
    if (pos != *covered - 1 && target.image.bytes[pos] != before.bytes[pos]) broken("checksum", "changed another byte");
  if (*covered <= target.image.size && !checksumOk(target.image)) broken("checksum", "does not add up to 0");
}

void runEdit(PassedImage& target, FuzzedDataProvider& script) {
  enum Edit { String1, String2, Date, RegisterText, RegisterValue, Fields, Clock, Vesa, Font, SearchedFont,
              CodePage, Fixups, Logo, RemoveLogo, Refresh, RestoreRegisters, Checksum, kEditCount };
  switch (script.ConsumeIntegralInRange<int>(0, kEditCount - 1)) {
    case String1:
    case String2: {
      const std::string text = script.ConsumeRandomLengthString(kMaxText);
      const bool first = script.ConsumeBool();
      return checkedEdit(target, "--string", [&](Image& image, BiosLayout& layout) {
        return applyBootString(image, first ? layout.bootString1 : layout.bootString2, text);
      });
    }
    case Date: {
      const std::string text = script.ConsumeRandomLengthString(16);
      return checkedEdit(target, "--date", [&](Image& image, BiosLayout& layout) { return applyBiosDate(image, layout.biosDate, text); });
    }
    case RegisterText: {
      const std::size_t index = registerIndex(script);
      const std::string text = script.ConsumeRandomLengthString(24);
      return checkedEdit(target, "--register", [&](Image& image, BiosLayout& layout) {
        return applyRegisterText(image, layout, index, text);
      });
    }
    case RegisterValue: {
      const std::size_t index = registerIndex(script);
      const auto value = script.ConsumeIntegral<std::uint32_t>();
      return checkedEdit(target, "register value", [&](Image& image, BiosLayout& layout) {
        return applyRegisterValue(image, layout, index, value);
      });
    }
    case Fields: return editFields(target, script);
    case Clock: {
      const double megahertz = script.ConsumeFloatingPointInRange(0.0, highestPllFrequency());
      const PllDividers kept = pllDividers(target.layout.registerTable[PLLCtrl1].value);
      const PllSetting chosen = nearestPllSetting(kept.k, kept.m, kept.test, megahertz);
      keep(pastNRange(chosen, megahertz));
      return checkedEdit(target, "--clock", [&](Image& image, BiosLayout& layout) {
        return applyRegisterValue(image, layout, PLLCtrl1, chosen.value);
      });
    }
    case Vesa: {
      const auto field = script.ConsumeIntegralInRange<std::size_t>(0, kVesaStringCount - 1);
      const std::string text = script.ConsumeRandomLengthString(kMaxText);
      return checkedEdit(target, "--vesa", [&](Image& image, BiosLayout& layout) {
        return applyVesaString(image, layout.vesa[field], text);
      });
    }
    case Font:
    case SearchedFont: {
      // Load Font after a search of the Fonts page placed the font, as the
      // page allows; the pass after the edit forgets the searched place.
      const FontSize size = fontSize(script);
      if (script.ConsumeBool()) glyphSearch(target.image, target.layout, size);
      else neighbourSearch(target.image, target.layout, size);
      const std::vector<std::uint8_t> file = fontFile(script);
      return checkedEdit(target, "--font", [&](Image& image, BiosLayout& layout) {
        const EditResult result = loadFontFile(image, layout, size, file);
        checkFontLoad(image, layout, size, file, result);
        return result;
      });
    }
    case CodePage: return importCodePage(target, script);
    case Fixups:
      return checkedEdit(target, "fix-ups", [](Image& image, BiosLayout& layout) { return syncFixupTables(image, layout); });
    case Logo: return editLogo(target, script);
    case RemoveLogo:
      return checkedEdit(target, "--remove-logo", [](Image& image, BiosLayout& layout) { return removeLogo(image, layout); });
    case Refresh: return editRefresh(target, script);
    case RestoreRegisters: reloadRegisterValues(target.image, target.layout); return;
    case Checksum: return fixTheChecksum(target);
  }
}

// `quarzel-cli diff` of the loaded image against the edited one: every byte
// that differs lies in an item or in a reported run, and both reports and
// the carry-over back to the loaded image are made.
void diffEdited(const PassedImage& loaded, const PassedImage& edited) {
  const BiosDiff diff = diffBios(loaded.image, loaded.layout, edited.image, edited.layout);
  // Bytes past the end of the file are no part of it, though the checksum
  // of a ROM length past the end is set there.
  const auto& a = loaded.image.bytes;
  const bool same = loaded.image.size == edited.image.size &&
                    std::equal(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(loaded.image.size), edited.image.bytes.begin());
  if (diff.identical != same) broken("diff", "misjudged whether the images are the same");
  if (!same && differences(diff).empty()) broken("diff", "reported no difference between different images");
  for (std::size_t pos = 0; pos < std::max(loaded.image.size, edited.image.size); ++pos) {
    if (loaded.image.bytes[pos] == edited.image.bytes[pos] && pos < std::min(loaded.image.size, edited.image.size))
      continue;
    if (!diff.inItems[pos] && !covers(diff.rest, pos)) broken("diff", "left a differing byte unreported");
  }
  keep(restRegions(diff, 256));
  keep(diffText({"a.rom", "b.rom"}, diff));
  keep(diffJson({"a.rom", "b.rom"}, diff));
  const CarryOver back = carryOver(edited.image, edited.layout, loaded.image, loaded.layout, {});
  keep(carriedImage(edited.image, edited.layout, back));
}

}  // namespace
}  // namespace quarzel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarzel;
  if (size < 2) return 0;
  const std::size_t declared = data[size - 2] | static_cast<std::size_t>(data[size - 1]) << 8;
  const std::size_t scriptLength = std::min(declared, size - 2);
  const std::size_t imageLength = size - 2 - scriptLength;
  const LoadResult loaded = loadImage({data, imageLength});
  if (!loaded.image) return 0;
  fuzz::PassedImage target{*loaded.image, {}};
  AnalysisPass(target.image, target.layout);
  // The edits change a few items, so the whole-image reads are made once,
  // of the edited image, and the loaded one gets the light reads only.
  fuzz::readItems(target.image, target.layout);
  const fuzz::PassedImage original = target;

  FuzzedDataProvider script(data + imageLength, scriptLength);
  for (std::size_t edits = 0; edits < fuzz::kMaxEdits && script.remaining_bytes() > 0; ++edits)
    fuzz::runEdit(target, script);
  fuzz::readEverything(target.image, target.layout, original.image);
  fuzz::diffEdited(original, target);
  return 0;
}
