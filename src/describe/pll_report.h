// PLLCtrl1 in the reports: its dividers and the clock they make, as text
// and as the JSON object "pll".
#pragma once

#include <cstdint>
#include <string>

#include "analysis/registers/pll.h"
#include "describe/json.h"

namespace quarzel {

// "K 1, M 3, N 74, test 0"
std::string dividersText(const PllDividers& dividers);
// "K 1, M 3, N 74, test 0: 100.227 MHz"
std::string pllText(std::uint32_t value);
// {"k": 1, "m": 3, "n": 74, "test": 0, "frequency": "100.227 MHz"}
Json pllJson(std::uint32_t value);

}  // namespace quarzel
