#include "cli/code_page_input.h"

#include "cli/cli_support.h"
#include "formats/file_io.h"

namespace quarzel::cli {

std::optional<CodePageFile> readCodePageFileOrReport(const std::string& path) {
  const FileRead read = readWholeFile(path, kCodePageFileLimit);
  if (!read.bytes) {
    fail(path + ": " + read.error);
    return std::nullopt;
  }
  CodePageParse parsed = parseCodePageFile(*read.bytes);
  if (!parsed.file) fail(path + ": " + describe(*parsed.error));
  return std::move(parsed.file);
}

bool codePageHasFont(const CodePageFile& file, std::uint16_t codePage, FontSize size) {
  for (const CodePageEntry& entry : file.entries)
    if (entry.codePage == codePage)
      for (const CodePageFont& font : entry.fonts)
        if (usableFontSize(font) == size) return true;
  return false;
}

}  // namespace quarzel::cli
