// The boot command's run: the emulated PC started on the ROM, then its
// screen, and the card's report from the emulator's log, read back.
#include "cli/boot/boot_args.h"
#include "cli/cli_support.h"

#ifdef _WIN32

namespace quarzel::cli {

int boot(const BootArgs&) { return fail("boot runs on Linux, with Debian's Bochs"); }

}  // namespace quarzel::cli

#else

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "analysis/pci_vesa/pci_devices.h"
#include "cli/boot/boot_floppy.h"
#include "cli/boot/boot_machine.h"
#include "cli/boot/card_report.h"
#include "formats/pcir_structure.h"
#include "cli/boot/child_process.h"
#include "cli/boot/virtual_display.h"
#include "formats/file_io.h"
#include "formats/text_format.h"
#include "formats/text_page.h"

namespace quarzel::cli {

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr const char* kPcBios = "/usr/share/bochs/BIOS-bochs-latest";
constexpr const char* kPackages = "bochs bochsbios vgabios bochs-x";

// A folder of its own for the run's files, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "quarzel-boot-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  bool made() const { return !path_.empty(); }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// With `window` the emulator shows the screen in an X window; without, on a
// headless display, which stops the emulator at the card's 16-bit modes.
std::string machineConfig(const TempFolder& folder, const EmulatedCard& card, bool window) {
  return formatText(
      "megs: 32\n"
      "romimage: file=%s, options=fastboot\n"
      "vgaromimage: file=%s\n"
      "vga: extension=voodoo\n"
      "voodoo: enabled=1, model=%s\n"
      "pci: enabled=1, chipset=i440fx\n"
      "floppya: 1_44=%s, status=inserted\n"
      "boot: floppy\n"
      "clock: sync=none\n"
      "display_library: %s\n"
      "magic_break: enabled=1\n"
      "port_e9_hack: enabled=1\n"
      "log: %s\n",
      kPcBios, folder.file("rom.bin").c_str(), card.model, folder.file("boot.img").c_str(),
      window ? "x" : "rfb, options=\"timeout=0\"", folder.file("bochs.log").c_str());
}

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) {
  const FileRead read = readWholeFile(path, 1 << 20);
  return read.bytes;
}

std::string missingTools(const BootArgs& args) {
  std::vector<std::string> needed = {"bochs"};
  if (args.out || args.mode) needed.push_back("Xvfb");
  if (args.out) needed.insert(needed.end(), {"xwininfo", "import"});
  std::string missing;
  for (const std::string& tool : needed)
    if (!onPath(tool)) missing += (missing.empty() ? "" : ", ") + tool;
  if (access(kPcBios, R_OK) != 0) missing += std::string(missing.empty() ? "" : ", ") + kPcBios;
  return missing;
}

// What the run saw: the text page and the BIOS data area's video mode at
// the boot floppy, and with a mode, the BIOS's answer to setting it.
struct Screen {
  std::vector<std::uint8_t> textPage;
  int videoMode = -1;
  bool timedOut = false;
  bool picture = false;
  // AX after the mode set's INT 10h; empty without a mode, or when the BIOS
  // did not come back in time.
  std::optional<std::uint16_t> modeAnswer;
};

std::chrono::steady_clock::time_point deadlineAfter(double seconds) {
  return Clock::now() + std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

// Runs the boot sector on through its mode set to its second magic break,
// and has the emulator save the BIOS's answer; false after the time-out.
bool runModeSet(ChildProcess& bochs, const TempFolder& folder, double timeout) {
  bochs.write("c\n");
  if (!bochs.readUntil("Magic breakpoint", deadlineAfter(timeout))) {
    bochs.interrupt();  // into its debugger, which reads the quit
    return false;
  }
  bochs.write(formatText("writemem \"%s\" 0x%X 2\n", folder.file("answer.bin").c_str(), kModeAnswer));
  return true;
}

std::optional<Screen> runMachine(const BootArgs& args, const TempFolder& folder, const EmulatedCard& card) {
  std::optional<VirtualDisplay> display;
  if (args.out || args.mode) {
    display = startDisplay();
    if (!display) return std::nullopt;
  }
  std::ofstream(folder.file("machine.rc")) << machineConfig(folder, card, display.has_value());
  std::vector<std::string> environment;
  if (display) environment.push_back("DISPLAY=" + display->name);
  ChildProcess bochs({"bochs", "-q", "-f", folder.file("machine.rc")}, environment, true);
  if (!bochs.started()) return std::nullopt;
  Screen screen;
  // The debugger stops before the first instruction; the time-out counts
  // from there, so that Ctrl-C always finds the machine running.
  if (!bochs.readUntil("<bochs:1>", Clock::now() + std::chrono::seconds(20))) return std::nullopt;
  bochs.write("c\n");
  if (!bochs.readUntil("Magic breakpoint", deadlineAfter(args.timeout))) {
    // Ctrl-C stops the emulation in its debugger, which can still save the
    // screen so far.
    screen.timedOut = true;
    bochs.interrupt();
    if (!bochs.readUntil("<bochs:", Clock::now() + std::chrono::seconds(5))) return std::nullopt;
  }
  if (args.out) screen.picture = takePicture(display->name, folder.file("screen.png"));
  bochs.write(formatText("writemem \"%s\" 0xb8000 %zu\nwritemem \"%s\" 0x449 1\n", folder.file("text.bin").c_str(),
                         kTextPageBytes, folder.file("mode.bin").c_str()));
  const bool modeSet = args.mode && !screen.timedOut && runModeSet(bochs, folder, args.timeout);
  bochs.write("quit\n");
  bochs.finish(Clock::now() + std::chrono::seconds(5));
  const auto text = readFile(folder.file("text.bin"));
  const auto mode = readFile(folder.file("mode.bin"));
  if (!text || !mode || mode->empty()) return std::nullopt;
  screen.textPage = *text;
  screen.videoMode = (*mode)[0];
  if (modeSet) {
    const auto answer = readFile(folder.file("answer.bin"));
    if (!answer || answer->size() != 2) return std::nullopt;
    screen.modeAnswer = static_cast<std::uint16_t>((*answer)[0] | (*answer)[1] << 8);
  }
  return screen;
}

bool textMode(int mode) { return mode <= 3 || mode == 7; }

}  // namespace

