// A code-page file as the input, as Load Font and `--codepage` read one:
// the parse, the Select Font list and preview of every code page, then the
// import of each code page's fonts into every base image, with the fix-ups
// brought in line.
#include <set>

#include "analysis/fonts/font_edits.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarzel;
  if (size > kCodePageFileLimit) return 0;  // refused before it is read
  const CodePageParse parsed = parseCodePageFile({data, size});
  if (!parsed.file) return 0;
  const CodePageFile& file = *parsed.file;

  std::set<std::uint16_t> codePages;
  for (const std::string& item : codePageList(file)) codePages.insert(codePageOfItem(item));
  fuzz::keep(codePageListing(file));
  for (const std::uint16_t codePage : codePages) {
    fuzz::keep(codePagePreview(file, codePage));
    fuzz::keep(codePageFontSizes(file, codePage));
  }

  constexpr FontSizeSet kAll{true, true, true};
  fuzz::applyToBaseImages([&](fuzz::PassedImage& target) {
    // A few code pages are enough to meet every base image: their fonts
    // land in the same tables.
    std::size_t imported = 0;
    for (const std::uint16_t codePage : codePages) {
      if (++imported > 4) break;
      fuzz::keep(codePageImportRefusal(target.image, target.layout, file, codePage, kAll));
      fuzz::checkedEdit(target, "--codepage", [&](Image& image, BiosLayout& layout) {
        return copyCodePageFonts(image, layout, file, codePage, kAll);
      });
      fuzz::checkedEdit(target, "--codepage fix-ups",
                        [](Image& image, BiosLayout& layout) { return syncFixupTables(image, layout); });
    }
  });
  return 0;
}
