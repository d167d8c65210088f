#include "pages/analysis_refresh.h"

#include "analysis/analysis_pass.h"
#include "ui/app_state.h"
#include "pages/pages.h"
#include "pages/register_comparison.h"

namespace quarzel::app {

void runAnalysisPass() {
  AppState& s = state();
  resetStringsPage();
  resetLogoPage();
  resetOtherPages();
  AnalysisPass(s.BiosImage, s.Layout);
  fillStringsPage();
  fillLogoPage();
  fillOtherPages();
  // The comparison column stays; its marks now compare the new values.
  updateCompareLabels();
}

}  // namespace quarzel::app
