#include "analysis/pcir_fields.h"
#include "analysis/registers.h"
#include "cli/json_writer.h"
#include "cli/reports.h"
#include "cli/vesa_names.h"

namespace quarzel::cli {

namespace {

void bootString(JsonWriter& json, const char* key, const Image& image, const BootString& string,
                const Location* bootCode) {
  if (!string.address) {
    json.null(key);
    return;
  }
  json.beginObject(key)
      .number("offset", *string.address)
      .number("length", string.length)
      .number("maxLength", string.maxLength)
      .numberOrNull("lengthWord", string.lengthWord);
  if (bootCode != nullptr) json.numberOrNull("bootCode", *bootCode);
  json.string("text", image.text(*string.address)).endObject();
}

void date(JsonWriter& json, const BiosDate& date) {
  if (!date.address) {
    json.null("date");
    return;
  }
  json.beginObject("date").number("offset", *date.address).string("text", date.text.data()).endObject();
}

void registers(JsonWriter& json, const BiosLayout& layout) {
  json.beginArray("registers");
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    json.beginObject()
        .string("name", kRegisterNames[i])
        .numberOrNull("offset", layout.registerTable[i].location)
        .string("value", registerValueText(layout, i))
        .endObject();
  }
  json.endArray().string("pllFrequency", pllFrequencyText(layout));
}

void fonts(JsonWriter& json, const BiosLayout& layout) {
  json.beginObject("fonts")
      .numberOrNull("font8x8", layout.fonts[Font8x8])
      .numberOrNull("font8x14", layout.fonts[Font8x14])
      .numberOrNull("font8x16", layout.fonts[Font8x16])
      .numberOrNull("fixup8x14", layout.fixups[Font8x14].location)
      .number("fixup8x14Size", static_cast<std::int64_t>(layout.fixups[Font8x14].size))
      .numberOrNull("fixup8x16", layout.fixups[Font8x16].location)
      .number("fixup8x16Size", static_cast<std::int64_t>(layout.fixups[Font8x16].size))
      .endObject();
}

void pcir(JsonWriter& json, const Image& image, const Location& offset) {
  if (!offset) {
    json.null("pcir");
    return;
  }
  const PcirFields fields = readPcirFields(image, *offset);
  json.beginObject("pcir")
      .number("offset", *offset)
      .string("vendorId", fields.vendorIdText)
      .string("deviceId", fields.deviceIdText)
      .string("vendorName", fields.vendorName)
      .string("deviceName", fields.deviceName)
      .string("vitalProductData", fields.vitalProductData)
      .string("structureLength", fields.structureLength)
      .string("structureRevision", fields.structureRevision)
      .string("classCode", fields.classCode)
      .string("classText", fields.classText)
      .string("imageLength", fields.imageLength)
      .string("imageSizeText", fields.imageSizeText)
      .string("codeRevision", fields.codeRevision)
      .string("codeType", fields.codeType)
      .string("indicator", fields.indicator)
      .endObject();
}

void vesa(JsonWriter& json, const Image& image, const BiosLayout& layout) {
  json.beginObject("vesa");
  for (std::size_t i = 0; i < kVesaStringCount; ++i) {
    const VesaString& string = layout.vesa[i];
    if (!string.address) {
      json.null(kVesaNames[i].key);
      continue;
    }
    json.beginObject(kVesaNames[i].key)
        .number("offset", *string.address)
        .number("maxLength", string.maxLength)
        .string("text", image.text(*string.address))
        .endObject();
  }
  json.endObject();
}

}  // namespace

std::string infoJson(const Image& image, const BiosLayout& layout) {
  JsonWriter json;
  json.beginObject()
      .number("imageSize", static_cast<std::int64_t>(image.size))
      .number("romLength", static_cast<std::int64_t>(romLength(image)))
      .boolean("checksumOk", checksumOk(image));
  bootString(json, "string1", image, layout.bootString1, &layout.bootCodeAddress);
  bootString(json, "string2", image, layout.bootString2, nullptr);
  date(json, layout.biosDate);
  json.beginArray("logoLines");
  for (const std::string& line : layout.logoLines) json.string({}, line);
  json.endArray();
  if (const auto& logo = layout.logo) {
    json.beginObject("logo")
        .number("call", logo->call)
        .number("block", static_cast<std::int64_t>(logo->block.base))
        .number("size", static_cast<std::int64_t>(logo->block.size))
        .number("width", logo->block.width)
        .number("height", logo->block.height)
        .boolean("keepsSignOn", logo->block.savedCode.has_value())
        .endObject();
  } else {
    json.null("logo");
  }
  registers(json, layout);
  fonts(json, layout);
  json.numberOrNull("videoParameterTable", layout.videoParameterTable)
      .numberOrNull("extendedModeTable", layout.extendedModeTable)
      .number("extendedRecordBytes", static_cast<std::int64_t>(layout.extendedRecordBytes))
      .numberOrNull("modeInfoTable", layout.modeInfoTable);
  modesJson(json, image, layout);
  pcir(json, image, layout.pcir);
  vesa(json, image, layout);
  return json.endObject().text();
}

}  // namespace quarzel::cli
