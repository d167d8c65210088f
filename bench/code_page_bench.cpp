// How long a code-page file takes to open, list, preview and copy from: a
// real file, a crafted 64 KiB file whose entries' fonts overlap the entries
// after them (refused), and 1 MiB files packed with as many entries or fonts
// as an accepted file can hold.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>

#include "analysis/fonts/font_edits.h"
#include "formats/code_page_file.h"
#include "formats/rom_builder.h"
#include "support/cpi_file.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

using test::kCpiEntryBytes, test::kCpiFontHeaderBytes, test::kCpiHeaderBytes;

constexpr std::size_t kMaxData = 0xFFFF;

// Entries of code page 437 (or 1, 2, 3 ... when `distinct`), each with as
// many fonts of `height` as its data size allows, `fontsPerEntry` at most,
// until the next entry would pass 1 MiB.
std::vector<std::uint8_t> packed(std::uint8_t height, std::size_t fontsPerEntry, bool distinct) {
  const std::size_t fontBytes = kCpiFontHeaderBytes + 256u * height;
  const std::size_t fonts = std::min(fontsPerEntry, kMaxData / fontBytes);
  const std::size_t entryBytes = kCpiEntryBytes + fonts * fontBytes;
  const std::size_t entries = std::min<std::size_t>((kCodePageFileLimit - kCpiHeaderBytes) / entryBytes, 0xFFFF);
  std::vector<std::uint8_t> out = test::cpiHeader(entries);
  const std::vector<test::CpiFont> entryFonts(fonts, {height, 8, 0});
  for (std::size_t e = 0; e < entries; ++e)
    test::appendCpiEntry(out, {static_cast<std::uint16_t>(distinct ? e + 1 : 437), entryFonts});
  return out;
}

// 1,746 entries of 34 bytes with no data, each listing as many fonts as fit
// before the end of the 64 KiB file, read from the entries after it.
std::vector<std::uint8_t> overlapping() {
  constexpr std::size_t kEntries = 1746, kSize = 64 * 1024;
  std::vector<std::uint8_t> out = test::cpiHeader(kEntries);
  out.resize(kSize);
  const auto entry = [](std::size_t e) { return kCpiHeaderBytes + e * kCpiEntryBytes; };
  for (std::size_t e = 0; e < kEntries; ++e) test::putCpiWord(out, entry(e) + test::kCpiEntryCodePage, 437);
  // From the last entry back, since an entry's fonts are read from the later ones.
  for (std::size_t e = kEntries; e-- > 0;) {
    std::size_t font = entry(e) + kCpiEntryBytes, count = 0;
    while (count < 0xFFFF && font + kCpiFontHeaderBytes + 256u * out[font] <= kSize) {
      font += kCpiFontHeaderBytes + 256u * out[font];
      ++count;
    }
    test::putCpiWord(out, entry(e) + test::kCpiEntryFontCount, count);
  }
  return out;
}

CodePageFile accepted(benchmark::State& state, const std::vector<std::uint8_t>& bytes) {
  CodePageParse parse = parseCodePageFile(bytes);
  if (!parse.file) state.SkipWithError(describe(*parse.error));
  return parse.file.value_or(CodePageFile{});
}

using Shape = std::function<std::vector<std::uint8_t>()>;

std::optional<std::vector<std::uint8_t>> shapeBytes(benchmark::State& state, const Shape& shape) {
  if (shape) return shape();
  auto bytes = test::readSharedFile("data/EGA2.CPI");
  if (!bytes) state.SkipWithError((std::string(test::kSharedDataAbsent) + "EGA2.CPI").c_str());
  return bytes;
}

// The first code page of the file, the one listed, previewed and copied.
std::uint16_t firstCodePage(const CodePageFile& file) {
  return file.entries.empty() ? 0 : file.entries.front().codePage;
}

// Parse of a file that is to be accepted, or with `refused`, refused.
void BM_Parse(benchmark::State& state, const Shape& shape, bool refused) {
  const auto bytes = shapeBytes(state, shape);
  if (!bytes) return;
  if (parseCodePageFile(*bytes).error.has_value() != refused) {
    state.SkipWithError(refused ? "the file is accepted" : "the file is refused");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(parseCodePageFile(*bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes->size()));
}

void BM_List(benchmark::State& state, const Shape& shape) {
  const auto bytes = shapeBytes(state, shape);
  if (!bytes) return;
  const CodePageFile file = accepted(state, *bytes);
  for (auto _ : state) benchmark::DoNotOptimize(codePageListing(file));
}

void BM_Preview(benchmark::State& state, const Shape& shape) {
  const auto bytes = shapeBytes(state, shape);
  if (!bytes) return;
  const CodePageFile file = accepted(state, *bytes);
  for (auto _ : state) benchmark::DoNotOptimize(codePagePreview(file, firstCodePage(file)));
}

void BM_Copy(benchmark::State& state, const Shape& shape) {
  const auto bytes = shapeBytes(state, shape);
  if (!bytes) return;
  const CodePageFile file = accepted(state, *bytes);
  Image image = RomBuilder(0x8000).build(false);
  BiosLayout layout;
  layout.fonts[Font8x8] = 0x1000;
  layout.fonts[Font8x14] = 0x1800;
  layout.fonts[Font8x16] = 0x2600;
  for (auto _ : state)
    benchmark::DoNotOptimize(copyCodePageFonts(image, layout, file, firstCodePage(file), {true, true, true}));
}

// Every accepted shape is parsed, listed, previewed and copied from; the
// crafted overlapping file is only refused.
const bool kRegistered = [] {
  const std::pair<const char*, Shape> shapes[] = {
      {"Ega2", {}},
      // 30,839 entries without fonts, all of one code page or each its own.
      {"TinyEntries1MiB", [] { return packed(0, 0, false); }},
      {"TinyEntriesDistinct1MiB", [] { return packed(0, 0, true); }},
      // 15 entries of 10,922 fonts 0 rows high: the most fonts a file holds.
      {"EmptyFonts1MiB", [] { return packed(0, kMaxData, false); }},
      // 16 entries of 31 8x8 fonts: the most glyph bytes to draw and copy.
      {"Fonts8x8_1MiB", [] { return packed(8, kMaxData, false); }},
  };
  const std::pair<const char*, void (*)(benchmark::State&, const Shape&)> steps[] = {
      {"List", BM_List}, {"Preview", BM_Preview}, {"Copy", BM_Copy}};
  for (const auto& [name, shape] : shapes) {
    benchmark::RegisterBenchmark((std::string("BM_Parse/") + name).c_str(), BM_Parse, shape, false)
        ->Unit(benchmark::kMicrosecond);
    for (const auto& [step, run] : steps)
      benchmark::RegisterBenchmark((std::string("BM_") + step + "/" + name).c_str(), run, shape)
          ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("BM_Parse/Overlap64KiBRefused", BM_Parse, Shape(overlapping), true)
      ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
}  // namespace quarzel
