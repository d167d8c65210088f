// boot: the ROM as the video BIOS of an emulated PC (Bochs, with its Banshee
// or Voodoo3 card), and the screen it leaves when the PC reaches its boot
// floppy: the text page as text, and with -o the screen as a PNG picture
// taken from a private virtual display. With --mode, the boot floppy then
// sets a VESA mode, and the resolution and refresh the emulated card
// computes for it are read from the emulator's log.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <memory>
#include <thread>

#include "analysis/analysis_pass.h"
#include "cli/boot/boot_machine.h"
#include "analysis/pci_vesa/pci_devices.h"
#include "cli/cli_support.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "formats/file_io.h"
#include "formats/number_text.h"
#include "formats/text_format.h"
#include "formats/text_page.h"

namespace quarzel::cli {

namespace {

constexpr double kDefaultTimeout = 30;

struct BootArgs {
  std::string file;
  std::optional<std::string> out;
  double timeout = kDefaultTimeout;
  std::optional<std::uint16_t> mode;
};

// A VESA mode number in hexadecimal as the BIOS's tables show it: "117h",
// "117" or "0x117".
std::optional<std::uint16_t> parseModeNumber(std::string_view text) {
  if (text.ends_with('h') || text.ends_with('H')) text.remove_suffix(1);
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  if (text.empty() || text.size() > 4 || !std::ranges::all_of(text, [](char c) { return hexDigitValue(c) >= 0; }))
    return std::nullopt;
  return static_cast<std::uint16_t>(*parseHexText(text));
}

int boot(const BootArgs& args);

}  // namespace

CommandRun addBootCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand(
      "boot", "start FILE as the video BIOS of an emulated PC (Bochs) and show its screen at the boot floppy");
  struct Options {
    std::string file;
    std::optional<std::string> out, timeout, mode;
  };
  const auto o = std::make_shared<Options>();
  command->add_option("FILE", o->file, "the BIOS image")->required();
  command->add_option("-o", o->out, "save the screen as a PNG picture")->type_name("SCREEN.png");
  command->add_option("--timeout", o->timeout, "give up after S seconds (default 30)")->type_name("S");
  command->add_option("--mode", o->mode, "then set VESA mode N (hexadecimal, 117h) and report its refresh")
      ->type_name("N");
  return [o] {
    BootArgs args;
    args.file = o->file;
    args.out = o->out;
    if (o->timeout) {
      const auto seconds = readDecimalFraction(*o->timeout);
      if (!seconds || *seconds <= 0 || *seconds > 3600) usageError("--timeout takes seconds from 0 to 3600");
      args.timeout = *seconds;
    }
    if (o->mode) {
      args.mode = parseModeNumber(*o->mode);
      if (!args.mode) usageError("--mode takes a VESA mode number in hexadecimal, 0 to FFFFh: 117h");
    }
    return boot(args);
  };
}

}  // namespace quarzel::cli

#ifdef _WIN32

namespace quarzel::cli {
namespace {
int boot(const BootArgs&) { return fail("boot runs on Linux, with Debian's Bochs"); }
}  // namespace
}  // namespace quarzel::cli

#else

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "cli/boot/child_process.h"

