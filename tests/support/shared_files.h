// The real BIOS images and DOS code-page files kept beside the project in
// ../shared. The images may come from any folder that holds them under
// their own names: QUARZEL_ROMS=DIR takes the place of ../shared/roms. A
// test that needs a file skips when it is absent, except under CI=true,
// where a missing file fails the test that wanted it.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/image.h"

namespace quarzel::test {

// One of the real images in ../shared/roms, and the name a parameterised
// test takes from it (letters, digits and _ only).
struct RealRom {
  const char* file;
  const char* name;
};
inline constexpr RealRom kAgpSg{"Agp_sg.rom", "Agp_sg"};
inline constexpr RealRom kBlasterAgp{"BlasterAGP.rom", "BlasterAGP"};
inline constexpr RealRom kVelocity100{"Velocity100.VBI", "Velocity100"};
inline constexpr RealRom k3k12sd{"3k12sd.rom", "3k12sd"};
inline constexpr RealRom kV3_3500Compaq{"V3_3500_AGP_SD_2.15.05_Compaq.rom", "V3_3500_Compaq"};
inline constexpr RealRom kRealRoms[] = {kAgpSg, kBlasterAgp, kVelocity100, k3k12sd, kV3_3500Compaq};

inline std::ostream& operator<<(std::ostream& out, const RealRom& rom) { return out << rom.file; }

// Names a case of a suite instantiated over real images by its image:
// "RealRoms/RealImageFonts.LocatesFonts/Agp_sg". The parameter is a RealRom
// or holds one as `rom`.
struct RealRomName {
  std::string operator()(const testing::TestParamInfo<RealRom>& info) const { return info.param.name; }
  template <class Case>
  std::string operator()(const testing::TestParamInfo<Case>& info) const {
    return info.param.rom.name;
  }
};

// The folder of the real images: QUARZEL_ROMS, or ../shared/roms.
std::string romsFolder();
// A file of ../shared; "roms/NAME" is NAME in romsFolder().
std::string sharedPath(const std::string& relative);

// The start of every skip for want of a real file: scripts/test counts the
// skips that carry it and says how to supply the files.
inline constexpr const char* kRealImageAbsent = "real image absent (QUARZEL_ROMS=DIR or ../shared/roms): ";
inline constexpr const char* kSharedDataAbsent = "code-page file absent (../shared/data): ";
std::string realRomPath(const RealRom& rom);
// Empty when the file cannot be read: the caller skips, and under CI=true
// the running test has failed already.
std::optional<std::vector<std::uint8_t>> readSharedFile(const std::string& relative);
std::optional<Image> readRealRom(const RealRom& rom);

}  // namespace quarzel::test

// Loads the real image `rom` (a test::RealRom) into `var`, or skips the test.
#define QUARZEL_REAL_ROM(var, rom)                                         \
  const auto var##_loaded = ::quarzel::test::readRealRom(rom);             \
  if (!var##_loaded) GTEST_SKIP() << ::quarzel::test::kRealImageAbsent << (rom); \
  const ::quarzel::Image& var = *var##_loaded
