#include "pages/analysis_refresh.h"

#include "analysis/analysis_pass.h"
#include "ui/app_state.h"
#include "pages/pages.h"

namespace quarzel::app {

void runAnalysisPass() {
  AppState& s = state();
  resetStringsPage();
  resetOtherPages();
  AnalysisPass(s.BiosImage, s.Layout);
  fillStringsPage();
  fillOtherPages();
}

}  // namespace quarzel::app
