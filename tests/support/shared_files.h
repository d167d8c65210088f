// The real BIOS images and DOS code-page files kept beside the project in
// ../shared. A test that needs one skips when the folder is absent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/image.h"

namespace quarzel::test {

// The real images in ../shared/roms.
inline constexpr const char* kRealRomFiles[] = {"Agp_sg.rom", "BlasterAGP.rom", "Velocity100.VBI", "3k12sd.rom",
                                                "V3_3500_AGP_SD_2.15.05_Compaq.rom"};

std::string sharedPath(const std::string& relative);
std::optional<std::vector<std::uint8_t>> readSharedFile(const std::string& relative);
std::optional<Image> readRealRom(const std::string& name);

}  // namespace quarzel::test

// Loads ../shared/roms/NAME into `var`, or skips the test.
#define QUARZEL_REAL_ROM(var, name)                                          \
  const auto var##_loaded = ::quarzel::test::readRealRom(name);             \
  if (!var##_loaded) GTEST_SKIP() << "shared/roms/" << (name) << " absent"; \
  const ::quarzel::Image& var = *var##_loaded
