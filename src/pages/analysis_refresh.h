// The analysis pass as the program runs it: the page controls reset, the
// locators over BiosImage, then every page filled from BiosLayout. Callers
// hold the busy guard around it.
#pragma once

namespace quarzel::app {

void runAnalysisPass();

}  // namespace quarzel::app
