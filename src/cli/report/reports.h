// The two views of `quarzel-cli info`: a readable report laid out like the
// program's pages, and the JSON object for scripts.
#pragma once

#include <string>

#include "analysis/bios_layout.h"
#include "cli/json_output.h"
#include "formats/image.h"

namespace quarzel::cli {

std::string infoText(const std::string& name, const Image& image, const BiosLayout& layout);
std::string infoJson(const Image& image, const BiosLayout& layout);
// One row of the Video Modes page: its parameter entry and extended record,
// and what the BIOS makes of them.
std::string modeText(const Image& image, const BiosLayout& layout, std::size_t row);
// Every row as the BIOS sets the mode: one line a row, or the JSON array
// of the key "modes".
std::string modesText(const Image& image, const BiosLayout& layout);
Json modesJson(const Image& image, const BiosLayout& layout);
// The standard refresh rates each resolution of the board's modes can take,
// and the rate it runs at now: one line each, or the JSON array of the key
// "timings".
std::string timingsText(const Image& image, const BiosLayout& layout);
Json timingsJson(const Image& image, const BiosLayout& layout);

}  // namespace quarzel::cli
