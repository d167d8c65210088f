// `quarzel-cli diff --json`: the comparison as one object. Every item is
// listed with its verdict and where each image has it (null where not
// located); `differences` names the items that differ, as `--as-edits`
// names them.
#include "analysis/registers.h"
#include "analysis/video_modes.h"
#include "cli/cli_support.h"
#include "cli/diff_items.h"
#include "cli/diff_reports.h"
#include "cli/json_writer.h"
#include "cli/vesa_names.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

// One side of an item: null where not located, else its offset and what
// `fill` adds.
template <typename Fill>
void side(JsonWriter& json, const char* key, Location location, Fill fill) {
  if (!location) {
    json.null(key);
    return;
  }
  json.beginObject(key).number("offset", *location);
  fill();
  json.endObject();
}

void verdict(JsonWriter& json, Verdict v) { json.string("verdict", verdictKey(v)); }

void codes(JsonWriter& json, const char* key, const std::vector<std::uint8_t>& list) {
  json.beginArray(key);
  for (const std::uint8_t code : list) json.number({}, code);
  json.endArray();
}

void text(JsonWriter& json, const char* key, const TextDiff& d) {
  json.beginObject(key);
  verdict(json, d.verdict);
  side(json, "a", d.a, [&] { json.string("text", d.textA).numberOrNull("countWord", d.countA); });
  side(json, "b", d.b, [&] { json.string("text", d.textB).numberOrNull("countWord", d.countB); });
  json.endObject();
}

void pll(JsonWriter& json, const char* key, std::uint32_t value) {
  const PllDividers d = pllDividers(value);
  json.beginObject(key)
      .number("k", d.k)
      .number("m", d.m)
      .number("n", d.n)
      .number("test", d.test)
      .string("frequency", frequencyText(pllFrequency(value)))
      .endObject();
}

void registers(JsonWriter& json, const BiosDiff& diff) {
  json.beginArray("registers");
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    const RegisterDiff& d = diff.registers[i];
    json.beginObject().string("name", kRegisterNames[i]);
    verdict(json, d.verdict);
    side(json, "a", d.a, [&] {
      json.string("value", registerHexText(d.valueA));
      if (i == PLLCtrl1) pll(json, "pll", d.valueA);
    });
    side(json, "b", d.b, [&] {
      json.string("value", registerHexText(d.valueB));
      if (i == PLLCtrl1) pll(json, "pll", d.valueB);
    });
    json.beginArray("fields");
    for (const FieldChange& change : d.fields)
      json.beginObject()
          .string("bits", bitRangeText(change.row))
          .boolean("reserved", change.row.reserved)
          .utf8("text", singleLineText(change.row))
          .number("a", change.a)
          .number("b", change.b)
          .endObject();
    json.endArray().endObject();
  }
  json.endArray();
}

void fonts(JsonWriter& json, const BiosDiff& diff) {
  json.beginArray("fonts");
  for (const FontSize size : kFontSizes) {
    const FontDiff& d = diff.fonts[size];
    json.beginObject().string("size", fontSizeName(size));
    verdict(json, d.verdict);
    side(json, "a", d.a, [] {});
    side(json, "b", d.b, [] {});
    codes(json, "glyphs", d.glyphs);
    json.endObject();
  }
  json.endArray().beginArray("fixups");
  for (const FontSize size : {Font8x14, Font8x16}) {
    const FixupDiff& d = diff.fixups[size];
    json.beginObject().string("size", fontSizeName(size));
    verdict(json, d.verdict);
    side(json, "a", d.a, [&] { json.number("size", static_cast<std::int64_t>(d.sizeA)); });
    side(json, "b", d.b, [&] { json.number("size", static_cast<std::int64_t>(d.sizeB)); });
    codes(json, "onlyA", d.changes.onlyA);
    codes(json, "onlyB", d.changes.onlyB);
    codes(json, "glyphs", d.changes.glyphs);
    json.endObject();
  }
  json.endArray();
}

void logoSide(JsonWriter& json, const char* key, const std::optional<LogoBlockView>& block) {
  side(json, key, block ? std::optional<Offset>(static_cast<Offset>(block->base)) : std::nullopt, [&] {
    json.number("width", block->width).number("height", block->height);
    json.beginArray("lines");
    for (const std::string& line : block->lines) json.string({}, line);
    json.endArray();
  });
}

