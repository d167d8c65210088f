// A ROM image as the input, as Load BIOS reads a file: the load's checks,
// the analysis pass and the reads each page makes of what it found. Kept
// light, for millions of inputs.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarzel;
  const LoadResult loaded = loadImage({data, size});
  if (!loaded.image) return 0;
  BiosLayout layout;
  AnalysisPass(*loaded.image, layout);
  fuzz::readItems(*loaded.image, layout);
  return 0;
}
