// Code-page files as quarzel-cli reads them.
#pragma once

#include <optional>
#include <string>

#include "formats/code_page_file.h"

namespace quarzel::cli {

// Reads and checks a .cpi file; on failure prints "FILE: reason".
std::optional<CodePageFile> readCodePageFileOrReport(const std::string& path);

// True when an entry of `codePage` holds a usable font of `size`.
bool codePageHasFont(const CodePageFile& file, std::uint16_t codePage, FontSize size);

}  // namespace quarzel::cli
