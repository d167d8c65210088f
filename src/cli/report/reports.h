// The readable reports of info, mode and modes, laid out like the program's
// pages (their JSON is in describe/).
#pragma once

#include <string>

#include "analysis/bios_layout.h"
#include "formats/image.h"

namespace quarzel::cli {

std::string infoText(const std::string& name, const Image& image, const BiosLayout& layout);
// One row of the Video Modes page: its parameter entry and extended record,
// and what the BIOS makes of them.
std::string modeText(const Image& image, const BiosLayout& layout, std::size_t row);
// Every row as the BIOS sets the mode, one line a row.
std::string modesText(const Image& image, const BiosLayout& layout);
// The standard refresh rates each resolution of the board's modes can take,
// and the rate it runs at now, one line each.
std::string timingsText(const Image& image, const BiosLayout& layout);

}  // namespace quarzel::cli
