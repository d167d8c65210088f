// Texts given on the command line: \r, \n, \\ and \xHH stand for the bytes
// a shell cannot pass easily (the CR LF of a sign-on line, box characters).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quarzel {

// Empty for any other backslash sequence or a \x without two hex digits.
std::optional<std::string> unescapeText(const std::string& text);

// The reverse: the characters of `alsoEscaped` and bytes outside printable
// ASCII as \xHH, but CR, LF and a backslash not in `alsoEscaped` as \r, \n
// and \\.
std::string escapeText(std::string_view bytes, std::string_view alsoEscaped = {});

// What a shell would split or expand in a word that `$(...)` hands on, the
// quotes a Windows command line would take apart, and the backslash, which
// there escapes a closing quote.
inline constexpr std::string_view kShellSpecial = " \"'*?[]\\";

}  // namespace quarzel
