#include "web/session.h"

#include <utility>

#include "analysis/analysis_pass.h"

namespace quarzel::web {

std::string openFile(Session& session, std::string name, std::span<const std::uint8_t> file) {
  const LoadResult loaded = loadImage(file);
  if (!loaded.image) return name + ": " + describe(*loaded.error);
  session.open = true;
  session.name = std::move(name);
  session.opened = session.image = *loaded.image;
  AnalysisPass(session.image, session.layout);
  return {};
}

SavedImage savedImage(const Session& session) {
  Image saved = session.image;
  if (!fixChecksum(saved))
    return {{}, session.name + ": the ROM length byte (offset 2) is 0 or above 80h, so the checksum cannot be fixed"};
  return {{saved.bytes.begin(), saved.bytes.begin() + static_cast<std::ptrdiff_t>(saved.end())}, {}};
}

}  // namespace quarzel::web
