// Whole-file reads with a size limit, and writes that never leave a damaged
// file where a good one stood: the bytes go to a temporary file beside the
// target, which then replaces it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/bmp_picture.h"
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

// Reads and checks the BMP file at `path`. A file that cannot be read, or
// is larger than any logo BMP can be, gives `fileError` and no picture.
inline constexpr std::size_t kLogoFileLimit = 16 * 1024 * 1024;
struct LogoFileRead {
  std::optional<LogoPicture> picture;
  std::optional<EditError> error;  // a file that was read but is no usable logo
  std::string fileError;           // a file that could not be read
};
LogoFileRead readLogoFile(const std::string& path);

// Empty on success, else the reason; on failure the target is untouched.
std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace quarzel
