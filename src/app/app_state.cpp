#include "app/app_state.h"

namespace quarzel::app {

namespace {
AppState theState;
}

AppState& state() { return theState; }

void resetState() { theState = AppState{}; }

}  // namespace quarzel::app
