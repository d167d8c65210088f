#include "formats/logo_block.h"

#include "formats/near_call.h"

#include <algorithm>

namespace quarzel {

namespace {

// Where the routine's operands lie, and its text calls with theirs.
constexpr std::size_t kPictureOperand = 11, kWidthOperand = 41, kHeightOperand = 47, kPopEsAt = 135;
constexpr std::size_t kTextCallsAt = 50;
constexpr std::size_t kTextCallBytes = 17;
constexpr std::size_t kTextColourOperand = 4, kTextLengthOperand = 7, kTextPositionOperand = 10, kTextOperand = 13;

// H x W / 2: the picture part of the block. A size below zero, which only a
// picture that was never checked can have, counts as empty.
std::size_t pictureBytes(std::int32_t width, std::int32_t height) {
  return static_cast<std::size_t>(std::max(height, 0)) * static_cast<std::size_t>(std::max(width, 0)) / 2;
}
std::size_t pictureBytes(const LogoPicture& picture) { return pictureBytes(picture.width, picture.height); }

// Real-mode operands are 16 bits: the block lies below 64 KiB, so offsets
// in the image are offsets in the ROM's segment.
void putWord(std::uint8_t* at, std::size_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

std::size_t logoRunBytes(const LogoPicture& picture) {
  return pictureBytes(picture) + kLogoReserveBytes + kCallPatchBytes;
}

std::optional<std::size_t> findFreeRun(const Image& image, std::size_t length) {
  return findFreeRun(image, length, std::min(image.size, romLength(image)));
}

std::optional<std::size_t> findFreeRun(const Image& image, std::size_t length, std::size_t limit) {
  limit = std::min(limit, kImageCapacity);
  if (length >= limit) return std::nullopt;
  // One pass: a byte other than FFh moves the candidate start past itself.
  std::size_t start = 0;
  for (std::size_t pos = 0; start + length < limit; ++pos) {
    if (pos - start == length) return start;
    if (image.bytes[pos] != 0xFF) start = pos + 1;
  }
  return std::nullopt;
}

std::size_t largestFreeRun(const Image& image, std::size_t limit) {
  std::size_t largest = 0, run = 0;
  for (std::size_t pos = 0; pos < std::min(limit, kImageCapacity); ++pos) {
    run = image.bytes[pos] == 0xFF ? run + 1 : 0;
    largest = std::max(largest, run);
  }
  return largest;
}

std::vector<std::uint8_t> buildLogoBlock(std::size_t base, const LogoPicture& picture,
                                         const std::array<std::string, kLogoLines>& lines,
                                         const std::optional<SavedSignOn>& signOn) {
  const std::size_t pixels = pictureBytes(picture);
  std::vector<std::uint8_t> block{
      0x06,                    //  0 push es
      0xB8, 0x12, 0x00,        //  1 mov ax,0012h
      0xCD, 0x10,              //  4 int 10h: VGA mode 12h, 640 x 480 in 16 colours
      0x8C, 0xCD,              //  6 mov bp,cs
      0x8E, 0xC5,              //  8 mov es,bp: the ROM's segment
      0xBE, 0x00, 0x00,        // 10 mov si,picture
      0xB4, 0x0C,              // 13 mov ah,0Ch: write pixel
      0x33, 0xDB,              // 15 xor bx,bx: page 0
      0x33, 0xD2,              // 17 xor dx,dx: row 0
      0x33, 0xC9,              // 19 xor cx,cx: column 0 (each row starts here)
      0x26, 0x8A, 0x04,        // 21 mov al,es:[si] (each byte starts here)
      0xC0, 0xE8, 0x04,        // 24 shr al,4: left pixel
      0x41,                    // 27 inc cx
      0xCD, 0x10,              // 28 int 10h
      0x26, 0x8A, 0x04,        // 30 mov al,es:[si]
      0x24, 0x0F,              // 33 and al,0Fh: right pixel
      0x41,                    // 35 inc cx
      0xCD, 0x10,              // 36 int 10h
      0x46,                    // 38 inc si
      0x83, 0xF9, 0x00,        // 39 cmp cx,width
      0x75, 0xE9,              // 42 jne 21
      0x42,                    // 44 inc dx
      0x83, 0xFA, 0x00,        // 45 cmp dx,height
      0x75, 0xE1,              // 48 jne 19
  };
  block.resize(kLogoCodeBytes);
  block[kPopEsAt] = 0x07;   // pop es
  block[kPopEsAt + 1] = 0xC3;  // ret
  if (signOn) {
    block.resize(kLogoCodeBytes + kCallPatchBytes);
    std::copy(signOn->begin(), signOn->end(), block.begin() + static_cast<std::ptrdiff_t>(kLogoCodeBytes));
  }
  const std::size_t pictureAt = block.size();
  putWord(&block[kPictureOperand], base + pictureAt);
  // The compares take a sign-extended byte: only the low byte is stored.
  block[kWidthOperand] = static_cast<std::uint8_t>(picture.width);
  block[kHeightOperand] = static_cast<std::uint8_t>(picture.height);

  // Picture rows, top first; pixels a short picture does not hold stay 0.
  block.resize(pictureAt + pixels);
  std::copy_n(picture.rows.begin(), std::min(pixels, picture.rows.size()),
              block.begin() + static_cast<std::ptrdiff_t>(pictureAt));

  // The text calls: INT 10h function 1301h prints CX characters from ES:BP
  // at row DH, column DL, right of the picture.
  const auto column = static_cast<std::uint8_t>(std::max(picture.width, 0) / 8 + 1);
  std::size_t text = base + block.size();
  for (std::size_t k = 0; k < kLogoLines; ++k) {
    const std::string& line = lines[k];
    const std::uint8_t call[kTextCallBytes]{
        0xB8, 0x01, 0x13,                               // mov ax,1301h
        0xBB, 0x07, 0x00,                               // mov bx,0007h: page 0, grey
        0xB9, 0x00, 0x00,                               // mov cx,length
        0xBA, column, static_cast<std::uint8_t>(k),     // mov dx,row:column
        0xBD, 0x00, 0x00,                               // mov bp,text
        0xCD, 0x10,                                     // int 10h
    };
    std::uint8_t* at = &block[kTextCallsAt + kTextCallBytes * k];
    std::copy(std::begin(call), std::end(call), at);
    putWord(at + kTextLengthOperand, line.size());
    putWord(at + kTextOperand, text);
    block.insert(block.end(), line.begin(), line.end());
    text += line.size();
  }
  block.push_back(0);
  return block;
}

std::array<std::uint8_t, kCallPatchBytes> callPatch(std::size_t bootCode, std::size_t base) {
  std::array<std::uint8_t, kCallPatchBytes> patch{};
  patch.fill(0x90);  // nop over the rest of the sign-on code
  patch[0] = 0xE8;   // call near, relative to the next instruction
  putWord(&patch[1], base - (bootCode + kNearCallBytes));
  return patch;
}

std::optional<LogoBlockView> readLogoBlock(const Image& image, std::size_t base) {
  if (!kLogoRoutineSignature.matchesAt(image, base) || !Image::fits(base, kLogoCodeBytes) ||
      image.bytes[base + kPopEsAt] != 0x07 || image.bytes[base + kPopEsAt + 1] != 0xC3)
    return std::nullopt;
  LogoBlockView view;
  view.base = base;
  view.width = image.bytes[base + kWidthOperand];
  view.height = image.bytes[base + kHeightOperand];
  view.picture = *image.word(base + kPictureOperand);
  if (view.picture == base + kLogoCodeBytes + kCallPatchBytes)
    view.savedCode = base + kLogoCodeBytes;
  else if (view.picture != base + kLogoCodeBytes)
    return std::nullopt;
  if (logoSizeError(view.width, view.height)) return std::nullopt;
  std::size_t end = view.picture + pictureBytes(view.width, view.height);
  if (!Image::fits(view.picture, end - view.picture)) return std::nullopt;

  // Each text call: mov ax,1301h; mov bx,0007h; mov cx,length; mov dx,..;
  // mov bp,text; int 10h.
  for (std::size_t k = 0; k < kLogoLines; ++k) {
    const std::size_t call = base + kTextCallsAt + kTextCallBytes * k;
    const std::uint8_t* at = &image.bytes[call];
    if (at[0] != 0xB8 || at[1] != 0x01 || at[2] != 0x13 || at[3] != 0xBB || at[6] != 0xB9 || at[9] != 0xBA ||
        at[12] != 0xBD || at[15] != 0xCD || at[16] != 0x10)
      return std::nullopt;
    const std::size_t length = *image.word(call + kTextLengthOperand), text = *image.word(call + kTextOperand);
    if (!Image::fits(text, length)) return std::nullopt;
    view.linePositions[k] = *image.word(call + kTextPositionOperand);
    view.lineColours[k] = at[kTextColourOperand];
    view.lines[k].assign(image.bytes.begin() + static_cast<std::ptrdiff_t>(text),
                         image.bytes.begin() + static_cast<std::ptrdiff_t>(text + length));
    end = std::max(end, text + length);
  }
  // The 0 byte after the texts belongs to the block.
  view.size = std::min(end + 1, kImageCapacity) - base;
  return view;
}

LogoPicture blockPicture(const Image& image, const LogoBlockView& block) {
  LogoPicture picture;
  picture.width = block.width;
  picture.height = block.height;
  const auto first = image.bytes.begin() + static_cast<std::ptrdiff_t>(block.picture);
  picture.rows.assign(first, first + static_cast<std::ptrdiff_t>(pictureBytes(picture)));
  for (std::uint8_t i = 0; i < kLogoColours; ++i) {
    picture.fileColours[i] = kVgaColours[i];
    picture.vgaColour[i] = i;
  }
  return picture;
}

}  // namespace quarzel
