// The functions the page calls. Bytes and texts cross in the module's
// memory: the page asks for an input buffer, writes into it, calls, and
// reads the answer from the output text (UTF-8) or the output bytes, which
// stay valid until the next call.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "web/session.h"

#define QUARZEL_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

quarzel::web::Session session;
std::vector<std::uint8_t> input;
std::string outputText;
std::vector<std::uint8_t> outputBytes;

std::span<const std::uint8_t> inputPart(std::size_t from, std::size_t length) {
  if (from > input.size() || length > input.size() - from) return {};
  return std::span(input).subspan(from, length);
}

}  // namespace

// A buffer of `size` bytes for the next call's input.
QUARZEL_EXPORT(qz_input) std::uint8_t* qzInput(std::size_t size) {
  input.assign(size, 0);
  return input.data();
}

QUARZEL_EXPORT(qz_output_text) const char* qzOutputText() { return outputText.c_str(); }
QUARZEL_EXPORT(qz_output_text_size) std::size_t qzOutputTextSize() { return outputText.size(); }
QUARZEL_EXPORT(qz_output_bytes) const std::uint8_t* qzOutputBytes() { return outputBytes.data(); }
QUARZEL_EXPORT(qz_output_bytes_size) std::size_t qzOutputBytesSize() { return outputBytes.size(); }

// The program's facts the page needs, as JSON: the largest image, the
// card memory sizes the boot screen can assume and the one it assumes.
QUARZEL_EXPORT(qz_constants) void qzConstants() {
  nlohmann::json memory = nlohmann::json::array();
  for (const std::uint32_t size : quarzel::kMemoryChoices) memory.push_back(size);
  outputText = nlohmann::json{{"imageCapacity", quarzel::kImageCapacity},
                              {"memoryChoices", memory},
                              {"defaultMemory", quarzel::kDefaultMemoryMegabytes}}
                   .dump();
}

// Opens the file whose name is the input's first `nameLength` bytes and
// whose bytes follow. 0: opened; 1: refused, the message in the output text.
QUARZEL_EXPORT(qz_open) int qzOpen(std::size_t nameLength) {
  const auto name = inputPart(0, nameLength);
  const auto file = inputPart(nameLength, input.size() - std::min(nameLength, input.size()));
  outputText = quarzel::web::openFile(session, std::string(name.begin(), name.end()), file);
  return outputText.empty() ? 0 : 1;
}

// The screen the card shows at power-on, as RGBA bytes in the output bytes,
// ready for a canvas; its width and height as the output text "WIDTH HEIGHT".
QUARZEL_EXPORT(qz_preview) int qzPreview(std::uint32_t memoryMegabytes) {
  if (!session.open || !quarzel::isMemoryChoice(memoryMegabytes)) return 1;
  quarzel::drawBootScreen(session.image, session.layout, {memoryMegabytes}, session.screen);
  const auto& pixels = session.screen.pixels;
  outputBytes.resize(pixels.size() * 4);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    outputBytes[4 * i] = static_cast<std::uint8_t>(pixels[i] >> 16);
    outputBytes[4 * i + 1] = static_cast<std::uint8_t>(pixels[i] >> 8);
    outputBytes[4 * i + 2] = static_cast<std::uint8_t>(pixels[i]);
    outputBytes[4 * i + 3] = 0xFF;
  }
  outputText = std::to_string(session.screen.width) + " " + std::to_string(session.screen.height);
  return 0;
}

// The image as saved, checksum corrected, in the output bytes; 1 with the
// reason in the output text where it cannot be saved.
QUARZEL_EXPORT(qz_save) int qzSave() {
  if (!session.open) return 1;
  auto saved = quarzel::web::savedImage(session);
  outputText = std::move(saved.error);
  outputBytes = std::move(saved.bytes);
  return outputText.empty() ? 0 : 1;
}