void logo(JsonWriter& json, const LogoDiff& d) {
  json.beginObject("logo");
  verdict(json, d.verdict);
  logoSide(json, "a", d.blockA);
  logoSide(json, "b", d.blockB);
  json.boolean("pictureDiffers", d.pictureDiffers);
  json.endObject();
}

void pcir(JsonWriter& json, const PcirDiff& d) {
  json.beginObject("pcir");
  verdict(json, d.verdict);
  side(json, "a", d.a, [] {});
  side(json, "b", d.b, [] {});
  json.beginArray("fields");
  for (const std::size_t row : d.rows)
    json.beginObject()
        .string("name", kPcirFieldRows[row].label)
        .string("a", pcirRowText(d.fieldsA, kPcirFieldRows[row]))
        .string("b", pcirRowText(d.fieldsB, kPcirFieldRows[row]))
        .endObject();
  json.endArray().endObject();
}

void modes(JsonWriter& json, const BiosDiff& diff) {
  for (const auto& [key, table] : {std::pair{"videoParameterTable", &diff.videoParameterTable},
                                   std::pair{"extendedModeTable", &diff.extendedModeTable}}) {
    json.beginObject(key);
    verdict(json, table->verdict);
    json.numberOrNull("a", table->a).numberOrNull("b", table->b).endObject();
  }
  json.beginObject("extendedRecordBytes")
      .number("a", static_cast<std::int64_t>(diff.extendedRecordBytesA))
      .number("b", static_cast<std::int64_t>(diff.extendedRecordBytesB))
      .endObject();
  json.beginArray("modes");
  for (const ModeRowDiff& row : diff.modes) {
    json.beginObject().number("row", static_cast<std::int64_t>(row.row)).string("text", kVideoModes[row.row].text);
    for (const auto& [key, values] : {std::pair{"entry", &row.entry}, std::pair{"record", &row.record},
                                std::pair{"result", &row.result}}) {
      json.beginArray(key);
      for (const ModeValueChange& value : *values)
        json.beginObject().string("name", value.name()).string("a", value.a).string("b", value.b).endObject();
      json.endArray();
    }
    json.endObject();
  }
  json.endArray();
}

void checksum(JsonWriter& json, const ChecksumDiff& c) {
  json.beginObject("checksum");
  verdict(json, c.verdict);
  for (const auto& [key, byte] : {std::pair{"a", &c.a}, std::pair{"b", &c.b}}) {
    if (!byte->offset) {
      json.null(key);
      continue;
    }
    json.beginObject(key)
        .number("offset", static_cast<std::int64_t>(*byte->offset))
        .string("value", formatText("%02X", byte->value))
        .boolean("ok", byte->ok)
        .endObject();
  }
  json.endObject();
}

void image(JsonWriter& json, const char* key, const std::string& name, std::size_t size, std::size_t rom) {
  json.beginObject(key)
      .string("file", name)
      .number("imageSize", static_cast<std::int64_t>(size))
      .number("romLength", static_cast<std::int64_t>(rom))
      .endObject();
}

}  // namespace

std::string diffJson(const DiffNames& names, const BiosDiff& diff) {
  JsonWriter json;
  json.beginObject();
  image(json, "a", names.a, diff.sizeA, diff.romLengthA);
  image(json, "b", names.b, diff.sizeB, diff.romLengthB);
  json.boolean("identical", diff.identical).beginArray("differences");
  for (const ItemRef& ref : differences(diff)) json.string({}, itemKey(ref));
  json.endArray();
  text(json, "string1", diff.string1);
  text(json, "string2", diff.string2);
  text(json, "date", diff.date);
  logo(json, diff.logo);
  registers(json, diff);
  fonts(json, diff);
  pcir(json, diff.pcir);
  json.beginObject("vesa");
  for (std::size_t i = 0; i < kVesaStringCount; ++i) text(json, kVesaNames[i].key, diff.vesa[i]);
  json.endObject();
  modes(json, diff);
  checksum(json, diff.checksum);
  json.beginArray("rest");
  for (const ByteRange& run : diff.rest)
    json.beginObject()
        .number("offset", static_cast<std::int64_t>(run.offset))
        .number("length", static_cast<std::int64_t>(run.length))
        .endObject();
  json.endArray();
  return json.endObject().text();
}

}  // namespace quarzel::cli
