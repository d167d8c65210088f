#include "analysis/boot_screen/sign_on_calls.h"

#include <algorithm>
#include <utility>

#include "analysis/strings/sign_on_code.h"
#include "formats/near_call.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

// DramInit0's two strap bits pick one of four sizes.
constexpr std::size_t kStrapSizes = 4;
constexpr unsigned kStrapShift = 26;

// Follows the code as the card runs it, over the bytes the card holds: the
// ROM up to its length. Each step returns false where it could not be
// followed, after saying why.
class SignOnReader {
 public:
  SignOnReader(const Image& image, const BiosLayout& layout, std::uint32_t megabytes)
      : image_(image), layout_(layout), megabytes_(megabytes), romEnd_(romEnd(image)) {}

  SignOn read() {
    const auto code = findSignOnCode(image_, layout_.logo);
    if (!code) return std::move(signOn_);
    signOn_.found = true;
    if (!code->printsString1 || printString1(code->at)) callNamePrinter(*code);
    return std::move(signOn_);
  }

 private:
  bool inRom(std::size_t at, std::size_t count) const { return at <= romEnd_ && count <= romEnd_ - at; }
  bool codeAt(const Signature& code, std::size_t at) const {
    return inRom(at, code.size()) && code.matchesAt(image_, at);
  }
  std::size_t wordAt(std::size_t at) const { return image_.word(at).value_or(0); }

  bool stop(std::string why) {
    signOn_.unread.push_back(std::move(why));
    return false;
  }
  // Where a step leads that cannot be followed: past the ROM, or to code
  // that is not the one expected.
  std::string whereUnknown(std::size_t at) const {
    return inRom(at, 1) ? formatText("%04X, code quarzel does not know", static_cast<unsigned>(at))
                        : formatText("%04X, past the ROM's end (%04X)", static_cast<unsigned>(at),
                                     static_cast<unsigned>(romEnd_));
  }

  // The byte mov bl,[address] loads from the operand at `operand`.
  std::optional<std::uint8_t> attribute(const char* whose, std::size_t operand) {
    const std::size_t address = wordAt(operand);
    if (inRom(address, 1)) return image_.bytes[address];
    stop(formatText("%s is printed in the byte at %04X, past the ROM's end (%04X): the screen is drawn up to there",
                    whose, static_cast<unsigned>(address), static_cast<unsigned>(romEnd_)));
    return std::nullopt;
  }

  // The `count` bytes at `address` as far as the ROM holds them.
  std::vector<std::uint8_t> romBytes(std::size_t address, std::size_t count) const {
    const std::size_t from = std::min(address, romEnd_), to = std::min(address + count, romEnd_);
    return {image_.bytes.begin() + static_cast<std::ptrdiff_t>(from),
            image_.bytes.begin() + static_cast<std::ptrdiff_t>(std::max(from, to))};
  }

  // A function 13h print of `text`, read from `count` bytes at `address`; a
  // text that leaves the ROM is printed up to there.
  bool print(const char* what, std::size_t address, std::size_t count, std::vector<std::uint8_t> text,
             std::uint8_t attribute, std::optional<std::uint16_t> position) {
    const bool whole = text.size() == count;
    signOn_.prints.push_back({position, attribute, std::move(text), false, address});
    return whole ||
           stop(formatText("%s (%zu bytes at %04X) runs past the ROM's end (%04X): the screen is drawn up to there",
                           what, count, static_cast<unsigned>(address), static_cast<unsigned>(romEnd_)));
  }
  bool print(const char* what, std::size_t address, std::size_t count, std::uint8_t attribute,
             std::optional<std::uint16_t> position = std::nullopt) {
    return print(what, address, count, romBytes(address, count), attribute, position);
  }

  bool printString1(std::size_t code) {
    const auto colour = attribute("string 1", code + kString1AttributeOperand);
    if (!colour) return false;
    const std::size_t address = wordAt(code + kString1Operand), count = wordAt(code + kString1CountOperand);
    std::vector<std::uint8_t> text = romBytes(address, count);
    if (!patchMemorySize(code, address, text)) return false;
    // sub dx,dx: string 1 starts at the top left.
    return print("string 1", address, count, std::move(text), *colour, std::uint16_t{0});
  }

  // Some builds store the memory size into string 1 before printing it:
  // the text at `address` as it stands when printed.
  bool patchMemorySize(std::size_t code, std::size_t address, std::vector<std::uint8_t>& text) {
    if (code < kMemoryPatch.size() || !codeAt(kMemoryPatch, code - kMemoryPatch.size())) return true;
    const std::size_t at = code - kMemoryPatch.size();
    const auto size = memorySize(*nearCallTarget(image_, at));
    if (!size) return false;
    signOn_.memory = size;
    if (size->blocks / kBlocksPerMegabyte != image_.bytes[at + kPatchMegabytesOperand]) return true;
    for (std::size_t store = at + kPatchStores; store < code; store += kPatchStoreBytes) {
      // cs: mov byte [target],value
      const std::size_t target = wordAt(store + 3);
      if (target >= address && target - address < text.size()) text[target - address] = image_.bytes[store + 5];
    }
    return true;
  }

