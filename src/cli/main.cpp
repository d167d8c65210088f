// quarzel-cli: inspection of 3dfx video BIOS images from the command line.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "analysis/analysis_pass.h"
#include "cli/image_file.h"
#include "cli/reports.h"
#include "cli/sample_image.h"
#include "analysis/video_modes.h"
#include "formats/dump_listing.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

constexpr const char* kUsage =
    "usage: quarzel-cli info [--json] FILE   report every item found in a BIOS image\n"
    "       quarzel-cli mode FILE [ROW]      the registers of video mode ROW (0-54, default 0)\n"
    "       quarzel-cli mode --list          the rows of the video mode list\n"
    "       quarzel-cli dump FILE            the image as a hex listing (CR LF lines)\n"
    "       quarzel-cli sample -o FILE       write the built-in sample image\n";

int usageError(const std::string& message) {
  std::fprintf(stderr, "quarzel-cli: %s\n%s", message.c_str(), kUsage);
  return 2;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "quarzel-cli: %s\n", message.c_str());
  return 1;
}

void print(const std::string& text) {
  // Binary output: the listing's CR LF must not become CR CR LF on Windows.
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string baseName(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int info(const std::vector<std::string>& args) {
  const bool json = !args.empty() && args[0] == "--json";
  if (args.size() != (json ? 2u : 1u)) return usageError("info takes one file");
  const std::string& path = args.back();
  const ImageFile file = readImageFile(path);
  if (!file.image) return fail(file.error);
  BiosLayout layout;
  AnalysisPass(*file.image, layout);
  print(json ? infoJson(*file.image, layout) : infoText(baseName(path), *file.image, layout));
  return 0;
}

int mode(const std::vector<std::string>& args) {
  if (args.size() == 1 && args[0] == "--list") {
    std::string list;
    for (std::size_t row = 0; row < kVideoModeCount; ++row) list += formatText("%2zu  %s\n", row, kVideoModes[row].text);
    print(list);
    return 0;
  }
  if (args.empty() || args.size() > 2) return usageError("mode takes a file and a row");
  std::size_t row = 0;
  if (args.size() == 2) {
    const std::string& text = args[1];
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos ||
        std::stoul(text) >= kVideoModeCount)
      return usageError("the row is a number from 0 to 54");
    row = std::stoul(text);
  }
  const ImageFile file = readImageFile(args[0]);
  if (!file.image) return fail(file.error);
  BiosLayout layout;
  AnalysisPass(*file.image, layout);
  print(modeText(*file.image, layout, row));
  return 0;
}

int dump(const std::vector<std::string>& args) {
  if (args.size() != 1) return usageError("dump takes one file");
  const ImageFile file = readImageFile(args[0]);
  if (!file.image) return fail(file.error);
  print(dumpListing(*file.image));
  return 0;
}

int sample(const std::vector<std::string>& args) {
  if (args.size() != 2 || args[0] != "-o") return usageError("sample needs -o FILE");
  const Image image = sampleImage();
  const std::string error = writeFileAtomically(args[1], {image.bytes.data(), image.size});
  return error.empty() ? 0 : fail(error);
}

}  // namespace

int run(int argc, char** argv) {
  if (argc < 2) return usageError("no command given");
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "info") return info(args);
  if (command == "mode") return mode(args);
  if (command == "dump") return dump(args);
  if (command == "sample") return sample(args);
  if (command == "help" || command == "--help" || command == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  return usageError("unknown command '" + command + "'");
}

}  // namespace quarzel::cli

int main(int argc, char** argv) { return quarzel::cli::run(argc, argv); }
