#include "support/shared_files.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>

namespace quarzel::test {

namespace {

constexpr std::string_view kRomsFolder = "roms/";

bool ciRun() {
  const char* ci = std::getenv("CI");
  return ci && std::strcmp(ci, "true") == 0;
}

}  // namespace

std::string romsFolder() {
  const char* chosen = std::getenv("QUARZEL_ROMS");
  if (!chosen || !*chosen) return std::string(QUARZEL_SHARED_DIR) + "/roms";
  std::string folder = chosen;
#ifdef _WIN32
  // A Unix path handed through Wine: its root is drive Z:.
  if (folder.front() == '/') folder = "Z:" + folder;
#endif
  return folder;
}

std::string sharedPath(const std::string& relative) {
  if (relative.starts_with(kRomsFolder)) return romsFolder() + "/" + relative.substr(kRomsFolder.size());
  return std::string(QUARZEL_SHARED_DIR) + "/" + relative;
}

std::string realRomPath(const RealRom& rom) { return sharedPath(std::string(kRomsFolder) + rom.file); }

std::optional<std::vector<std::uint8_t>> readSharedFile(const std::string& relative) {
  std::ifstream in(sharedPath(relative), std::ios::binary);
  if (!in) {
    // A continuous-integration run must test with the real files, not
    // pass by skipping every test that needs them.
    if (ciRun()) ADD_FAILURE() << sharedPath(relative) << " is absent under CI=true";
    return std::nullopt;
  }
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::optional<Image> readRealRom(const RealRom& rom) {
  const auto file = readSharedFile(std::string("roms/") + rom.file);
  if (!file) return std::nullopt;
  auto loaded = loadImage(*file);
  return loaded.image;
}

}  // namespace quarzel::test
