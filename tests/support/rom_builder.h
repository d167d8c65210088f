// Tests build their synthetic images with the project's ROM builder.
#pragma once

#include "formats/rom_builder.h"

namespace quarzel::test {
using quarzel::RomBuilder;
}  // namespace quarzel::test
