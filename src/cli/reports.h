// The two views of `quarzel-cli info`: a readable report laid out like the
// program's pages, and the JSON object for scripts.
#pragma once

#include <string>

#include "analysis/bios_layout.h"
#include "formats/image.h"

namespace quarzel::cli {

std::string infoText(const std::string& name, const Image& image, const BiosLayout& layout);
std::string infoJson(const Image& image, const BiosLayout& layout);
// One row of the Video Modes page: its parameter entry and extended record.
std::string modeText(const Image& image, const BiosLayout& layout, std::size_t row);

}  // namespace quarzel::cli
