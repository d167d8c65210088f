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

std::string missingCodePage(const std::string& path, std::uint16_t codePage) {
  return path + ": holds no code page " + std::to_string(codePage);
}

}  // namespace quarzel::cli
