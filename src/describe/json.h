// The JSON of quarzel-cli's reports and the page: objects keep their keys in
// the order written.
// Strings from the BIOS are bytes: each byte is the character with the same
// code (B3h is U+00B3); the program's own texts (the register fields'
// meanings) are UTF-8 already.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace quarzel {

using Json = nlohmann::ordered_json;

// BIOS bytes as a JSON string.
Json biosText(std::string_view bytes);
// The reverse, for a text the page gives: the bytes of a UTF-8 text whose
// characters are all below U+0100; empty for any other text.
std::optional<std::string> biosBytes(std::string_view utf8);

template <typename T>
Json numberOrNull(const std::optional<T>& value) {
  return value ? Json(*value) : Json();
}

// The document, two-space indented, ending in a line break.
std::string jsonText(const Json& json);

}  // namespace quarzel
