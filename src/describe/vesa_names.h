// The four VESA OEM strings as quarzel-cli names them: the VESA Strings
// page's label, the --vesa field and the JSON key.
#pragma once

#include <array>

#include "analysis/bios_layout.h"

namespace quarzel {

struct VesaName {
  const char* label;
  const char* option;
  const char* key;
};

// In VesaIndex order.
inline constexpr std::array<VesaName, kVesaStringCount> kVesaNames{{
    {"Vendor info", "vendor-info", "vendorInfo"},
    {"Vendor name", "vendor-name", "vendorName"},
    {"Product name", "product-name", "productName"},
    {"Product revision", "product-revision", "productRevision"},
}};

}  // namespace quarzel
