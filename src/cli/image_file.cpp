#include "cli/image_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace quarzel::cli {

namespace fs = std::filesystem;

namespace {

std::string failure(const std::string& path, const std::string& reason) { return path + ": " + reason; }

// Reads at most `limit` bytes; a file longer than that is reported by the
// returned size alone, without reading a huge file whole.
std::optional<std::vector<std::uint8_t>> readAtMost(const std::string& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(limit);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(limit));
  if (in.bad()) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace

ImageFile readImageFile(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return {std::nullopt, failure(path, "no such file")};
  if (status.type() == fs::file_type::directory) return {std::nullopt, failure(path, "is a directory")};
  const auto bytes = readAtMost(path, kImageCapacity + 1);
  if (!bytes) return {std::nullopt, failure(path, "cannot be read")};
  const LoadResult loaded = loadImage(*bytes);
  if (!loaded.image) return {std::nullopt, failure(path, describe(*loaded.error))};
  return {loaded.image, {}};
}

std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  const fs::path target(path);
  std::error_code error;
  if (fs::is_directory(target, error)) return failure(path, "is a directory");
  fs::path temporary = target;
  temporary += ".quarzel-tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return failure(path, "cannot be created");
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      fs::remove(temporary, error);
      return failure(path, "could not be written");
    }
  }
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    return failure(path, "could not be replaced");
  }
  return {};
}

}  // namespace quarzel::cli
