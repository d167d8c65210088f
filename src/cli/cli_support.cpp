#include "cli/cli_support.h"

#include <cstdio>
#include <span>
#include <utility>

#include <CLI/CLI.hpp>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "analysis/analysis_pass.h"
#include "formats/file_io.h"

namespace quarzel::cli {

int fail(const std::string& message) {
  std::fprintf(stderr, "quarzel-cli: %s\n", message.c_str());
  return 1;
}

void usageError(const std::string& message) { throw CLI::ValidationError(message); }

void print(const std::string& text) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::fwrite(text.data(), 1, text.size(), stdout);
}

bool stdoutIsTerminal() { return isatty(fileno(stdout)) != 0; }

std::string baseName(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<Image> readImageOrReport(const std::string& path) {
  ImageFile file = readImageFile(path);
  if (!file.image) fail(path + ": " + file.error);
  return file.image;
}

std::optional<AnalysedImage> readAndAnalyse(const std::string& path) {
  auto image = readImageOrReport(path);
  if (!image) return std::nullopt;
  AnalysedImage analysed{std::move(*image), {}};
  AnalysisPass(analysed.image, analysed.layout);
  return analysed;
}

int writeOrReport(const std::string& path, const std::uint8_t* bytes, std::size_t size) {
  const std::string error = writeFileAtomically(path, std::span(bytes, size));
  return error.empty() ? 0 : fail(path + ": " + error);
}

int writeOrReport(const std::string& path, const std::string& bytes) {
  return writeOrReport(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace quarzel::cli
