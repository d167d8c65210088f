// Video Modes page: emptying its value fields, for the analysis pass's reset.
#pragma once

namespace quarzel::app {

void clearModeFields();

}  // namespace quarzel::app
