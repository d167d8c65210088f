#include <gtest/gtest.h>

#include "analysis/pci_vesa/pci_devices.h"
#include "analysis/pci_vesa/pcir_fields.h"
#include "analysis/pci_vesa/pcir_locator.h"
#include "support/rom_builder.h"
#include "support/shared_files.h"

namespace quarzel {
namespace {

struct Lookup {
  std::uint16_t vendor, device;
  const char* vendorName;
  const char* deviceName;
};

TEST(PciDevices, NamesTheFirstMatchingRowOrOnlyTheVendor) {
  const Lookup cases[] = {
      {k3dfxVendorId, 0x0005, "3Dfx Interactive, Inc.", "Avenger-based card"},
      {0x1002, 0x4E44, "ATI Technologies Inc", "R3xx-based card"},  // row 9, high byte 4Eh
      {0x10DE, 0x0020, "nVidia Corp", "NV4-based card"},            // row 11, whole id
      {0x10DE, 0x0028, "nVidia Corp", "NV5-based card"},            // row 12, high byte 00h
      {0x10DE, 0x0002, "nVidia Corp", "NV5-based card"},            // high byte 00h, not row 14
      {0x1002, 0x004E, "ATI Technologies Inc", ""},                 // a high-byte row never matches the low byte
      {k3dfxVendorId, 0x0004, "3Dfx Interactive, Inc.", ""},
      {0x10D9, 0x8626, "Macronix International Co Ltd", "Voodoo Rush"},
      {0x102B, 0x0005, "", ""},
  };
  for (const Lookup& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.vendor << ":" << c.device);
    const DeviceNames names = lookupDeviceNames(c.vendor, c.device);
    EXPECT_EQ(names.vendor, c.vendorName);
    EXPECT_EQ(names.device, c.deviceName);
  }
}

TEST(PcirLocator, TakesTheFirstSignatureNotTheHeaderPointer) {
  const Image image = test::RomBuilder(4096)
                          .word(0x18, 0x0800)  // the header's pointer to the structure
                          .place(kPcirSignature, 0x0800)
                          .place(kPcirSignature, 0x0300)
                          .build();
  BiosLayout layout;
  locatePcir(image, layout);
  EXPECT_EQ(layout.pcir, 0x0300);
}

TEST(PcirLocator, IgnoresASignatureInTheLastThirtyBytes) {
  BiosLayout layout;
  locatePcir(test::RomBuilder(4096).place(kPcirSignature, 4096 - kSearchMargin).build(), layout);
  EXPECT_FALSE(layout.pcir);
  locatePcir(test::RomBuilder(4096).place(kPcirSignature, 4096 - kSearchMargin - 1).build(), layout);
  EXPECT_EQ(layout.pcir, 4096 - kSearchMargin - 1);
}

TEST(PcirLocator, AnImageWithoutTheStructureLeavesNoLocation) {
  BiosLayout layout;
  layout.pcir = 0x7D20;  // from an earlier image
  locatePcir(test::RomBuilder(4096).build(), layout);
  EXPECT_FALSE(layout.pcir);
}

// A structure at 0100h; every field has its own value so that a field read
// from the wrong offset shows.
test::RomBuilder structureAt0100(std::initializer_list<std::uint8_t> classCode, std::uint16_t length) {
  test::RomBuilder rom(4096);
  rom.place(kPcirSignature, 0x100)
      .word(0x100 + kPcirVendorId, k3dfxVendorId)
      .word(0x100 + kPcirDeviceId, 0x0005)
      .word(0x108, 0x00A0)
      .word(0x10A, 0x0018)
      .byte(0x10C, 0x02)
      .bytes(0x10D, classCode)
      .word(0x110, length)
      .word(0x112, 0x0123)
      .byte(0x114, 0x01)
      .byte(0x115, 0x80);
  return rom;
}

TEST(PcirFields, ShowsEachFieldAsThePageDoes) {
  const PcirFields f = readPcirFields(structureAt0100({0x00, 0x00, 0x03}, 0x0080).build(), 0x100);
  EXPECT_EQ(f.vendorId, 0x121A);
  EXPECT_EQ(f.deviceId, 0x0005);
  EXPECT_EQ(f.vendorIdText, "121A");
  EXPECT_EQ(f.deviceIdText, "0005");
  EXPECT_EQ(f.vendorName, "3Dfx Interactive, Inc.");
  EXPECT_EQ(f.deviceName, "Avenger-based card");
  EXPECT_EQ(f.vitalProductData, "00A0");
  EXPECT_EQ(f.structureLength, "0018");
  EXPECT_EQ(f.structureRevision, "02");
  EXPECT_EQ(f.classCode, "000003");
  EXPECT_EQ(f.classText, "VGA-compatible video card");
  EXPECT_EQ(f.imageLength, "0080");
  EXPECT_EQ(f.imageSizeText, "64k");
  EXPECT_EQ(f.codeRevision, "0123");
  EXPECT_EQ(f.codeType, "01");
  EXPECT_EQ(f.indicator, "80");
}

TEST(PcirFields, ClassCodeAndImageSizeTexts) {
  const PcirFields other = readPcirFields(structureAt0100({0x00, 0x80, 0x03}, 0x0001).build(), 0x100);
  EXPECT_EQ(other.classCode, "008003");
  EXPECT_EQ(other.classText, "");
  EXPECT_EQ(other.imageLength, "0001");
  EXPECT_EQ(other.imageSizeText, "0k");
  // Byte 13 is shown first: the interface byte leads the text.
  EXPECT_EQ(readPcirFields(structureAt0100({0x01, 0x02, 0x03}, 0).build(), 0x100).classCode, "010203");
}

TEST(PcirFields, BytesPastTheBufferReadAsZero) {
  Image image;
  image.bytes[0xFFFF] = 0xAB;  // byte 15, the base class, is the last one inside
  const PcirFields f = readPcirFields(image, 0xFFF0);
  EXPECT_EQ(f.classCode, "0000AB");
  EXPECT_EQ(f.imageLength, "0000");
  EXPECT_EQ(f.imageSizeText, "0k");
  EXPECT_EQ(f.codeRevision, "0000");
  EXPECT_EQ(f.codeType, "00");
  EXPECT_EQ(f.indicator, "00");
}

// Read from the images with python3: the one "PCIR" in each file sits where
// the header word at 18h points; the 24 bytes there are
// 50 43 49 52 | 1A 12 | dev | vpd | 18 00 | 00 | 00 00 03 | len | 00 00 | 00 | 80 | 00 00.
struct RealPcir {
  test::RealRom rom;
  Offset offset;
  const char *deviceId, *deviceName, *vitalProductData, *imageLength, *imageSize;
  friend void PrintTo(const RealPcir& pcir, std::ostream* os) { *os << pcir.rom; }
};

class RealRomPcir : public testing::TestWithParam<RealPcir> {};

TEST_P(RealRomPcir, FindsAndReadsTheStructure) {
  const RealPcir& want = GetParam();
  QUARZEL_REAL_ROM(image, want.rom);
  BiosLayout layout;
  locatePcir(image, layout);
  ASSERT_EQ(layout.pcir, want.offset);
  const PcirFields f = readPcirFields(image, want.offset);
  EXPECT_EQ(f.vendorIdText, "121A");
  EXPECT_EQ(f.vendorName, "3Dfx Interactive, Inc.");
  EXPECT_EQ(f.deviceIdText, want.deviceId);
  EXPECT_EQ(f.deviceName, want.deviceName);
  EXPECT_EQ(f.vitalProductData, want.vitalProductData);
  EXPECT_EQ(f.structureLength, "0018");
  EXPECT_EQ(f.structureRevision, "00");
  EXPECT_EQ(f.classCode, "000003");
  EXPECT_EQ(f.classText, "VGA-compatible video card");
  EXPECT_EQ(f.imageLength, want.imageLength);
  EXPECT_EQ(f.imageSizeText, want.imageSize);
  EXPECT_EQ(f.codeRevision, "0000");
  EXPECT_EQ(f.codeType, "00");
  EXPECT_EQ(f.indicator, "80");
}

INSTANTIATE_TEST_SUITE_P(
    RealRoms, RealRomPcir,
    testing::Values(RealPcir{test::kAgpSg, 0x7D20, "0003", "Banshee-based card", "0000", "0040", "32k"},
                    RealPcir{test::kBlasterAgp, 0x7DE0, "0003", "Banshee-based card", "0000", "0040", "32k"},
                    RealPcir{test::kVelocity100, 0x7E54, "0005", "Avenger-based card", "00A0", "0040", "32k"},
                    RealPcir{test::k3k12sd, 0x8344, "0005", "Avenger-based card", "00A0", "0050", "40k"},
                    RealPcir{test::kV3_3500Compaq, 0x8304, "0005", "Avenger-based card", "00A0", "0050", "40k"}),
    test::RealRomName{});

}  // namespace
}  // namespace quarzel
