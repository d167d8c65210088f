// The Dump page's listing and its colouring, which every page uses to show
// where its bytes are.
#pragma once

namespace quarzel::app {

// Rebuilds the listing of BiosImage, colours the bytes that differ from
// BiosBackup red and [offset, offset + length) blue (when both are
// non-zero), and scrolls the line of the offset to the top.
void showInDump(int offset, int length);

// Waits, handling the worker's requests, until the current colouring is
// done; its thread is then closed.
void finishHighlighting();

}  // namespace quarzel::app
