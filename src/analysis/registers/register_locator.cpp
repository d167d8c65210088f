#include "analysis/registers/register_locator.h"

#include <span>

namespace quarzel {

namespace {

// An operand of a matched code sequence: the position of its 16-bit address
// inside the match, and the register whose constant sits at that address.
struct Operand {
  std::size_t position;
  RegisterIndex reg;
};

struct Search {
  const Signature& signature;
  std::size_t margin;  // start positions p < imageSize - margin
  std::span<const Operand> operands;
};

constexpr Operand kPciOperands[] = {{kPciInit0Operand, PCIInit0}};
constexpr Operand kMemoryOperands[] = {
    {kMemoryDramInit0Operand, DramInit0}, {kMemoryMiscInit0Operand, MiscInit0}, {kMemorySgramModeOperand, SGRAMmode}};
constexpr Operand kPllLongOperands[] = {
    {kPllLongMiscInit1Operand, MiscInit1}, {kPllLongAgpInit0Operand, AgpInit0}, {kPllLongPllCtrl1Operand, PLLCtrl1}};
constexpr Operand kPllShortOperands[] = {
    {kPllShortMiscInit1Operand, MiscInit1}, {kPllShortAgpInit0Operand, AgpInit0}, {kPllShortPllCtrl1Operand, PLLCtrl1}};
constexpr Operand kDramInit1Operands[] = {{kDramInit1Operand, DramInit1}};

// Two searches stop short of the end by more than most: the memory search
// by its own 34 bytes, the short PLL form where the first byte of the
// PLLCtrl2 write that may follow it would lie past the end. The program has
// always searched so, and a match further on is not taken.
constexpr std::size_t kMemorySearchMargin = kMemorySignature.size();
constexpr std::size_t kPllShortSearchMargin = kPllCtrl2WritePosition + 1;
static_assert(kMemorySearchMargin == 34 && kPllShortSearchMargin == 40);

constexpr Search kPciSearch{kPciSignature, kSearchMargin, kPciOperands};
constexpr Search kMemorySearch{kMemorySignature, kMemorySearchMargin, kMemoryOperands};
constexpr Search kPllLongSearch{kPllLongSignature, kSearchMargin, kPllLongOperands};
constexpr Search kPllShortSearch{kPllShortSignature, kPllShortSearchMargin, kPllShortOperands};
constexpr Search kDramInit1Search{kDramInit1Signature, kSearchMargin, kDramInit1Operands};

// Records the constant that the operand at `operandPos` addresses. A
// constant not wholly inside the image (the code of a cut-down file may load
// it from past the end, where the card holds other bytes) stays not
// located. Returns whether it was located.
bool locate(const Image& image, std::size_t operandPos, RegisterEntry& entry) {
  const auto address = image.word(operandPos);
  if (!address || !image.holds(*address, kRegisterBytes)) return false;
  const auto value = image.dword(*address);
  if (!value) return false;
  entry.location = *address;
  entry.value = *value;
  return true;
}

std::optional<std::size_t> run(const Image& image, const Search& search, RegisterScan& scan) {
  const auto match = findFirst(image, search.signature, searchEnd(image, search.margin));
  if (match)
    for (const Operand& operand : search.operands)
      locate(image, *match + operand.position, scan.entries[operand.reg]);
  return match;
}

}  // namespace

RegisterScan scanRegisters(const Image& image) {
  RegisterScan scan;
  run(image, kPciSearch, scan);
  run(image, kMemorySearch, scan);

  // Older BIOSes write the PLL without the call, the jump and the or; their
  // form counts only when the newer one is nowhere in the image.
  auto pll = run(image, kPllLongSearch, scan);
  if (!pll) pll = run(image, kPllShortSearch, scan);
  // The PLLCtrl2 write is looked for at one place only. Inside the long form
  // that place holds the EFh of its out dx,eax, so a long-form BIOS never
  // reports PLLCtrl2.
  if (pll) {
    const std::size_t write = *pll + kPllCtrl2WritePosition;
    if (kPllCtrl2Write.matchesAt(image, write))
      scan.pllCtrl2Located = locate(image, write + kPllCtrl2Operand, scan.entries[PLLCtrl2]);
  }

  run(image, kDramInit1Search, scan);
  return scan;
}

void locateRegisters(const Image& image, BiosLayout& layout) {
  const RegisterScan scan = scanRegisters(image);
  layout.registerTable = scan.entries;
  layout.pllCtrl2Located = scan.pllCtrl2Located;
}

}  // namespace quarzel
