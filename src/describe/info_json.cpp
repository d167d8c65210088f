#include "describe/info_json.h"

#include "analysis/pci_vesa/pcir_fields.h"
#include "analysis/strings/boot_string.h"
#include "analysis/pointer_directory.h"
#include "analysis/registers/registers.h"
#include "describe/json.h"
#include "describe/modes_json.h"
#include "describe/vesa_names.h"

namespace quarzel {

namespace {

Json bootString(const Image& image, const BootString& string, const Location* bootCode) {
  if (!string.address) return nullptr;
  Json json = {{"offset", *string.address},
               {"length", string.length},
               {"maxLength", string.maxLength},
               {"lengthWord", numberOrNull(string.lengthWord)},
               {"printed", string.printed}};
  if (bootCode != nullptr) json["bootCode"] = numberOrNull(*bootCode);
  json["text"] = biosText(fieldText(image, string));
  return json;
}

const char* witnessKey(Witness witness) {
  switch (witness) {
    case Witness::Agrees: return "agrees";
    case Witness::Differs: return "differs";
    case Witness::Taken: return "taken";
    case Witness::Missing: return "missing";
  }
  return "";
}

// The BIOS's pointer directory, each entry beside what the locators found.
Json pointerDirectory(const Image& image, const BiosLayout& layout) {
  const auto checks = directoryChecks(image, layout);
  if (!checks) return nullptr;
  Json entries = Json::array();
  for (std::size_t i = 0; i < kDirectoryEntries; ++i)
    entries.push_back({{"item", kDirectoryRules[i].key},
                       {"directory", numberOrNull((*checks)[i].directory)},
                       {"located", numberOrNull((*checks)[i].located)},
                       {"witness", witnessKey((*checks)[i].witness)}});
  return {{"offset", numberOrNull(layout.pointerDirectory)}, {"entries", entries}};
}

Json date(const BiosDate& date) {
  if (!date.address) return nullptr;
  return {{"offset", *date.address}, {"text", biosText(date.text.data())}};
}

Json registers(const BiosLayout& layout) {
  Json list = Json::array();
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    list.push_back({{"name", kRegisterNames[i]},
                    {"offset", numberOrNull(layout.registerTable[i].location)},
                    {"value", layout.registerTable[i].location ? Json(registerValueText(layout, i)) : Json()}});
  return list;
}

Json fonts(const BiosLayout& layout) {
  return {{"font8x8", numberOrNull(layout.fonts[Font8x8])},
          {"font8x14", numberOrNull(layout.fonts[Font8x14])},
          {"font8x16", numberOrNull(layout.fonts[Font8x16])},
          {"fixup8x14", numberOrNull(layout.fixups[Font8x14].location)},
          {"fixup8x14Size", layout.fixups[Font8x14].size},
          {"fixup8x16", numberOrNull(layout.fixups[Font8x16].location)},
          {"fixup8x16Size", layout.fixups[Font8x16].size}};
}

Json pcir(const Image& image, const Location& offset) {
  if (!offset) return nullptr;
  const PcirFields fields = readPcirFields(image, *offset);
  return {{"offset", *offset},
          {"vendorId", biosText(fields.vendorIdText)},
          {"deviceId", biosText(fields.deviceIdText)},
          {"vendorName", biosText(fields.vendorName)},
          {"deviceName", biosText(fields.deviceName)},
          {"vitalProductData", biosText(fields.vitalProductData)},
          {"structureLength", biosText(fields.structureLength)},
          {"structureRevision", biosText(fields.structureRevision)},
          {"classCode", biosText(fields.classCode)},
          {"classText", biosText(fields.classText)},
          {"imageLength", biosText(fields.imageLength)},
          {"imageSizeText", biosText(fields.imageSizeText)},
          {"codeRevision", biosText(fields.codeRevision)},
          {"codeType", biosText(fields.codeType)},
          {"indicator", biosText(fields.indicator)}};
}

Json vesa(const Image& image, const BiosLayout& layout) {
  Json json = Json::object();
  for (std::size_t i = 0; i < kVesaStringCount; ++i) {
    const VesaString& string = layout.vesa[i];
    json[kVesaNames[i].key] = string.address ? Json{{"offset", *string.address},
                                                    {"maxLength", string.maxLength},
                                                    {"text", biosText(image.text(*string.address))}}
                                             : Json();
  }
  return json;
}

Json logo(const BiosLayout& layout) {
  if (!layout.logo) return nullptr;
  const LogoBlockView& block = layout.logo->block;
  return {{"call", layout.logo->call},       {"block", block.base},       {"size", block.size},
          {"width", block.width},            {"height", block.height},
          {"keepsSignOn", block.savedCode.has_value()}};
}

}  // namespace

std::string infoJson(const Image& image, const BiosLayout& layout) {
  Json json = {{"imageSize", image.size}, {"romLength", romLength(image)}, {"checksumOk", checksumOk(image)}};
  json["string1"] = bootString(image, layout.bootString1, &layout.bootCodeAddress);
  json["string2"] = bootString(image, layout.bootString2, nullptr);
  json["date"] = date(layout.biosDate);
  Json& lines = json["logoLines"] = Json::array();
  for (const std::string& line : layout.logoLines) lines.push_back(biosText(line));
  json["logo"] = logo(layout);
  json["registers"] = registers(layout);
  json["pllFrequency"] = pllFrequencyText(layout);
  json["fonts"] = fonts(layout);
  json["videoParameterTable"] = numberOrNull(layout.videoParameterTable);
  json["extendedModeTable"] = numberOrNull(layout.extendedModeTable);
  json["extendedRecordBytes"] = layout.extendedRecordBytes;
  json["modeInfoTable"] = numberOrNull(layout.modeInfoTable);
  json["modes"] = modesJson(image, layout);
  json["pcir"] = pcir(image, layout.pcir);
  json["vesa"] = vesa(image, layout);
  json["pointerDirectory"] = pointerDirectory(image, layout);
  return jsonText(json);
}

}  // namespace quarzel
