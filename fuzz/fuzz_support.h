// What the fuzz targets share: the real images a file from the input is
// applied to, every read the pages and the CLI's reports make of an image,
// and the check that an edit changed exactly what it says it changed.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "analysis/analysis_pass.h"
#include "analysis/bios_layout.h"
#include "formats/code_page_file.h"
#include "formats/edit_result.h"
#include "formats/image.h"

namespace quarzel::fuzz {

// An image and what its pass found in it.
struct PassedImage {
  Image image;
  BiosLayout layout;
};

// The built-in sample and every BIOS image in ../shared/roms that loads,
// each with its pass; read once per process.
const std::vector<PassedImage>& baseImages();
// The code-page files of ../shared/data that parse; none when it is absent.
const std::vector<CodePageFile>& realCodePageFiles();

// The reads the pages make right after a pass, kept light: the glyph
// sheets, the PCIR fields, the emulated card, the checksum.
void readItems(const Image& image, const BiosLayout& layout);
// Those, and every other read the pages and reports make: font files and
// both font searches, the comparison scan, register texts and bit fields,
// the mode rows, the dump listing with its colour ranges against
// `committed`, and both views of `quarzel-cli info`.
void readEverything(const Image& image, const BiosLayout& layout, const Image& committed);

// True when one of the ranges holds the byte at `pos`.
bool covers(std::span<const ByteRange> ranges, std::size_t pos);

// A finding: prints what was broken and aborts, so that libFuzzer keeps the
// input. Memory errors are reported by the sanitizers themselves.
[[noreturn]] void broken(const char* what, const char* how);

// Aborts unless the edit kept its word: a failed edit changed no byte; a
// successful one changed bytes only inside the ranges it reports, and those
// lie inside the loaded image, which is what a save writes.
void checkEdit(const Image& before, const Image& after, const EditResult& result, const char* what);

// After Load Font: Save Font gives the file back, but for the bytes where a
// fix-up table lies over the font and the sync that follows the load wrote.
void checkFontLoad(const Image& image, const BiosLayout& layout, FontSize size, std::span<const std::uint8_t> file,
                   const EditResult& result);

// Runs an edit of `target.image`, checks it, then passes over the image
// again, as the program does after every edit.
template <class Edit>
void checkedEdit(PassedImage& target, const char* what, Edit&& edit) {
  const Image before = target.image;
  const EditResult result = edit(target.image, target.layout);
  checkEdit(before, target.image, result, what);
  AnalysisPass(target.image, target.layout);
}

// A file from the input applied to a copy of each base image, then the
// reads a page makes after its pass.
template <class Apply>
void applyToBaseImages(Apply&& apply) {
  for (const PassedImage& base : baseImages()) {
    PassedImage target = base;
    apply(target);
    readItems(target.image, target.layout);
  }
}

// Keeps a result from being optimised away.
template <class T>
void keep(const T& value) {
  asm volatile("" : : "r"(&value) : "memory");
}

}  // namespace quarzel::fuzz
