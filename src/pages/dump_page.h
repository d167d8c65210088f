// The Dump page's listing and its colouring, which every page uses to show
// where its bytes are.
#pragma once

#include <cstddef>
#include <optional>

#include "formats/image.h"

namespace quarzel::app {

// Rebuilds the listing of BiosImage, colours the bytes that differ from
// BiosBackup red and [offset, offset + length) blue (when both are
// non-zero), and scrolls the line of the offset to the top. The plain
// rebuild after a change of the image, (0, 0), keeps the range last shown
// blue, as the view stays where it was.
void showInDump(int offset, int length);

// The rebuild after a new file is loaded: from the listing's first line,
// nothing blue.
void showNewImageInDump();

// An offset button's click: its item's first `length` bytes blue and on
// top; nothing marked for an item not found.
void showItemInDump(const std::optional<Offset>& location, std::size_t length);

}  // namespace quarzel::app
