#include "pages/analysis_refresh.h"

#include "analysis/analysis_pass.h"
#include "pages/boot_screen_window.h"
#include "pages/dump_page.h"
#include "pages/pages.h"
#include "ui/app_state.h"

namespace quarzel::app {

void runAnalysisPass() {
  AppState& s = state();
  for (const PageInfo& page : pageTable())
    if (page.reset) page.reset();
  AnalysisPass(s.BiosImage, s.Layout);
  for (const PageInfo& page : pageTable())
    if (page.fill) page.fill();
  redrawBootScreen();
}

void imageChanged() {
  showInDump(0, 0);
  for (const PageInfo& page : pageTable())
    if (page.refresh) page.refresh();
  redrawBootScreen();
}

}  // namespace quarzel::app