namespace quarzel::cli {

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr const char* kPcBios = "/usr/share/bochs/BIOS-bochs-latest";
constexpr const char* kPackages = "bochs bochsbios vgabios bochs-x";
// The emulator's X window: its button bar above the screen, its status line
// below.
constexpr int kHeaderBarPixels = 32, kStatusBarPixels = 18;

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

// Where the boot sector keeps the BIOS's answer to a mode set: the word
// past the sector at 0:7C00h.
constexpr std::uint16_t kModeAnswer = 0x7E00;
constexpr std::uint16_t kVesaSuccess = 0x004F;

// A floppy whose boot sector stops the emulator at once: by then the video
// BIOS has run its start-up, and the PC has written its own boot messages.
// With a mode, the sector then sets it and stops again.
std::vector<std::uint8_t> bootFloppy(std::optional<std::uint16_t> mode) {
  std::vector<std::uint8_t> sector = {0x87, 0xDB};  // xchg bx,bx: the magic break
  if (mode) {
    const std::uint8_t setMode[] = {
        0x31, 0xC0,                                                 // xor ax,ax
        0x8E, 0xD8,                                                 // mov ds,ax
        0xB8, 0x02, 0x4F,                                           // mov ax,4F02h: VESA set mode
        0xBB, static_cast<std::uint8_t>(*mode), static_cast<std::uint8_t>(*mode >> 8),  // mov bx,mode
        0xCD, 0x10,                                                 // int 10h
        0xA3, kModeAnswer & 0xFF, kModeAnswer >> 8,                 // mov [kModeAnswer],ax
        0x87, 0xDB};                                                // xchg bx,bx
    sector.insert(sector.end(), std::begin(setMode), std::end(setMode));
  }
  sector.insert(sector.end(), {0xEB, 0xFE});  // jmp $
  std::vector<std::uint8_t> floppy(1474560, 0);
  std::copy(sector.begin(), sector.end(), floppy.begin());
  floppy[510] = 0x55;
  floppy[511] = 0xAA;
  return floppy;
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

// A private X display for the emulator's window; its number once it runs.
struct VirtualDisplay {
  std::unique_ptr<ChildProcess> server;
  std::string name;  // ":N"
};

std::optional<VirtualDisplay> startDisplay() {
  int ready[2];
  // Only Xvfb gets the write end, as its descriptor 3.
  if (pipe2(ready, O_CLOEXEC) != 0) return std::nullopt;
  VirtualDisplay display;
  display.server = std::make_unique<ChildProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
      std::vector<std::string>{}, false, ready[1]);
  close(ready[1]);
  std::string number;
  char c;
  // Xvfb writes its display number when it takes connections.
  while (display.server->started() && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
  close(ready[0]);
  if (number.empty()) return std::nullopt;
  display.name = ":" + number;
  return display;
}

// The number after `label` in xwininfo's report, or -1.
int reportedNumber(const std::string& report, const std::string& label) {
  const std::size_t at = report.find(label);
  if (at == std::string::npos) return -1;
  return std::atoi(report.c_str() + at + label.size());
}

// The emulated screen inside the emulator's window, below its button bar
// and above its status line: "WxH+X+Y" on the display.
std::optional<std::string> screenArea(const std::string& display) {
  const auto tree = runForOutput({"xwininfo", "-display", display, "-root", "-tree"});
  if (!tree) return std::nullopt;
  const std::size_t name = tree->find("\"Bochs");
  if (name == std::string::npos) return std::nullopt;
  const std::size_t id = tree->rfind("0x", name);
  if (id == std::string::npos) return std::nullopt;
  const auto window = runForOutput({"xwininfo", "-display", display, "-id", tree->substr(id, name - id - 1)});
  if (!window) return std::nullopt;
  // Without a window manager the corner xwininfo reports is outside the
  // window's border.
  const int border = std::max(0, reportedNumber(*window, "Border width:"));
  const int x = reportedNumber(*window, "Absolute upper-left X:") + border;
  const int y = reportedNumber(*window, "Absolute upper-left Y:") + border;
  const int width = reportedNumber(*window, "Width:"), height = reportedNumber(*window, "Height:");
  const int screenHeight = height - kHeaderBarPixels - kStatusBarPixels;
  if (x < 0 || y < 0 || width <= 0 || screenHeight <= 0) return std::nullopt;
  return formatText("%dx%d+%d+%d", width, screenHeight, x, y + kHeaderBarPixels);
}

bool takePicture(const std::string& display, const std::string& png) {
  // The window shows the last frame a moment after the emulator stops.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const auto area = screenArea(display);
  if (!area) return false;
  return runForOutput({"import", "-display", display, "-window", "root", "-crop", *area, "+repage", png})
      .has_value();
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

// What the emulated card logs while the boot sector sets a mode, between
// its two magic breaks:
//   00017302792i[VOODOO] Setting VCLK #3 (pllCtrl0) = 65.028 MHz
//   00017302837i[VVGA  ] switched to 1024 x 768 x 16 @ 60 Hz
// The clock only when the BIOS programs the PLL for the mode (not when it
// picks a fixed VGA clock, as for 640 x 480), the screen only for the card's
// own graphics modes (not for VGA and text modes), its refresh cut to whole
// hertz.
struct CardReport {
  struct ScreenMode {
    unsigned width, height, bitsPerPixel, hertz;
  };
  std::optional<ScreenMode> screen;
  std::optional<double> pixelClock;  // MHz
};

CardReport readCardReport(const std::string& logPath) {
  CardReport report;
  std::ifstream log(logPath);
  int breaks = 0;
  for (std::string line; breaks < 2 && std::getline(log, line);) {
    if (line.find("Stopped on MAGIC BREAKPOINT") != std::string::npos) ++breaks;
    if (breaks != 1) continue;
    CardReport::ScreenMode screen{};
    double clock = 0;
    if (const std::size_t at = line.find("switched to "); at != std::string::npos &&
        std::sscanf(line.c_str() + at, "switched to %u x %u x %u @ %u Hz", &screen.width, &screen.height,
                    &screen.bitsPerPixel, &screen.hertz) == 4)
      report.screen = screen;
    if (const std::size_t at = line.find("(pllCtrl0) = "); at != std::string::npos &&
        std::sscanf(line.c_str() + at, "(pllCtrl0) = %lf MHz", &clock) == 1)
      report.pixelClock = clock;
  }
  return report;
}

// "mode 117h: 1024 x 768 x 16 @ 60 Hz, pixel clock 65.028 MHz"
std::string cardReportLine(std::uint16_t mode, const CardReport& report) {
  std::string line = formatText("mode %02Xh: ", mode);
  if (report.screen)
    line += formatText("%u x %u x %u @ %u Hz", report.screen->width, report.screen->height, report.screen->bitsPerPixel,
                       report.screen->hertz);
  else
    line += "set";
  if (report.pixelClock) line += formatText(", pixel clock %.3f MHz", *report.pixelClock);
  if (!report.screen) line += "; the emulator reports no resolution or refresh for VGA and text modes";
  return line + "\n";
}

int boot(const BootArgs& args) {
  auto image = readImageOrReport(args.file);
  if (!image) return 1;
  BiosLayout layout;
  AnalysisPass(*image, layout);
  const auto card = emulatedCard(*image, layout);
  if (!card) {
    const auto vendor = layout.pcir ? image->word(*layout.pcir + 4) : std::nullopt;
    const auto device = layout.pcir ? image->word(*layout.pcir + 6) : std::nullopt;
    const std::string chip = vendor && device ? lookupDeviceNames(*vendor, *device).device : "";
    return fail(args.file + ": the emulator has no card for " + (chip.empty() ? "this BIOS's chip" : "a " + chip) +
                "; it emulates the Banshee and the Voodoo3 only");
  }
  if (const std::string missing = missingTools(args); !missing.empty())
    return fail("boot needs " + missing + ": apt-get install " + kPackages +
                (args.out ? " xvfb x11-utils imagemagick" : args.mode ? " xvfb" : ""));
  const TempFolder folder;
  if (!folder.made() || !writeBytes(folder.file("rom.bin"), emulatorRom(*image)) ||
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
    return fail(args.file + (checksumOk(*image) ? ": the screen stayed blank"
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

}  // namespace

}  // namespace quarzel::cli

#endif
