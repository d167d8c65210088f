#include "analysis/pci_vesa/pci_devices.h"

#include <algorithm>

#include "formats/pcir_structure.h"

namespace quarzel {

namespace {
constexpr auto kWhole = PciDevice::Match::WholeDeviceId;
constexpr auto kHigh = PciDevice::Match::HighByte;
constexpr const char* k3dfx = "3Dfx Interactive, Inc.";
constexpr const char* kAti = "ATI Technologies Inc";
constexpr const char* kNvidia = "nVidia Corp";

bool matches(const PciDevice& row, std::uint16_t vendorId, std::uint16_t deviceId) {
  const unsigned device = row.match == kHigh ? deviceId >> 8u : deviceId;
  return row.vendor == vendorId && row.device == device;
}
}  // namespace

// Searched in this order: the exact 3dfx ids come first, then chip families
// of other vendors by the high byte of the device id.
constexpr std::array<PciDevice, 15> kPciDevices{{
    {k3dfxVendorId, 0x0003, kWhole, k3dfx, "Banshee-based card"},
    {k3dfxVendorId, 0x0005, kWhole, k3dfx, "Avenger-based card"},
    {k3dfxVendorId, 0x0009, kWhole, k3dfx, "Napalm-based card"},
    {k3dfxVendorId, 0x000B, kWhole, k3dfx, "Napalm2-based card"},
    {k3dfxVendorId, 0x0010, kWhole, k3dfx, "Rampage-based card"},
    {0x1142, 0x643D, kWhole, "Alliance Semiconductor", "Voodoo Rush"},
    {0x10D9, 0x8626, kWhole, "Macronix International Co Ltd", "Voodoo Rush"},
    {0x1002, 0x51, kHigh, kAti, "R2xx-based card"},
    {0x1002, 0x41, kHigh, kAti, "R3xx-based card"},
    {0x1002, 0x4E, kHigh, kAti, "R3xx-based card"},
    {0x1002, 0x4A, kHigh, kAti, "R4xx-based card"},
    {0x10DE, 0x0020, kWhole, kNvidia, "NV4-based card"},
    {0x10DE, 0x00, kHigh, kNvidia, "NV5-based card"},
    {0x10DE, 0x01, kHigh, kNvidia, "NV1x-based card"},
    {0x10DE, 0x02, kHigh, kNvidia, "NV2x-based card"},
}};

DeviceNames lookupDeviceNames(std::uint16_t vendorId, std::uint16_t deviceId) {
  const auto row = std::ranges::find_if(
      kPciDevices, [&](const PciDevice& candidate) { return matches(candidate, vendorId, deviceId); });
  if (row != kPciDevices.end()) return {row->vendorName, row->deviceName};
  // An unknown chip of a known vendor still names the vendor.
  const auto vendor = std::ranges::find(kPciDevices, vendorId, &PciDevice::vendor);
  if (vendor != kPciDevices.end()) return {vendor->vendorName, {}};
  return {};
}

}  // namespace quarzel
