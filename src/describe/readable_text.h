// BIOS texts for a terminal.
#pragma once

#include <string>

namespace quarzel {

// CR LF starts a new line with `indent` (a CR LF at the end starts none),
// bytes outside printable ASCII show as \xHH; the text ends with a line break.
std::string readable(const std::string& bytes, const std::string& indent);

}  // namespace quarzel
