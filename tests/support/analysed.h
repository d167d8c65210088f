// An image with the analysis pass's layout of it, for tests that edit or
// compare what the pass found.
#pragma once

#include "analysis/analysis_pass.h"

namespace quarzel::test {

struct Analysed {
  Image image;
  BiosLayout layout;
};

inline Analysed analysed(const Image& image) {
  Analysed a{image, {}};
  AnalysisPass(a.image, a.layout);
  return a;
}

}  // namespace quarzel::test
