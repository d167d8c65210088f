#include "web/session.h"

#include <utility>

#include "analysis/analysis_pass.h"
#include "describe/json.h"
#include "formats/text_escapes.h"
#include "formats/text_format.h"

namespace quarzel::web {

namespace {

std::optional<Image> loadOrSay(const std::string& name, std::span<const std::uint8_t> file, std::string& message) {
  LoadResult loaded = loadImage(file);
  if (!loaded.image) message = name + ": " + describe(*loaded.error);
  return std::move(loaded.image);
}

// The edits' words as the page sends them for none: edit's dry run, as the
// page writes no file (a save downloads the run's image).
EditWords noEdits(const std::string& in) {
  EditWords words;
  words.in = in;
  words.dryRun = true;
  return words;
}

EditRun refused(const Image& image, std::string reason) {
  EditRun run;
  run.image = image;
  run.refusal = std::move(reason);
  return run;
}

// The page gives texts as they are; edit takes them with \r, \n, \\ and
// \xHH for the bytes a command line cannot carry, which is how the same
// words reach the same plan.
std::optional<std::string> commandWord(const EditOption& option, const std::string& value) {
  const auto bytes = biosBytes(value);
  if (!bytes) return std::nullopt;
  switch (option.escaped) {
    case EscapedPart::None: return bytes;
    case EscapedPart::Whole: return escapeText(*bytes);
    case EscapedPart::AfterEquals: {
      const auto equals = bytes->find('=');
      if (equals == std::string::npos) return bytes;
      return bytes->substr(0, equals + 1) + escapeText(std::string_view(*bytes).substr(equals + 1));
    }
  }
  return std::nullopt;
}

// {"--string1": ["text"], "--clock": ["108.8"], "--grow": true, ...}: the
// options of edit, by its own table; empty with the reason for anything else.
std::optional<EditWords> readWords(std::string_view text, const std::string& in, std::string& error) {
  const Json json = Json::parse(text, nullptr, false);
  if (!json.is_object()) {
    error = "the edits are not a JSON object";
    return std::nullopt;
  }
  EditWords words = noEdits(in);
  for (const auto& [name, value] : json.items()) {
    const EditOption* option = nullptr;
    for (const EditOption& candidate : kEditOptions)
      if (name == candidate.name) option = &candidate;
    if (!option) {
      error = "edit has no option " + name;
      return std::nullopt;
    }
    if (option->flag) {
      if (!value.is_boolean()) {
        error = name + " is on or off";
        return std::nullopt;
      }
      words.*option->flag = value.get<bool>();
      continue;
    }
    if (!value.is_array()) {
      error = name + " takes a list of values";
      return std::nullopt;
    }
    for (const Json& item : value) {
      const auto word = item.is_string() ? commandWord(*option, item.get<std::string>()) : std::nullopt;
      if (!word) {
        error = name + ": a text of characters the BIOS can hold (U+0000 to U+00FF)";
        return std::nullopt;
      }
      (words.*option->values).push_back(*word);
    }
  }
  return words;
}

}  // namespace

std::string openRom(Session& session, std::string name, std::span<const std::uint8_t> file) {
  std::string message;
  auto image = loadOrSay(name, file, message);
  if (!image) return message;
  session.open = true;
  session.name = std::move(name);
  session.opened = std::move(*image);
  AnalysisPass(session.opened, session.openedLayout);
  session.words = noEdits(session.name);
  // With no edits only the checksum fix can refuse; the image is shown all
  // the same, and a save says why it cannot be written.
  session.edited = runEdits(session.opened, *parseEditPlan(session.words).plan, pageFiles(session));
  AnalysisPass(session.edited.image, session.layout);
  return {};
}

std::vector<std::string> editCommandWords(const Session& session) {
  std::vector<std::string> words;
  for (const EditOption& option : kEditOptions) {
    if (option.flag) {
      if (session.words.*option.flag) words.emplace_back(option.name);
      continue;
    }
    for (const std::string& value : session.words.*option.values) {
      words.emplace_back(option.name);
      words.push_back(value);
    }
  }
  return words;
}

std::string openOtherRom(Session& session, std::string name, std::span<const std::uint8_t> file) {
  std::string message;
  auto image = loadOrSay(name, file, message);
  if (!image) return message;
  session.other = OtherRom{std::move(name), std::move(*image), {}};
  AnalysisPass(session.other->image, session.other->layout);
  return {};
}

FileSource pageFiles(const Session& session) {
  return [&files = session.files](const std::string& path, std::size_t limit) -> FileRead {
    const auto file = files.find(path);
    if (file == files.end()) return {std::nullopt, "no such file"};
    if (file->second.size() > limit) return {std::nullopt, formatText("is larger than %zu bytes", limit)};
    return {file->second, {}};
  };
}

EditRun editRom(Session& session, std::string_view text) {
  std::string error;
  auto words = readWords(text, session.name, error);
  if (!words) return refused(session.opened, error);
  const EditPlanParse parsed = parseEditPlan(*words);
  if (!parsed.plan) return refused(session.opened, parsed.error);
  EditRun tried = runEdits(session.opened, *parsed.plan, pageFiles(session));
  if (!tried.ok()) return tried;
  session.edited = std::move(tried);
  session.words = std::move(*words);
  AnalysisPass(session.edited.image, session.layout);
  return session.edited;
}

}  // namespace quarzel::web
