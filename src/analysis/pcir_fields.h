// The PCI data structure's fields as the PCIR page shows them, with the
// vendor and chip family named from the device table.
#pragma once

#include <cstdint>
#include <string>

#include "formats/image.h"

namespace quarzel {

struct PcirFields {
  std::uint16_t vendorId = 0, deviceId = 0;
  std::string vendorIdText;        // 1072 "%04X"
  std::string vendorName;          // 1086
  std::string deviceIdText;        // 1075 "%04X"
  std::string deviceName;          // 1087
  std::string vitalProductData;    // 1077 "%04X"
  std::string structureLength;     // 1078 "%04X"
  std::string structureRevision;   // 1080 "%02X"
  std::string classCode;           // 1081 "%02X%02X%02X", byte 13 first
  std::string classText;           // 1079
  std::string imageLength;         // 1082 "%04X"
  std::string imageSizeText;       // 1088 "%dk"
  std::string codeRevision;        // 1083 "%04X"
  std::string codeType;            // 1084 "%02X"
  std::string indicator;           // 1085 "%02X"
};

// The fields of the structure at `offset`, which the locator found inside
// the image.
PcirFields readPcirFields(const Image& image, Offset offset);

}  // namespace quarzel
