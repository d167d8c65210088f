// A small JSON writer for the CLI's reports, two-space indented, keys in the
// order written. Strings are BIOS bytes: each byte is the character with the
// same code (B3h is U+00B3), written as UTF-8 with the usual escapes; the
// program's own texts (the register fields' meanings) are UTF-8 already.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarzel::cli {

class JsonWriter {
 public:
  JsonWriter& beginObject(std::string_view key = {});
  JsonWriter& endObject();
  JsonWriter& beginArray(std::string_view key = {});
  JsonWriter& endArray();
  JsonWriter& string(std::string_view key, std::string_view bytes);
  JsonWriter& utf8(std::string_view key, std::string_view text);
  JsonWriter& number(std::string_view key, std::int64_t value);
  JsonWriter& boolean(std::string_view key, bool value);
  JsonWriter& null(std::string_view key);
  template <typename T>
  JsonWriter& numberOrNull(std::string_view key, const std::optional<T>& value) {
    return value ? number(key, static_cast<std::int64_t>(*value)) : null(key);
  }

  // The document, ending in a line break.
  std::string text() const { return out_ + "\n"; }

 private:
  void newLine();
  void startValue(std::string_view key);
  JsonWriter& open(std::string_view key, char bracket);
  JsonWriter& close(char bracket);
  std::string out_;
  std::vector<bool> first_;  // per open container: nothing written in it yet
};

// The bytes as a quoted JSON string.
std::string jsonQuote(std::string_view bytes);

}  // namespace quarzel::cli
