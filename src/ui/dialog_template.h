// Dialog templates built in memory (DLGTEMPLATEEX), for dialogs whose
// controls come from the program's own tables rather than from the
// resource script. Texts are UTF-8; positions are dialog units.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quarzel::app {

struct DialogControl {
  enum Kind { Static, Edit, Button, Bitmap };
  Kind kind;
  int id;  // -1: a static that no code addresses
  int x, y, width, height;
  std::string text;   // Bitmap: unused
  DWORD style = 0;    // added to the kind's own style
  int bitmapId = 0;   // Bitmap: the resource shown
};

class DialogTemplateBuilder {
 public:
  // A modal dialog with a caption and the font "MS Sans Serif" 8 point.
  DialogTemplateBuilder(std::string title, int width, int height, bool systemMenu);

  void add(const DialogControl& control);

  // The template; it lives as long as the vector.
  std::vector<std::uint8_t> build() const;

 private:
  std::string title_;
  int width_, height_;
  bool systemMenu_;
  std::vector<DialogControl> controls_;
};

// How texts lay out in the dialog font, measured on the screen with the
// font a dialog of this template gets.
class DialogTextMetrics {
 public:
  DialogTextMetrics();
  ~DialogTextMetrics();
  DialogTextMetrics(const DialogTextMetrics&) = delete;
  DialogTextMetrics& operator=(const DialogTextMetrics&) = delete;

  // Lines the text takes when word-wrapped in a static `width` units wide.
  int lines(const std::string& text, int width) const;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ previous_;
  int baseX_ = 6;  // the dialog base units in pixels
};

}  // namespace quarzel::app
