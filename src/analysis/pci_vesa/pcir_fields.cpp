#include "analysis/pci_vesa/pcir_fields.h"

#include <utility>

#include "analysis/pci_vesa/pci_devices.h"
#include "analysis/pci_vesa/pcir_locator.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {
// Class code bytes 13, 14, 15: programming interface, sub-class, base class.
constexpr std::uint8_t kVgaInterface = 0x00, kVgaSubClass = 0x00, kDisplayClass = 0x03;
}  // namespace

PcirFields readPcirFields(const Image& image, Offset offset) {
  // Bytes past the end of the buffer read as 0.
  const auto word = [&](std::size_t at) -> unsigned { return image.word(offset + at).value_or(0); };
  const auto byte = [&](std::size_t at) -> unsigned { return image.byteAt(offset + at).value_or(0); };

  PcirFields fields;
  fields.vendorId = static_cast<std::uint16_t>(word(kPcirVendorId));
  fields.deviceId = static_cast<std::uint16_t>(word(kPcirDeviceId));
  fields.vendorIdText = formatText("%04X", unsigned{fields.vendorId});
  fields.deviceIdText = formatText("%04X", unsigned{fields.deviceId});
  DeviceNames names = lookupDeviceNames(fields.vendorId, fields.deviceId);
  fields.vendorName = std::move(names.vendor);
  fields.deviceName = std::move(names.device);
  fields.vitalProductData = formatText("%04X", word(8));
  fields.structureLength = formatText("%04X", word(10));
  fields.structureRevision = formatText("%02X", byte(12));

  const unsigned interface = byte(13), subClass = byte(14), baseClass = byte(15);
  fields.classCode = formatText("%02X%02X%02X", interface, subClass, baseClass);
  if (interface == kVgaInterface && subClass == kVgaSubClass && baseClass == kDisplayClass)
    fields.classText = "VGA-compatible video card";

  const unsigned length = word(kPcirImageLength);  // in 512-byte units
  fields.imageLength = formatText("%04X", length);
  fields.imageSizeText = formatText("%dk", static_cast<int>(length / 2));
  fields.codeRevision = formatText("%04X", word(18));
  fields.codeType = formatText("%02X", byte(20));
  fields.indicator = formatText("%02X", byte(21));
  return fields;
}

std::string pcirRowText(const PcirFields& fields, const PcirFieldRow& row) {
  return row.meaning ? fields.*row.value + "  " + fields.*row.meaning : fields.*row.value;
}

}  // namespace quarzel
