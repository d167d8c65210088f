#include "formats/file_io.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "formats/text_format.h"

namespace quarzel {

namespace fs = std::filesystem;

FileRead readWholeFile(const std::string& path, std::size_t limit) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return {std::nullopt, "no such file"};
  if (status.type() == fs::file_type::directory) return {std::nullopt, "is a directory"};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {std::nullopt, "cannot be read"};
  // One byte more than the limit tells a file that is too large.
  std::vector<std::uint8_t> bytes(limit + 1);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return {std::nullopt, "cannot be read"};
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (bytes.size() > limit) return {std::nullopt, formatText("is larger than %zu bytes", limit)};
  return {std::move(bytes), {}};
}

ImageFile readImageFile(const std::string& path) {
  FileRead file = readWholeFile(path, kImageCapacity);
  if (!file.bytes) return {std::nullopt, file.error};
  const LoadResult loaded = loadImage(*file.bytes);
  if (!loaded.image) return {std::nullopt, describe(*loaded.error)};
  return {loaded.image, {}};
}

LogoFileRead readLogoFile(const std::string& path) {
  const FileRead read = readWholeFile(path, kLogoFileLimit);
  if (!read.bytes) return {std::nullopt, std::nullopt, read.error};
  BmpParse parsed = readLogoPicture(*read.bytes);
  return {std::move(parsed.picture), parsed.error, {}};
}

std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  const fs::path target(path);
  std::error_code error;
  if (fs::is_directory(target, error)) return "is a directory";
  fs::path temporary = target;
  temporary += ".quarzel-tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return "cannot be created";
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      fs::remove(temporary, error);
      return "could not be written";
    }
  }
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    return "could not be replaced";
  }
  return {};
}

}  // namespace quarzel
