#include "ui/app_state.h"

namespace quarzel::app {

namespace {
AppState theState;
}

AppState& state() { return theState; }

void resetState() { theState = AppState{}; }

BusyGuard::BusyGuard() : previous_(theState.busy) { theState.busy = true; }

BusyGuard::~BusyGuard() { theState.busy = previous_; }

bool userEdit() { return theState.imageLoaded && !theState.busy; }

HWND pageWindow(Tab tab) { return theState.pageWindows[static_cast<std::size_t>(tab)]; }

}  // namespace quarzel::app
