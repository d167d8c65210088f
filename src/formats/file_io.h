// Whole-file reads with a size limit, and writes that never leave a damaged
// file where a good one stood: the bytes go to a temporary file beside the
// target, which then replaces it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/image.h"

namespace quarzel {

// The whole file, or a plain reason: "no such file", "is a directory",
// "cannot be read", "larger than N bytes". A file over the limit is
// refused without being read whole.
struct FileRead {
  std::optional<std::vector<std::uint8_t>> bytes;
  std::string error;
};
FileRead readWholeFile(const std::string& path, std::size_t limit);

// A BIOS image file checked as a load checks it.
struct ImageFile {
  std::optional<Image> image;
  std::string error;  // the reason when image is empty
};
ImageFile readImageFile(const std::string& path);

// Empty on success, else the reason; on failure the target is untouched.
std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace quarzel
