// What every quarzel-cli command shares: its messages, its output and its
// files (and, through describe/names.h, the words that name the items).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/bios_layout.h"
#include "describe/names.h"
#include "formats/font_table.h"
#include "formats/image.h"

namespace quarzel::cli {

// "quarzel-cli: MESSAGE" on stderr; status 1 (the input cannot be used).
int fail(const std::string& message);
// Wrong use found once the command line was read: the message and the
// command's usage go to stderr, status 2 (see run in command_line.h).
[[noreturn]] void usageError(const std::string& message);

// Writes to stdout unchanged: CR LF stays CR LF on Windows too.
void print(const std::string& text);
bool stdoutIsTerminal();

std::string baseName(const std::string& path);

// Reads a BIOS image file; on failure prints "FILE: reason" and returns empty.
std::optional<Image> readImageOrReport(const std::string& path);
// An image file read and analysed: what most commands start from.
struct AnalysedImage {
  Image image;
  BiosLayout layout;
};
std::optional<AnalysedImage> readAndAnalyse(const std::string& path);
// Writes a file atomically; returns the exit status.
int writeOrReport(const std::string& path, const std::string& bytes);
int writeOrReport(const std::string& path, const std::uint8_t* bytes, std::size_t size);

}  // namespace quarzel::cli