  // The size the routine at `routine` returns. Where it reads DramInit0, the
  // BIOS has ORed the register's boot value into the chip's strap bits, so
  // bits the image sets hold whatever the straps say.
  std::optional<MemorySize> memorySize(std::size_t routine) {
    const auto unknown = [&](std::size_t at) {
      stop("the memory size routine is at " + whereUnknown(at) + ": the size is not drawn");
      return std::nullopt;
    };
    if (codeAt(kFixedMemorySize, routine)) return MemorySize{static_cast<std::uint32_t>(wordAt(routine + 1)), true};
    if (!codeAt(kStrappedMemorySize, routine)) return unknown(routine);
    const std::size_t table = wordAt(routine + kStrapTableOperand);
    if (!inRom(table, kStrapSizes)) return unknown(table);
    const std::uint8_t* entries = &image_.bytes[table];
    const std::uint32_t chosen = megabytes_ * kBlocksPerMegabyte;
    const auto& dramInit0 = layout_.registerTable[DramInit0];
    const unsigned imageBits = dramInit0.location ? (dramInit0.value >> kStrapShift) & 3 : 0;
    // The straps of a board with the chosen size: the first entry that
    // gives it, else the first of the largest below it.
    std::optional<unsigned> straps;
    for (unsigned i = 0; i < kStrapSizes; ++i)
      if (entries[i] <= chosen && (!straps || entries[i] > entries[*straps])) straps = i;
    bool fixed = true;
    for (unsigned s = 1; s < kStrapSizes; ++s) fixed = fixed && entries[imageBits | s] == entries[imageBits];
    return MemorySize{entries[imageBits | straps.value_or(0)], fixed};
  }

  // The call after string 1 and the name printer it leads to: string 2,
  // then the memory line or the cursor hidden, the line feeds, popa; ret.
  void callNamePrinter(const SignOnCode& code) {
    constexpr const char* kNotDrawn = ": what the BIOS prints after string 1 is not drawn";
    if (!code.printer) {
      stop(formatText("no call follows the sign-on code at %04X", static_cast<unsigned>(code.call)) + kNotDrawn);
      return;
    }
    const std::size_t printer = *code.printer;
    if (codeAt(kEmptyNamePrinter, printer)) return;
    if (!codeAt(kNamePrinter, printer)) {
      stop("the sign-on code calls " + whereUnknown(printer) + kNotDrawn);
      return;
    }
    const auto colour = attribute("string 2", printer + kNameAttributeOperand);
    if (!colour) return;
    // mov cx,es:[bp-2]: the count is the word before the text, within the
    // ROM's segment.
    const std::size_t name = wordAt(printer + kNameOperand), countWord = (name + kImageCapacity - 2) % kImageCapacity;
    if (!inRom(countWord, 2)) {
      stop(formatText("string 2's count word at %04X lies past the ROM's end (%04X): the screen is drawn up to there",
                      static_cast<unsigned>(countWord), static_cast<unsigned>(romEnd_)));
      return;
    }
    if (!print("string 2", name, wordAt(countWord), *colour)) return;
    std::size_t at = printer + kNamePrinter.size();
    if (codeAt(kMemoryLine, at)) {
      if (!printMemoryLine(at, *colour)) return;
      at += kMemoryLine.size();
    } else if (codeAt(kCursorOff, at)) {
      at += kCursorOff.size();
    }
    for (; codeAt(kTeletypeCall, at); at += kTeletypeCall.size())
      signOn_.prints.push_back(
          {std::nullopt, *colour, {image_.bytes[at + kTeletypeCodeOperand]}, true, at + kTeletypeCodeOperand});
    if (!codeAt(kNamePrinterEnd, at))
      stop("the name printer goes on at " + whereUnknown(at) + ": what it prints from there is not drawn");
  }

  // The memory line and the size's text: the table's entry for the size,
  // none where the table has no such entry.
  bool printMemoryLine(std::size_t at, std::uint8_t colour) {
    if (!print("the memory line", wordAt(at + kMemoryTextOperand), wordAt(at + kMemoryCountOperand), colour))
      return false;
    const auto size = memorySize(*nearCallTarget(image_, at + kMemoryCallOperand - 1));
    if (!size) return false;
    signOn_.memory = size;
    // cmp es:[bp],al: only the low byte of the size is compared.
    const auto wanted = static_cast<std::uint8_t>(size->blocks);
    const std::size_t table = wordAt(at + kMemoryTableOperand);
    for (std::size_t entry = table;; entry += kMemorySizeEntryBytes) {
      // Its end: a 0 byte where the next entry would start.
      if (inRom(entry, 1) && image_.bytes[entry] == 0) return true;
      if (!inRom(entry, kMemorySizeEntryBytes))
        return stop(formatText("the memory size table at %04X runs past the ROM's end (%04X): the size is not drawn",
                               static_cast<unsigned>(table), static_cast<unsigned>(romEnd_)));
      if (image_.bytes[entry] != wanted) continue;
      // mov cl,es:[bp]; inc bp: a count byte, then the text.
      const std::size_t text = wordAt(entry + 1);
      if (!inRom(text, 1))
        return stop(formatText("the memory size's text at %04X lies past the ROM's end (%04X): the size is not drawn",
                               static_cast<unsigned>(text), static_cast<unsigned>(romEnd_)));
      return print("the memory size", text + 1, image_.bytes[text], colour);
    }
  }

  const Image& image_;
  const BiosLayout& layout_;
  const std::uint32_t megabytes_;
  const std::size_t romEnd_;
  SignOn signOn_;
};

}  // namespace

SignOn readSignOn(const Image& image, const BiosLayout& layout, std::uint32_t megabytes) {
  return SignOnReader(image, layout, megabytes).read();
}

}  // namespace quarzel