int boot(const BootArgs& args) {
  const auto analysed = readAndAnalyse(args.file);
  if (!analysed) return 1;
  const Image& image = analysed->image;
  const BiosLayout& layout = analysed->layout;
  const auto card = emulatedCard(image, layout);
  if (!card) {
    const auto vendor = layout.pcir ? image.word(*layout.pcir + kPcirVendorId) : std::nullopt;
    const auto device = layout.pcir ? image.word(*layout.pcir + kPcirDeviceId) : std::nullopt;
    const std::string chip = vendor && device ? lookupDeviceNames(*vendor, *device).device : "";
    return fail(args.file + ": the emulator has no card for " + (chip.empty() ? "this BIOS's chip" : "a " + chip) +
                "; it emulates the Banshee and the Voodoo3 only");
  }
  if (const std::string missing = missingTools(args); !missing.empty())
    return fail("boot needs " + missing + ": apt-get install " + kPackages +
                (args.out ? " xvfb x11-utils imagemagick" : args.mode ? " xvfb" : ""));
  const TempFolder folder;
  if (!folder.made() || !writeBytes(folder.file("rom.bin"), emulatorRom(image)) ||
      !writeBytes(folder.file("boot.img"), bootFloppy(args.mode)))
    return fail("cannot write the emulator's files in " + fs::temp_directory_path().string());
  catchInterrupts();
  const auto screen = runMachine(args, folder, *card);
  if (interrupted()) return fail("boot interrupted; the emulator was stopped");
  if (!screen) return fail(args.file + ": the emulator did not run; see bochs -f with the same machine");

  const std::string text = textPageText(screen->textPage);
  if (textMode(screen->videoMode))
    print(text);
  else
    print(formatText("(the screen is in graphics mode %02Xh; -o shows it. The PC BIOS's own messages after a "
                     "logo may be drawn in colour 0, black on black, here; a real board's PC BIOS may differ.)\n",
                     screen->videoMode));
  if (args.out) {
    const auto picture = screen->picture ? readFile(folder.file("screen.png")) : std::nullopt;
    if (!picture) return fail("the screen's picture could not be taken");
    if (const int status = writeOrReport(*args.out, picture->data(), picture->size()); status != 0) return status;
  }
  if (screen->timedOut)
    return fail(formatText("%s did not come back to the PC BIOS within %g s; the screen so far is shown",
                           args.file.c_str(), args.timeout));
  if (textMode(screen->videoMode) && text.empty())
    return fail(args.file + (checksumOk(image) ? ": the screen stayed blank"
                                                   : ": the screen stayed blank: the ROM's checksum is wrong, so the "
                                                     "PC BIOS skipped it, as a real one does"));
  if (!args.mode) return 0;
  if (!screen->modeAnswer)
    return fail(formatText("%s did not come back from setting mode %02Xh within %g s", args.file.c_str(),
                           *args.mode, args.timeout));
  if (*screen->modeAnswer != kVesaSuccess)
    return fail(formatText("%s: the BIOS refused mode %02Xh (INT 10h AX=4F02h returned AX=%04Xh)",
                           args.file.c_str(), *args.mode, *screen->modeAnswer));
  print(cardReportLine(*args.mode, readCardReport(folder.file("bochs.log"))));
  return 0;
}

}  // namespace quarzel::cli

#endif
