#include "app/batch/operator_fields.h"

#include <charconv>

#include "app/frm_main.h"
#include "app/window_layout.h"
#include "common/text.h"
#include "settings/download_addresses.h"

namespace tx3 {
namespace {

using K = FieldKind;
using Window = const FrmMain&;
using Value = const FieldValue&;

FieldValue ChoiceOf(const ComboState& combo) {
  if (combo.selected < 0 || combo.selected >= static_cast<int>(combo.items.size())) return {};
  return {combo.items[static_cast<size_t>(combo.selected)], combo.selected, false};
}

FieldValue PackageOf(Window w, int i) {
  if (i >= static_cast<int>(w.ListeTX().size())) return {};
  const CheckedRow& row = w.ListeTX()[static_cast<size_t>(i)];
  return {row.text, -1, row.checked};
}

FieldValue UpdateHostOf(Window w, int) {
  const std::string& host = w.Run().UpdateHost;
  return {host.empty() ? std::string(BuildUpdateHost()) : host};
}

// clang-format off
constexpr OperatorField kFields[] = {
    {.key = "Radio", .option = "--radio", .syntax = "TEXT", .help = "the radio's name",
     .report = "radio", .kind = K::Text,
     .get = [](Window w, int) { return FieldValue{w.TexteNomRadio()}; },
     .set = [](FrmMain& w, int, Value v) { w.SetTexteNomRadio(v.text); },
     .stored = true},
    {.key = "Station", .option = "--station", .syntax = "N=TEXT",
     .help = "the name of station N, {range} (empty TEXT clears it)",
     .report = "stations", .kind = K::Text,
     .get = [](Window w, int i) { return FieldValue{w.TexteNomStation(i)}; },
     .set = [](FrmMain& w, int i, Value v) { w.SetTexteNomStation(i, v.text); },
     .stored = true, .numberName = "station", .firstNumber = 1, .count = kStationCount},
    {.key = "Folder", .option = "--folder", .syntax = "N=PATH",
     .help = "folder row N, {range} ({labels})",
     .report = "folders", .kind = K::Text,
     .get = [](Window w, int i) { return FieldValue{w.DossierRow(i).text}; },
     .set = [](FrmMain& w, int i, Value v) { w.SetTexteDossier(i, v.text); },
     .stored = true, .control = "TexteDossier", .numberName = "folder row", .count = kFolderCount},
    {.key = "Engine", .option = "--engine", .syntax = "N",
     .help = "the selected database engine version (0-based; -1 none)",
     .report = "engine", .kind = K::ListRow,
     .get = [](Window w, int) { return ChoiceOf(w.ComboPervasive()); },
     .set = [](FrmMain& w, int, Value v) { w.SetComboPervasiveSelection(v.row); },
     .listRows = PervasiveRows},
    {.key = "Converter", .option = "--converter", .syntax = "N",
     .help = "the selected audio converter version (0-based; -1 none)",
     .report = "converter", .kind = K::ListRow,
     .get = [](Window w, int) { return ChoiceOf(w.CombodBPowerAmp()); },
     .set = [](FrmMain& w, int, Value v) { w.SetCombodBPowerAmpSelection(v.row); },
     .listRows = ConverterRows},
    {.key = "Package", .option = "--package", .syntax = "R=on|off",
     .help = "the check mark of component row R, {range}",
     .report = "packages", .kind = K::CheckMark, .get = PackageOf,
     .set = [](FrmMain& w, int i, Value v) { w.SetListeTXChecked(i, v.on); },
     .numberName = "component row", .count = kPackageRowCount},
    {.key = "UpdateHost", .help = "the update server of steps 6 and 7",
     .report = "updateHost", .kind = K::HostName, .get = UpdateHostOf,
     .set = [](FrmMain& w, int, Value v) { w.Run().UpdateHost = v.text; }},
};
// clang-format on

}  // namespace

std::string OperatorField::Key(int index) const {
  return std::string(key) + (Numbered() ? std::to_string(firstNumber + index) : "");
}

std::span<const OperatorField> OperatorFields() {
  return kFields;
}

const OperatorField* FieldOfOption(std::string_view option) {
  for (const OperatorField& f : kFields) {
    if (!f.option.empty() && f.option == option) return &f;
  }
  return nullptr;
}

std::string FieldHelp(const OperatorField& field) {
  const std::string help =
      ReplaceAll(field.help, "{range}",
                 std::to_string(field.firstNumber) + " to " + std::to_string(field.LastNumber()));
  std::string labels;
  for (int i = 0; i < field.count; ++i) {
    const ControlLayout* control = FindControl(field.control, i);
    const ControlLayout* label = control == nullptr ? nullptr : LabelOf(*control);
    if (label == nullptr) continue;
    if (!labels.empty()) labels += ", ";
    labels += std::to_string(field.firstNumber + i) + " " + std::string(label->caption);
  }
  return ReplaceAll(help, "{labels}", labels);
}

std::optional<std::string> ReadValue(const OperatorField& field, std::string_view text,
                                     std::string_view shown, FieldValue* value) {
  switch (field.kind) {
    case K::Text:
      break;
    case K::ListRow:
      if (const std::optional<int> row = DecimalIn(text, -1, field.LastRow())) {
        value->row = *row;
        return std::nullopt;
      }
      return std::string(shown) + " is not a number from -1 to " + std::to_string(field.LastRow());
    case K::CheckMark:
      if (text != "on" && text != "off") return "expected on or off, got " + std::string(shown);
      value->on = text == "on";
      return std::nullopt;
    case K::HostName:
      if (!IsHostName(text)) return std::string(shown) + " is not a host name";
      break;
  }
  value->text = text;
  return std::nullopt;
}

std::optional<int> DecimalIn(std::string_view text, int low, int high) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

}  // namespace tx3
