// Texts given on the command line: \r, \n, \\ and \xHH stand for the bytes
// a shell cannot pass easily (the CR LF of a sign-on line, box characters).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quarzel::cli {

// Empty for any other backslash sequence or a \x without two hex digits.
std::optional<std::string> unescapeText(const std::string& text);

// The reverse: CR, LF and backslash as \r, \n and \\, other bytes outside
// printable ASCII and the characters of `alsoEscaped` as \xHH.
std::string escapeText(std::string_view bytes, std::string_view alsoEscaped = {});

// What a shell would split or expand in a word that `$(...)` hands on, and
// the quotes a Windows command line would take apart.
inline constexpr std::string_view kShellSpecial = " \"'*?[]";

}  // namespace quarzel::cli
