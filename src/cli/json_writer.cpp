#include "cli/json_writer.h"

#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

std::string quote(std::string_view bytes, bool utf8) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (byte) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20) {
          out += formatText("\\u%04X", byte);
        } else if (byte < 0x80 || utf8) {
          out += c;
        } else {  // U+0080..U+00FF in UTF-8
          out += static_cast<char>(0xC0 | byte >> 6);
          out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
  }
  return out + "\"";
}

}  // namespace

std::string jsonQuote(std::string_view bytes) { return quote(bytes, false); }

void JsonWriter::newLine() {
  out_ += '\n';
  out_.append(2 * first_.size(), ' ');
}

void JsonWriter::startValue(std::string_view key) {
  if (!first_.empty()) {
    if (!first_.back()) out_ += ",";
    first_.back() = false;
    newLine();
  }
  if (!key.empty()) out_ += jsonQuote(key) + ": ";
}

JsonWriter& JsonWriter::open(std::string_view key, char bracket) {
  startValue(key);
  out_ += bracket;
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::beginObject(std::string_view key) { return open(key, '{'); }
JsonWriter& JsonWriter::beginArray(std::string_view key) { return open(key, '['); }

JsonWriter& JsonWriter::close(char bracket) {
  const bool empty = first_.back();
  first_.pop_back();
  if (!empty) newLine();
  out_ += bracket;
  return *this;
}

JsonWriter& JsonWriter::endObject() { return close('}'); }
JsonWriter& JsonWriter::endArray() { return close(']'); }

JsonWriter& JsonWriter::string(std::string_view key, std::string_view bytes) {
  startValue(key);
  out_ += jsonQuote(bytes);
  return *this;
}

JsonWriter& JsonWriter::utf8(std::string_view key, std::string_view text) {
  startValue(key);
  out_ += quote(text, true);
  return *this;
}

JsonWriter& JsonWriter::number(std::string_view key, std::int64_t value) {
  startValue(key);
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::boolean(std::string_view key, bool value) {
  startValue(key);
  out_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::null(std::string_view key) {
  startValue(key);
  out_ += "null";
  return *this;
}

}  // namespace quarzel::cli
