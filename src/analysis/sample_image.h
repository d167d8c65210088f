// The built-in sample: a synthetic 32 KiB ROM made by this project in which
// every item the program edits can be found, with free space for a logo.
#pragma once

#include "formats/image.h"

namespace quarzel {

Image sampleImage();

}  // namespace quarzel
