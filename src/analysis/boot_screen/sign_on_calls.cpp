#include "analysis/boot_screen/sign_on_calls.h"

#include <utility>

#include "analysis/strings/boot_string1.h"
#include "formats/near_call.h"

namespace quarzel {

namespace {

// The call to the name printer follows string 1's int 10h.
constexpr std::size_t kString1CallAt = kString1Main.size();
// DramInit0's two strap bits pick one of four sizes.
constexpr std::size_t kStrapSizes = 4;
constexpr unsigned kStrapShift = 26;

// `count` bytes from `address`, as far as the buffer goes.
std::vector<std::uint8_t> bytesAt(const Image& image, std::size_t address, std::size_t count) {
  std::vector<std::uint8_t> text;
  for (std::size_t i = 0; i < count; ++i) {
    const auto byte = image.byteAt(address + i);
    if (!byte) break;
    text.push_back(*byte);
  }
  return text;
}

// The size the routine at `routine` returns. Where it reads DramInit0, the
// BIOS has ORed the register's boot value into the chip's strap bits, so
// bits the image sets hold whatever the straps say.
MemorySize memorySize(const Image& image, const BiosLayout& layout, std::optional<std::size_t> routine,
                      std::uint32_t megabytes) {
  const std::uint32_t chosen = megabytes * kBlocksPerMegabyte;
  if (!routine) return {chosen, false};
  if (kFixedMemorySize.matchesAt(image, *routine)) return {*image.word(*routine + 1), true};
  if (!kStrappedMemorySize.matchesAt(image, *routine)) return {chosen, false};
  const std::size_t table = *image.word(*routine + kStrapTableOperand);
  std::uint8_t entries[kStrapSizes];
  for (std::size_t i = 0; i < kStrapSizes; ++i) {
    const auto entry = image.byteAt(table + i);
    if (!entry) return {chosen, false};
    entries[i] = *entry;
  }
  const auto& dramInit0 = layout.registerTable[DramInit0];
  const unsigned imageBits = dramInit0.location ? (dramInit0.value >> kStrapShift) & 3 : 0;
  // The straps of a board with the chosen size: the first entry that
  // gives it, else the first of the largest below it.
  std::optional<unsigned> straps;
  for (unsigned i = 0; i < kStrapSizes; ++i)
    if (entries[i] <= chosen && (!straps || entries[i] > entries[*straps])) straps = i;
  bool fixed = true;
  for (unsigned s = 1; s < kStrapSizes; ++s) fixed = fixed && entries[imageBits | s] == entries[imageBits];
  return {entries[imageBits | straps.value_or(0)], fixed};
}

// The memory line and the size's text: the table's entry for the size,
// none where the table has no such entry.
void readMemoryLine(const Image& image, const BiosLayout& layout, std::size_t at, std::uint8_t attribute,
                    std::uint32_t megabytes, SignOn& signOn) {
  signOn.prints.push_back(
      {std::nullopt, attribute, bytesAt(image, *image.word(at + kMemoryTextOperand), *image.word(at + kMemoryCountOperand)),
       false});
  const MemorySize size = memorySize(image, layout, nearCallTarget(image, at + kMemoryCallOperand - 1), megabytes);
  signOn.memory = size;
  // cmp es:[bp],al: only the low byte of the size is compared.
  const auto wanted = static_cast<std::uint8_t>(size.blocks);
  for (std::size_t entry = *image.word(at + kMemoryTableOperand);; entry += 3) {
    const auto blocks = image.byteAt(entry);
    if (!blocks || *blocks == 0) return;
    if (*blocks != wanted) continue;
    const auto text = image.word(entry + 1);
    const auto length = text ? image.byteAt(*text) : std::nullopt;
    if (length) signOn.prints.push_back({std::nullopt, attribute, bytesAt(image, *text + 1u, *length), false});
    return;
  }
}

// The name printer and what follows it in the same routine.
void readNamePrinter(const Image& image, const BiosLayout& layout, std::size_t at, std::uint32_t megabytes,
                     SignOn& signOn) {
  if (!kNamePrinter.matchesAt(image, at)) return;
  const auto attribute = image.byteAt(*image.word(at + kNameAttributeOperand)).value_or(0);
  const std::size_t name = *image.word(at + kNameOperand);
  // mov cx,es:[bp-2]: the count is the word before the text.
  const auto count = name >= 2 ? image.word(name - 2) : std::nullopt;
  signOn.prints.push_back({std::nullopt, attribute, bytesAt(image, name, count.value_or(0)), false});
  at += kNamePrinter.size();
  if (kMemoryLine.matchesAt(image, at)) {
    readMemoryLine(image, layout, at, attribute, megabytes, signOn);
    at += kMemoryLine.size();
  }
  for (; kTeletypeCall.matchesAt(image, at); at += kTeletypeCall.size())
    signOn.prints.push_back({std::nullopt, attribute, {image.bytes[at + 1]}, true});
}

// Some builds store the memory size into string 1 before printing it: the
// text at `address` as it stands when printed.
void applyMemoryPatch(const Image& image, const BiosLayout& layout, std::size_t signOnCode, std::size_t address,
                      std::uint32_t megabytes, std::vector<std::uint8_t>& text, SignOn& signOn) {
  if (signOnCode < kMemoryPatch.size() || !kMemoryPatch.matchesAt(image, signOnCode - kMemoryPatch.size())) return;
  const std::size_t at = signOnCode - kMemoryPatch.size();
  const MemorySize size = memorySize(image, layout, nearCallTarget(image, at), megabytes);
  signOn.memory = size;
  if (size.blocks / kBlocksPerMegabyte != image.bytes[at + kPatchMegabytesOperand]) return;
  for (std::size_t store = at + kPatchStores; store < signOnCode; store += kPatchStoreBytes) {
    // cs: mov byte [target],value
    const std::size_t target = *image.word(store + 3);
    if (target >= address && target - address < text.size()) text[target - address] = image.bytes[store + 5];
  }
}

}  // namespace

SignOn readSignOn(const Image& image, const BiosLayout& layout, std::uint32_t megabytes) {
  SignOn signOn;
  const std::size_t end = searchEnd(image, kSearchMargin);
  if (layout.bootCodeAddress && kString1Main.matchesAt(image, *layout.bootCodeAddress)) {
    const std::size_t at = *layout.bootCodeAddress;
    signOn.found = true;
    const std::size_t address = *image.word(at + kString1Operand);
    std::vector<std::uint8_t> text = bytesAt(image, address, *image.word(at + kString1CountOperand));
    applyMemoryPatch(image, layout, at, address, megabytes, text, signOn);
    const auto attribute = image.byteAt(*image.word(at + kString1AttributeOperand)).value_or(0);
    // sub dx,dx: string 1 starts at the top left.
    signOn.prints.push_back({std::uint16_t{0}, attribute, std::move(text), false});
    if (const auto printer = nearCallTarget(image, at + kString1CallAt))
      readNamePrinter(image, layout, *printer, megabytes, signOn);
  } else if (const auto silent = findFirst(image, kSilentSignOn, end)) {
    // String 1 is no longer printed; the name printer may still print.
    signOn.found = true;
    if (const auto printer = nearCallTarget(image, *silent + kSilentCallAt))
      readNamePrinter(image, layout, *printer, megabytes, signOn);
  }
  return signOn;
}

}  // namespace quarzel
