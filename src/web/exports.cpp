// The functions the page calls. Bytes and texts cross in the module's
// memory: the page asks for an input buffer and writes into it, calls, and
// reads the answer from the output text (UTF-8, JSON where it is more than
// a message) and the output bytes, which stay valid until the next call.
// A function returns 0 when it did what was asked, 1 when it refused, with
// the reason in the output text, in quarzel-cli's words.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/boot_screen/boot_screen.h"
#include "analysis/compare/bios_diff.h"
#include "analysis/pci_vesa/pcir_fields.h"
#include "analysis/registers/register_compare.h"
#include "analysis/registers/registers.h"
#include "analysis/sample_image.h"
#include "describe/compare_json.h"
#include "describe/diff_text.h"
#include "describe/info_json.h"
#include "describe/json.h"
#include "describe/modes_json.h"
#include "describe/names.h"
#include "describe/registers_json.h"
#include "describe/vesa_names.h"
#include "edits/edit_files.h"
#include "formats/code_page_file.h"
#include "formats/glyph_sheet.h"
#include "formats/logo_block.h"
#include "web/pictures.h"
#include "web/session.h"

#define QUARZEL_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

using namespace quarzel;
using namespace quarzel::web;

web::Session session;
std::vector<std::uint8_t> input;
std::string outputText;
std::vector<std::uint8_t> outputBytes;
BootScreen screen;  // kept: a redraw reuses its pixels

// The input as a name (its first `nameLength` bytes) and what follows.
std::string inputName(std::size_t nameLength) {
  return std::string(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(std::min(nameLength, input.size())));
}
std::span<const std::uint8_t> inputAfter(std::size_t nameLength) {
  return std::span(input).subspan(std::min(nameLength, input.size()));
}

int answer(const Json& json) {
  outputText = json.dump();
  return 0;
}
int refuse(std::string reason) {
  outputText = std::move(reason);
  return 1;
}
// A picture already in the output bytes, its size and what else is said of it.
int pictureAnswer(std::size_t width, std::size_t height, Json more = Json::object()) {
  more["width"] = width;
  more["height"] = height;
  return answer(more);
}
int picture(std::vector<std::uint8_t> rgba, std::size_t width, std::size_t height, Json more = Json::object()) {
  outputBytes = std::move(rgba);
  return pictureAnswer(width, height, std::move(more));
}

Json notes(const std::vector<EditNote>& list) {
  Json json = Json::array();
  for (const EditNote& note : list)
    json.push_back({{"kind", note.kind == EditNote::Kind::Warning ? "warning"
                             : note.kind == EditNote::Kind::Remark ? "remark" : "plain"},
                    {"text", note.text}});
  return json;
}

}  // namespace

// A buffer of `size` bytes for the next call's input.
QUARZEL_EXPORT(qz_input) std::uint8_t* qzInput(std::size_t size) {
  input.assign(size, 0);
  return input.data();
}

QUARZEL_EXPORT(qz_output_text) const char* qzOutputText() { return outputText.c_str(); }
QUARZEL_EXPORT(qz_output_text_size) std::size_t qzOutputTextSize() { return outputText.size(); }
QUARZEL_EXPORT(qz_output_bytes) const std::uint8_t* qzOutputBytes() { return outputBytes.data(); }
QUARZEL_EXPORT(qz_output_bytes_size) std::size_t qzOutputBytesSize() { return outputBytes.size(); }

// The program's facts the page builds its controls from: the largest
// image, the card memory sizes, the registers, font sizes and VESA strings
// by their names, and edit's options.
QUARZEL_EXPORT(qz_constants) int qzConstants() {
  Json memory = Json::array(), registers = Json::array(), sizes = Json::array(), vesa = Json::array(),
       options = Json::array();
  for (const std::uint32_t size : kMemoryChoices) memory.push_back(size);
  for (const char* name : kRegisterNames) registers.push_back(name);
  for (const FontSize size : kFontSizes) sizes.push_back(fontSizeName(size));
  for (const VesaName& name : kVesaNames)
    vesa.push_back({{"label", name.label}, {"option", name.option}, {"key", name.key}});
  for (const EditOption& option : kEditOptions)
    options.push_back({{"name", option.name}, {"what", option.what}, {"flag", option.flag != nullptr}});
  return answer({{"imageCapacity", kImageCapacity},
                 {"memoryChoices", memory},
                 {"defaultMemory", kDefaultMemoryMegabytes},
                 {"registers", registers},
                 {"fontSizes", sizes},
                 {"vesa", vesa},
                 {"logoLines", kLogoLines},
                 {"editOptions", options}});
}

