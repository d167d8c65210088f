#include "support/shared_files.h"

#include <fstream>
#include <iterator>

namespace quarzel::test {

std::string sharedPath(const std::string& relative) {
  return std::string(QUARZEL_SHARED_DIR) + "/" + relative;
}

std::optional<std::vector<std::uint8_t>> readSharedFile(const std::string& relative) {
  std::ifstream in(sharedPath(relative), std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::optional<Image> readRealRom(const std::string& name) {
  const auto file = readSharedFile("roms/" + name);
  if (!file) return std::nullopt;
  auto loaded = loadImage(*file);
  return loaded.image;
}

}  // namespace quarzel::test
