// Small window routines the pages share.
#pragma once

#include <windows.h>

#include <string>

namespace quarzel::app {

// Moves the window to the middle of the primary screen, size unchanged.
void centerOnScreen(HWND window);

// Copies the whole bitmap unscaled to (x, y) of `dc`.
void drawBitmap(HDC dc, int x, int y, HBITMAP bitmap);
// Answers a paint request with the bitmap at (x, y), drawn through the
// window's own held context when it has one; only validates while the
// bitmap does not exist.
void paintBitmap(HWND window, HDC held, int x, int y, HBITMAP bitmap);

// Control texts of the program: UTF-8, shown through the wide calls. At
// most maxChars characters are read; the whole text when it is negative.
void setText(HWND dialog, int id, const std::string& utf8);
std::string getText(HWND dialog, int id, int maxChars = -1);

// Texts in the ANSI code page: the BIOS image's texts, one byte a character,
// as they were read from it and as they go back into it, and the file names
// that the file dialogs return.
void setAnsiText(HWND dialog, int id, const std::string& bytes);
std::string getAnsiText(HWND dialog, int id, int maxChars = -1);
// A BIOS text in an edit whose limit is lifted while setting, then set to
// `limit` (0 lifts it), so a longer text from the image is shown whole but
// cannot grow.
void setLimitedText(HWND dialog, int id, const std::string& bytes, unsigned limit);
// "%04X" caption of an offset button; "0" when not located.
void setOffsetCaption(HWND dialog, int id, unsigned offset);
void enable(HWND dialog, int id, bool on);

// A page taller or shorter than it was laid out for gives the difference
// to one control: `stretched` grows by it, and the controls below it move
// down as far. The first call, from the page's WM_INITDIALOG, only notes
// the height; calls before the controls exist do nothing.
void stretchDown(HWND page, int stretched, int height);

// The Fonts and Logo pages paint through a drawing context of their own
// while they are shown; at most one is held for a page at a time.
void holdPageDC(HDC& held, HWND page);
void releasePageDC(HDC& held, HWND page);
// Holds a context for the page when it is shown, releases it when hidden.
void holdPageDCWhileShown(HDC& held, HWND page, bool shown);

}  // namespace quarzel::app
