// The files an edit names (font files, code-page files, logo pictures),
// read through a source: the disk for quarzel-cli, the files handed to the
// page for the page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "formats/code_page_file.h"
#include "formats/file_io.h"

namespace quarzel {

// The whole file at `path`, refused past `limit` bytes, or the reason in
// readWholeFile's words.
using FileSource = std::function<FileRead(const std::string& path, std::size_t limit)>;

// A code-page file read and checked, or "PATH: reason".
struct CodePageRead {
  std::optional<CodePageFile> file;
  std::string error;
};
CodePageRead readCodePage(const FileSource& files, const std::string& path);

// "PATH: holds no code page N"
std::string missingCodePage(const std::string& path, std::uint16_t codePage);

}  // namespace quarzel
