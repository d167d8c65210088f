// The one place where the program's texts change their encoding. The core
// writes UTF-8 (the register fields' dashes and quotes among them); Windows
// takes UTF-16 through its wide calls.
#pragma once

#include <string>
#include <string_view>

namespace quarzel::app {

std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

}  // namespace quarzel::app
