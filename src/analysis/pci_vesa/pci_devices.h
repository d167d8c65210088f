// Vendors and chip families a video BIOS may name in its PCI data structure.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quarzel {

struct PciDevice {
  enum class Match { WholeDeviceId, HighByte };
  std::uint16_t vendor;
  std::uint16_t device;  // whole id, or the high byte
  Match match;
  const char* vendorName;
  const char* deviceName;
};

extern const std::array<PciDevice, 15> kPciDevices;

struct DeviceNames {
  std::string vendor;  // empty when no row has the vendor
  std::string device;  // empty when no row names the device
};

DeviceNames lookupDeviceNames(std::uint16_t vendorId, std::uint16_t deviceId);

}  // namespace quarzel
