// The VESA Strings page's controls for each OEM string, in VesaIndex order.
#pragma once

#include <array>

#include "analysis/bios_layout.h"
#include "resources/resource.h"

namespace quarzel::app {

struct VesaControls {
  int text, offset, maxLength;
};

inline constexpr std::array<VesaControls, kVesaStringCount> kVesaControls{{
    {IDC_VESA_VENDOR_INFO, IDC_VESA_VENDOR_INFO_OFFSET, IDC_VESA_VENDOR_INFO_MAX},
    {IDC_VESA_VENDOR_NAME, IDC_VESA_VENDOR_NAME_OFFSET, IDC_VESA_VENDOR_NAME_MAX},
    {IDC_VESA_PRODUCT_NAME, IDC_VESA_PRODUCT_NAME_OFFSET, IDC_VESA_PRODUCT_NAME_MAX},
    {IDC_VESA_PRODUCT_REVISION, IDC_VESA_PRODUCT_REVISION_OFFSET, IDC_VESA_PRODUCT_REVISION_MAX},
}};

}  // namespace quarzel::app
