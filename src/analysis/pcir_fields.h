// The PCI data structure's fields as the PCIR page shows them, with the
// vendor and chip family named from the device table.
#pragma once

#include <array>
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

// The page's rows in its order: the label, the value and, on four rows,
// the text shown beside the value.
struct PcirFieldRow {
  const char* label;
  std::string PcirFields::*value;
  std::string PcirFields::*meaning = nullptr;
};
inline constexpr std::array<PcirFieldRow, 10> kPcirFieldRows{{
    {"Vendor ID", &PcirFields::vendorIdText, &PcirFields::vendorName},
    {"Device ID", &PcirFields::deviceIdText, &PcirFields::deviceName},
    {"Pointer to vital product data", &PcirFields::vitalProductData},
    {"PCI data structure length", &PcirFields::structureLength},
    {"PCI structure rev", &PcirFields::structureRevision},
    {"Class code", &PcirFields::classCode, &PcirFields::classText},
    {"ROM Image size", &PcirFields::imageLength, &PcirFields::imageSizeText},
    {"Rev level of code/data", &PcirFields::codeRevision},
    {"Code Type", &PcirFields::codeType},
    {"Indicator", &PcirFields::indicator},
}};

// A row as the page shows it: the value, then two blanks and the text
// beside it on the rows that have one.
std::string pcirRowText(const PcirFields& fields, const PcirFieldRow& row);

// The fields of the structure at `offset`, which the locator found inside
// the image.
PcirFields readPcirFields(const Image& image, Offset offset);

}  // namespace quarzel
