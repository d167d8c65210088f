#include "edits/edit_files.h"

#include <utility>

namespace quarzel {

CodePageRead readCodePage(const FileSource& files, const std::string& path) {
  const FileRead read = files(path, kCodePageFileLimit);
  if (!read.bytes) return {std::nullopt, path + ": " + read.error};
  CodePageParse parsed = parseCodePageFile(*read.bytes);
  if (!parsed.file) return {std::nullopt, path + ": " + describe(*parsed.error)};
  return {std::move(parsed.file), {}};
}

std::string missingCodePage(const std::string& path, std::uint16_t codePage) {
  return path + ": holds no code page " + std::to_string(codePage);
}

}  // namespace quarzel
