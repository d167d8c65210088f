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
  std::string vendorIdText;        // "%04X"
  std::string vendorName;
  std::string deviceIdText;        // "%04X"
  std::string deviceName;
  std::string vitalProductData;    // "%04X"
  std::string structureLength;     // "%04X"
  std::string structureRevision;   // "%02X"
  std::string classCode;           // "%02X%02X%02X", byte 13 first
  std::string classText;
  std::string imageLength;         // "%04X"
  std::string imageSizeText;       // "%dk"
  std::string codeRevision;        // "%04X"
  std::string codeType;            // "%02X"
  std::string indicator;           // "%02X"
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
