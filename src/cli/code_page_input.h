// Code-page files as quarzel-cli reads them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "formats/code_page_file.h"

namespace quarzel::cli {

// Reads and checks a .cpi file; on failure prints "FILE: reason".
std::optional<CodePageFile> readCodePageFileOrReport(const std::string& path);

// "FILE: holds no code page N"
std::string missingCodePage(const std::string& path, std::uint16_t codePage);

}  // namespace quarzel::cli
