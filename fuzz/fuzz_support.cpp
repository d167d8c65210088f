#include "fuzz_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/boot/boot_machine.h"
#include "analysis/boot_screen/boot_screen.h"
#include "analysis/fonts/font_edits.h"
#include "analysis/fonts/font_searches.h"
#include "analysis/pci_vesa/pcir_fields.h"
#include "analysis/registers/register_compare.h"
#include "analysis/registers/register_fields.h"
#include "analysis/registers/registers.h"
#include "analysis/modes/video_modes.h"
#include "cli/report/reports.h"
#include "describe/info_json.h"
#include "analysis/sample_image.h"
#include "formats/dump_highlights.h"
#include "formats/dump_listing.h"
#include "formats/glyph_sheet.h"

namespace quarzel::fuzz {

namespace {

// The files of a folder of ../shared in name order, so that every run
// applies an input to the same images in the same order.
std::vector<std::vector<std::uint8_t>> sharedFiles(const char* folder) {
  namespace fs = std::filesystem;
  std::vector<fs::path> paths;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(QUARZEL_SHARED_DIR) / folder, error))
    if (entry.is_regular_file() && entry.path().extension() != ".md") paths.push_back(entry.path());
  std::sort(paths.begin(), paths.end());
  std::vector<std::vector<std::uint8_t>> files;
  for (const auto& path : paths) {
    std::ifstream in(path, std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

PassedImage passed(const Image& image) {
  PassedImage p{image, {}};
  AnalysisPass(p.image, p.layout);
  return p;
}

}  // namespace

const std::vector<PassedImage>& baseImages() {
  static const std::vector<PassedImage> images = [] {
    std::vector<PassedImage> all{passed(sampleImage())};
    for (const auto& file : sharedFiles("roms"))
      if (const auto loaded = loadImage(file); loaded.image) all.push_back(passed(*loaded.image));
    return all;
  }();
  return images;
}

const std::vector<CodePageFile>& realCodePageFiles() {
  static const std::vector<CodePageFile> files = [] {
    std::vector<CodePageFile> all;
    for (const auto& bytes : sharedFiles("data"))
      if (auto parsed = parseCodePageFile(bytes); parsed.file) all.push_back(std::move(*parsed.file));
    return all;
  }();
  return files;
}

void readItems(const Image& image, const BiosLayout& layout) {
  for (const FontSize size : kFontSizes) keep(renderGlyphSheet(image, layout.fonts[size], size));
  keep(locatedFontSizes(image, layout));
  if (layout.pcir) keep(readPcirFields(image, *layout.pcir));
  keep(emulatedCard(image, layout));
  keep(checksumOk(image));
}

void readEverything(const Image& image, const BiosLayout& layout, const Image& committed) {
  readItems(image, layout);
  for (const FontSize size : kFontSizes) {
    keep(fontFileBytes(image, layout, size));
    // The Fonts page's searches, then the sheet of what they found.
    BiosLayout searched = layout;
    keep(glyphSearch(image, searched, size));
    keep(neighbourSearch(image, searched, size));
    keep(renderGlyphSheet(image, searched.fonts[size], size));
  }
  // The image compared with itself, as the Registers page compares a
  // second BIOS.
  const CompareScan scan = scanCompareRegisters(image);
  for (std::size_t index = 0; index < kRegisterCount; ++index) {
    keep(registerValueText(layout, index));
    keep(compareValueText(scan, index));
    keep(registerVerdict(layout.registerTable[index].value, scan.values[index]));
    if (const RegisterFields* table = registerFieldsFor(index))
      for (const BitField& row : rowsOfEveryBit(*table)) keep(fieldValue(row, layout.registerTable[index].value));
  }
  keep(compareFrequencyText(scan));
  keep(pllFrequencyText(layout));
  for (std::size_t row = 0; row < kVideoModeCount; ++row) {
    keep(showSelectedMode(image, layout, row));
    keep(cli::modeText(image, layout, row));
  }
  keep(emulatorRom(image));
  // The Boot Screen window's picture, at each memory size the straps give.
  for (const std::uint32_t megabytes : kMemoryChoices) keep(drawBootScreen(image, layout, {megabytes}));
  keep(dumpListing(image));
  // The Dump page marks an item as its offset button does: string 1 here.
  const auto& string1 = layout.bootString1;
  keep(dumpHighlights(image, committed, string1.address.value_or(0), static_cast<std::int32_t>(string1.maxLength)));
  keep(cli::infoText("fuzz.rom", image, layout));
  keep(infoJson(image, layout));
}

bool covers(std::span<const ByteRange> ranges, std::size_t pos) {
  return std::any_of(ranges.begin(), ranges.end(), [pos](const ByteRange& r) { return pos >= r.offset && pos - r.offset < r.length; });
}

void broken(const char* what, const char* how) {
  std::fprintf(stderr, "finding: %s %s\n", what, how);
  std::fflush(stderr);
  std::abort();
}

void checkEdit(const Image& before, const Image& after, const EditResult& result, const char* what) {
  if (after.size != before.size) broken(what, "changed the image size");
  if (!result.ok()) {
    if (after.bytes != before.bytes) broken(what, "failed but changed the image");
    return;
  }
  for (const ByteRange& range : result.written)
    if (range.offset > after.size || range.length > after.size - range.offset)
      broken(what, "reports a write past the end of the loaded image");
  for (std::size_t pos = 0; pos < kImageCapacity; ++pos) {
    if (after.bytes[pos] == before.bytes[pos]) continue;
    if (!covers(result.written, pos)) broken(what, "changed a byte it does not report");
  }
}

void checkFontLoad(const Image& image, const BiosLayout& layout, FontSize size, std::span<const std::uint8_t> file,
                   const EditResult& result) {
  if (!result.ok()) return;
  const auto saved = fontFileBytes(image, layout, size);
  if (!saved || saved->size() != file.size()) broken("--font", "cannot save the font it loaded");
  const std::size_t table = *layout.fonts[size];
  const auto synced = std::span(result.written).subspan(1);  // the table is written first
  for (std::size_t i = 0; i < file.size(); ++i) {
    if ((*saved)[i] != file[i] && !covers(synced, table + i)) broken("--font", "saves another font than it loaded");
  }
}

}  // namespace quarzel::fuzz