// Opens the ROM named by the input's first `nameLength` bytes, whose bytes
// follow, with no edits.
QUARZEL_EXPORT(qz_open) int qzOpen(std::size_t nameLength) {
  const std::string refusal = web::openRom(session, inputName(nameLength), inputAfter(nameLength));
  return refusal.empty() ? 0 : refuse(refusal);
}

// The same for the ROM to compare with.
QUARZEL_EXPORT(qz_open_other) int qzOpenOther(std::size_t nameLength) {
  if (!session.open) return refuse("open a ROM first");
  const std::string refusal = web::openOtherRom(session, inputName(nameLength), inputAfter(nameLength));
  return refusal.empty() ? 0 : refuse(refusal);
}

// Keeps a file the edits may name (a font, a code-page file, a picture)
// under its name; a file of that name given before is replaced.
QUARZEL_EXPORT(qz_add_file) int qzAddFile(std::size_t nameLength) {
  const auto bytes = inputAfter(nameLength);
  session.files[inputName(nameLength)] = {bytes.begin(), bytes.end()};
  return 0;
}

// Makes the edits the input's JSON asks for ({"--string1": ["text"], ...},
// edit's options) on the ROM as opened. Answers {"written": ..., "notes":
// [...]}, or refuses with {"refusal": ..., "logoNeedsGrowth": ...}, the ROM
// staying as the last edits left it.
QUARZEL_EXPORT(qz_edit) int qzEdit() {
  if (!session.open) return refuse(Json{{"refusal", "open a ROM first"}}.dump());
  const EditRun run = web::editRom(session, std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
  if (!run.ok()) {
    outputText = Json{{"refusal", run.refusal}, {"logoNeedsGrowth", run.refusedFor == EditError::LogoNeedsGrowth}}.dump();
    return 1;
  }
  std::vector<EditNote> said = run.notes;
  if (run.checksumNote) said.insert(said.begin(), *run.checksumNote);
  return answer({{"written", run.written}, {"notes", notes(said)}});
}

// What `quarzel-cli info --json` says of the ROM as edited.
QUARZEL_EXPORT(qz_info) int qzInfo() {
  if (!session.open) return refuse("open a ROM first");
  outputText = infoJson(session.edited.image, session.layout);
  return 0;
}

// The PCI data structure's rows as the PCIR page shows them: [{"label",
// "text"}], or null where the image has none.
QUARZEL_EXPORT(qz_pcir_rows) int qzPcirRows() {
  if (!session.open) return refuse("open a ROM first");
  if (!session.layout.pcir) return answer(nullptr);
  const PcirFields fields = readPcirFields(session.edited.image, *session.layout.pcir);
  Json rows = Json::array();
  for (const PcirFieldRow& row : kPcirFieldRows)
    rows.push_back({{"label", row.label}, {"text", biosText(pcirRowText(fields, row))}});
  return answer(rows);
}

// The options and values of the one `quarzel-cli edit` that makes the
// page's edits: a JSON list of words.
QUARZEL_EXPORT(qz_edit_words) int qzEditWords() {
  if (!session.open) return refuse("open a ROM first");
  Json words = Json::array();
  for (const std::string& word : editCommandWords(session)) words.push_back(biosText(word));
  return answer(words);
}

// What `quarzel-cli registers --json` says of the ROM as edited.
QUARZEL_EXPORT(qz_registers) int qzRegisters() {
  if (!session.open) return refuse("open a ROM first");
  return answer({{"registers", registersJson(session.layout)}});
}

// What `quarzel-cli modes --timings --json` says: the refresh rates each
// resolution can take.
QUARZEL_EXPORT(qz_timings) int qzTimings() {
  if (!session.open) return refuse("open a ROM first");
  return answer({{"timings", timingsJson(session.edited.image, session.layout)}});
}

// What `quarzel-cli diff` says of the ROM as opened against the ROM as
// edited, or against the ROM to compare with (`other` 1): its readable
// report.
QUARZEL_EXPORT(qz_diff) int qzDiff(int other) {
  if (!session.open) return refuse("open a ROM first");
  if (other && !session.other) return refuse("open a ROM to compare with first");
  const DiffNames names{session.name, other ? session.other->name : session.name};
  const BiosDiff diff = other ? diffBios(session.edited.image, session.layout, session.other->image, session.other->layout)
                              : diffBios(session.opened, session.openedLayout, session.edited.image, session.layout);
  outputText = diffText(names, diff);
  return 0;
}

// What `quarzel-cli compare --json` says of the ROM as edited and the ROM
// to compare with.
QUARZEL_EXPORT(qz_compare) int qzCompare() {
  if (!session.open || !session.other) return refuse("open a ROM to compare with first");
  return answer(compareJson(session.layout, scanCompareRegisters(session.other->image)));
}

// The screen the card shows at power-on with `memoryMegabytes` on the card,
// as `quarzel-cli preview` draws it: RGBA in the output bytes; {"width",
// "height", "verdict": "whole" | "partial" | "unrecognised", "notes": [...],
// "memory": "the BIOS reads the card's 16384K" or null}.
QUARZEL_EXPORT(qz_preview) int qzPreview(std::uint32_t memoryMegabytes) {
  if (!session.open) return refuse("open a ROM first");
  if (!isMemoryChoice(memoryMegabytes)) return refuse("no such memory size");
  drawBootScreen(session.edited.image, session.layout, {memoryMegabytes}, screen);
  const BootScreenVerdict v = verdict(screen);
  Json said = Json::array();
  for (const std::string& note : screenNotes(screen)) said.push_back(note);
  rgbaOfPixels(screen.pixels, outputBytes);
  return pictureAnswer(static_cast<std::size_t>(screen.width),
                 static_cast<std::size_t>(screen.height),
                 {{"verdict", v == BootScreenVerdict::Whole ? "whole" : v == BootScreenVerdict::Partial ? "partial" : "unrecognised"},
                  {"notes", said},
                  {"memory", screen.memory ? Json(describeMemory(*screen.memory, memoryMegabytes)) : Json()},
                  {"memoryFromImage", screen.memory && screen.memory->fromImage}});
}

// The glyph sheet of the ROM's font of size `size` (0 8x8, 1 8x14, 2 8x16),
// as the Fonts page shows it.
QUARZEL_EXPORT(qz_glyph_sheet) int qzGlyphSheet(int size) {
  if (!session.open) return refuse("open a ROM first");
  if (size < 0 || size >= static_cast<int>(std::size(kFontSizes))) return refuse("no such font size");
  const auto font = static_cast<FontSize>(size);
  const GlyphSheet sheet = renderGlyphSheet(session.edited.image, session.layout.fonts[font], font);
  return picture(rgbaOfMonochrome(sheet, kGlyphSheetSide, kGlyphSheetSide), kGlyphSheetSide, kGlyphSheetSide);
}

// The picture of the logo the ROM holds, in the colours it boots in.
QUARZEL_EXPORT(qz_logo_picture) int qzLogoPicture() {
  if (!session.open) return refuse("open a ROM first");
  if (!session.layout.logo) return refuse("no logo in this BIOS");
  const LogoPicture logo = blockPicture(session.edited.image, session.layout.logo->block);
  return picture(rgbaOfLogo(logo), static_cast<std::size_t>(logo.width), static_cast<std::size_t>(logo.height));
}

// A picture given as a file, as the logo would boot it, with the colours
// of the file that become one VGA colour; refused as `edit --logo` refuses it.
QUARZEL_EXPORT(qz_picture) int qzPicture(std::size_t nameLength) {
  const std::string name = inputName(nameLength);
  const FileRead file = web::pageFiles(session)(name, kLogoFileLimit);
  if (!file.bytes) return refuse(name + ": " + file.error);
  const BmpParse parsed = readLogoPicture(*file.bytes);
  if (!parsed.picture) return refuse(name + ": " + describe(*parsed.error));
  const LogoPicture& logo = *parsed.picture;
  return picture(rgbaOfLogo(logo), static_cast<std::size_t>(logo.width), static_cast<std::size_t>(logo.height),
                 {{"mergedColours", mergedColoursText(logo)}});
}

// The code pages of a code-page file given as a file, as `quarzel-cli
// codepages` lists them: [{"text": ..., "codePage": N, "sizes": ["8x16", ...]}].
QUARZEL_EXPORT(qz_codepages) int qzCodepages(std::size_t nameLength) {
  const CodePageRead read = readCodePage(web::pageFiles(session), inputName(nameLength));
  if (!read.file) return refuse(read.error);
  Json list = Json::array();
  for (const CodePageItem& item : codePageListing(*read.file)) {
    Json sizes = Json::array();
    for (const FontSize size : {Font8x16, Font8x14, Font8x8})
      if (item.sizes[size]) sizes.push_back(fontSizeName(size));
    list.push_back({{"text", item.text}, {"codePage", codePageOfItem(item.text)}, {"sizes", sizes}});
  }
  return answer({{"codePages", list}});
}

// The Select Font preview of one code page, as `quarzel-cli codepages
// --preview` draws it.
QUARZEL_EXPORT(qz_codepage_preview) int qzCodepagePreview(std::size_t nameLength, std::uint32_t codePage) {
  const std::string name = inputName(nameLength);
  const CodePageRead read = readCodePage(web::pageFiles(session), name);
  if (!read.file) return refuse(read.error);
  const auto page = static_cast<std::uint16_t>(codePage);
  if (codePage > 0xFFFF || !holdsCodePage(*read.file, page)) return refuse(missingCodePage(name, page));
  return picture(rgbaOfMonochrome(codePagePreview(*read.file, page), kPreviewWidth, kPreviewHeight), kPreviewWidth,
                 kPreviewHeight);
}

// The ROM's bytes: as opened (0) or as edited, the checksum corrected (1),
// which is what a save writes; the latter refused where the checksum cannot
// be corrected.
QUARZEL_EXPORT(qz_image) int qzImage(int edited) {
  if (!session.open) return refuse("open a ROM first");
  const Image& image = edited ? session.edited.image : session.opened;
  if (edited && !session.edited.ok()) return refuse(session.edited.refusal);
  outputBytes.assign(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(image.end()));
  outputText = session.name;
  return 0;
}

// Runs an edit of the built-in sample once, with what the page asks after
// one, in a session of its own, and keeps nothing of it: the browser
// compiles a function of the module only when it is first called, which
// made the first ROM opened wait some 200 ms for it. The output bytes are
// the sample's, which the page then opens unseen and fills its cards with,
// so that the calls a ROM's opening makes are compiled too. The page calls
// this once it is ready.
QUARZEL_EXPORT(qz_warm) int qzWarm() {
  web::Session kept = std::move(session);
  session = {};
  const Image sample = sampleImage();
  web::openRom(session, "sample.rom", std::span(sample.bytes).first(sample.end()));
  const std::string edits = R"({"--string1": ["warm\r\n"], "--clock": ["100"], "--vesa": ["product-name=x"]})";
  input.assign(edits.begin(), edits.end());
  qzEdit();
  qzEditWords();
  qzDiff(0);
  qzImage(1);
  session = std::move(kept);
  outputBytes.assign(sample.bytes.begin(), sample.bytes.begin() + static_cast<std::ptrdiff_t>(sample.end()));
  return 0;
}
