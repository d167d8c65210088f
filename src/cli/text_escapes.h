// Texts given on the command line: \r, \n, \\ and \xHH stand for the bytes
// a shell cannot pass easily (the CR LF of a sign-on line, box characters).
#pragma once

#include <optional>
#include <string>

namespace quarzel::cli {

// Empty for any other backslash sequence or a \x without two hex digits.
std::optional<std::string> unescapeText(const std::string& text);

}  // namespace quarzel::cli
