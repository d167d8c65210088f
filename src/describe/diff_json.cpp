// `quarzel-cli diff --json`: the comparison as one object. Every item is
// listed with its verdict and where each image has it (null where not
// located); `differences` names the items that differ, as `--as-edits`
// names them.
#include "describe/diff_json.h"

#include <tuple>

#include "analysis/registers/registers.h"
#include "analysis/modes/video_modes.h"
#include "describe/diff_items.h"
#include "describe/json.h"
#include "describe/names.h"
#include "describe/pll_report.h"
#include "describe/vesa_names.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

// One side of an item: null where not located, else its offset and what
// `fill` adds.
template <typename Fill>
Json side(Location location, Fill fill) {
  if (!location) return nullptr;
  Json json = {{"offset", *location}};
  fill(json);
  return json;
}

Json located(Location location) {
  return side(location, [](Json&) {});
}

Json text(const TextDiff& d) {
  return {{"verdict", verdictKey(d.verdict)},
          {"a", side(d.a, [&](Json& a) { a["text"] = biosText(d.textA), a["countWord"] = numberOrNull(d.countA); })},
          {"b", side(d.b, [&](Json& b) { b["text"] = biosText(d.textB), b["countWord"] = numberOrNull(d.countB); })}};
}

Json registers(const BiosDiff& diff) {
  Json list = Json::array();
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    const RegisterDiff& d = diff.registers[i];
    const auto value = [&](std::uint32_t v) {
      return [=](Json& json) {
        json["value"] = registerHexText(v);
        if (i == PLLCtrl1) json["pll"] = pllJson(v);
      };
    };
    Json fields = Json::array();
    for (const FieldChange& change : d.fields)
      fields.push_back({{"bits", bitRangeText(change.row)},
                        {"reserved", change.row.reserved},
                        {"text", singleLineText(change.row)},
                        {"a", change.a},
                        {"b", change.b}});
    list.push_back({{"name", kRegisterNames[i]},
                    {"verdict", verdictKey(d.verdict)},
                    {"a", side(d.a, value(d.valueA))},
                    {"b", side(d.b, value(d.valueB))},
                    {"fields", fields}});
  }
  return list;
}

Json fonts(const BiosDiff& diff) {
  Json list = Json::array();
  for (const FontSize size : kFontSizes) {
    const FontDiff& d = diff.fonts[size];
    list.push_back({{"size", fontSizeName(size)},
                    {"verdict", verdictKey(d.verdict)},
                    {"a", located(d.a)},
                    {"b", located(d.b)},
                    {"glyphs", d.glyphs}});
  }
  return list;
}

Json fixups(const BiosDiff& diff) {
  Json list = Json::array();
  for (const FontSize size : {Font8x14, Font8x16}) {
    const FixupDiff& d = diff.fixups[size];
    list.push_back({{"size", fontSizeName(size)},
                    {"verdict", verdictKey(d.verdict)},
                    {"a", side(d.a, [&](Json& a) { a["size"] = d.sizeA; })},
                    {"b", side(d.b, [&](Json& b) { b["size"] = d.sizeB; })},
                    {"onlyA", d.changes.onlyA},
                    {"onlyB", d.changes.onlyB},
                    {"glyphs", d.changes.glyphs}});
  }
  return list;
}

Json logoSide(const std::optional<LogoBlockView>& block) {
  return side(block ? std::optional<Offset>(static_cast<Offset>(block->base)) : std::nullopt, [&](Json& json) {
    json["width"] = block->width;
    json["height"] = block->height;
    Json& lines = json["lines"] = Json::array();
    for (const std::string& line : block->lines) lines.push_back(biosText(line));
  });
}

Json logo(const LogoDiff& d) {
  return {{"verdict", verdictKey(d.verdict)},
          {"a", logoSide(d.blockA)},
          {"b", logoSide(d.blockB)},
          {"pictureDiffers", d.pictureDiffers}};
}

Json pcir(const PcirDiff& d) {
  Json fields = Json::array();
  for (const std::size_t row : d.rows)
    fields.push_back({{"name", kPcirFieldRows[row].label},
                      {"a", biosText(pcirRowText(d.fieldsA, kPcirFieldRows[row]))},
                      {"b", biosText(pcirRowText(d.fieldsB, kPcirFieldRows[row]))}});
  return {{"verdict", verdictKey(d.verdict)}, {"a", located(d.a)}, {"b", located(d.b)}, {"fields", fields}};
}

void modes(Json& json, const BiosDiff& diff) {
  for (const auto& [key, item, table] :
       {std::tuple{"videoParameterTable", DiffItem::VideoParameterTable, &diff.videoParameterTable},
        std::tuple{"extendedModeTable", DiffItem::ExtendedModeTable, &diff.extendedModeTable}})
    json[key] = {{"verdict", verdictKey(tableVerdict(diff, item))},
                 {"a", numberOrNull(table->a)},
                 {"b", numberOrNull(table->b)}};
  json["extendedRecordBytes"] = {{"a", diff.extendedRecordBytesA}, {"b", diff.extendedRecordBytesB}};
  Json& rows = json["modes"] = Json::array();
  for (const ModeRowDiff& row : diff.modes) {
    Json item = {{"row", row.row}, {"text", row.heading()}};
    for (const auto& [key, values] : {std::pair{"entry", &row.entry}, std::pair{"record", &row.record},
                                      std::pair{"result", &row.result}}) {
      Json& changes = item[key] = Json::array();
      for (const ModeValueChange& value : *values)
        changes.push_back({{"name", value.name()}, {"a", biosText(value.a)}, {"b", biosText(value.b)}});
    }
    rows.push_back(std::move(item));
  }
}

Json checksum(const ChecksumDiff& c) {
  Json json = {{"verdict", verdictKey(c.verdict)}};
  for (const auto& [key, byte] : {std::pair{"a", &c.a}, std::pair{"b", &c.b}})
    json[key] = byte->offset ? Json{{"offset", *byte->offset},
                                    {"value", formatText("%02X", byte->value)},
                                    {"ok", byte->ok}}
                             : Json();
  return json;
}

Json image(const std::string& name, std::size_t size, std::size_t rom) {
  return {{"file", biosText(name)}, {"imageSize", size}, {"romLength", rom}};
}

}  // namespace

std::string diffJson(const DiffNames& names, const BiosDiff& diff) {
  Json json = {{"a", image(names.a, diff.sizeA, diff.romLengthA)},
               {"b", image(names.b, diff.sizeB, diff.romLengthB)},
               {"identical", diff.identical}};
  Json& differing = json["differences"] = Json::array();
  for (const ItemRef& ref : differences(diff)) differing.push_back(itemKey(ref));
  json["string1"] = text(diff.string1);
  json["string2"] = text(diff.string2);
  json["date"] = text(diff.date);
  json["logo"] = logo(diff.logo);
  json["registers"] = registers(diff);
  json["fonts"] = fonts(diff);
  json["fixups"] = fixups(diff);
  json["pcir"] = pcir(diff.pcir);
  Json& vesa = json["vesa"] = Json::object();
  for (std::size_t i = 0; i < kVesaStringCount; ++i) vesa[kVesaNames[i].key] = text(diff.vesa[i]);
  modes(json, diff);
  json["checksum"] = checksum(diff.checksum);
  Json& rest = json["rest"] = Json::array();
  for (const ByteRange& run : diff.rest) rest.push_back({{"offset", run.offset}, {"length", run.length}});
  return jsonText(json);
}

}  // namespace quarzel
