// What every quarzel-cli command shares: its messages, its output, and the
// names of the font sizes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/bios_layout.h"
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

// The pieces of a comma list, n + 1 of them for n commas (empty ones too).
std::vector<std::string> commaList(const std::string& text);

// A register named as the Registers page labels it, in any case.
std::optional<std::size_t> registerNamed(std::string_view name);
// "PCIInit0, MiscInit0, ... or SGRAMmode"
std::string registerNameList();

// A clock for --clock and pll: a decimal number of MHz above 0 and at most
// the PLL's highest clock.
std::optional<double> parseClock(const std::string& text);
// What parseClock takes, for a usage error.
std::string clockRule();

// "8x8", "8x14", "8x16"
std::optional<FontSize> parseFontSize(const std::string& text);
const char* fontSizeName(FontSize size);

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
