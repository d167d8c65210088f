#include "ui/app_state.h"

namespace quarzel::app {

namespace {
AppState theState;
}

AppState& state() { return theState; }

void resetState() { theState = AppState{}; }

BusyGuard::BusyGuard() : previous_(theState.imageLoaded) { theState.imageLoaded = false; }

BusyGuard::~BusyGuard() { theState.imageLoaded = previous_; }

HWND pageWindow(Tab tab) { return theState.pageWindows[static_cast<std::size_t>(tab)]; }

}  // namespace quarzel::app
