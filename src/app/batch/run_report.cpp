#include "app/batch/run_report.h"

#include <nlohmann/json.hpp>

namespace tx3 {
namespace {

using Json = nlohmann::ordered_json;

Json Messages(const std::vector<ShownMessage>& messages) {
  Json list = Json::array();
  for (const ShownMessage& m : messages) {
    list.push_back({{"level", std::string(IconName(m.icon))}, {"text", m.text}});
  }
  return list;
}

// A field's value at the model's index `index`.
Json FieldJson(const OperatorField& field, int index, const FieldValue& value) {
  switch (field.kind) {
    case FieldKind::ListRow:
      return {{"row", value.row}, {"text", value.row < 0 ? Json(nullptr) : Json(value.text)}};
    case FieldKind::CheckMark:
      return {{"row", field.firstNumber + index}, {"name", value.text}, {"checked", value.on}};
    case FieldKind::Text:
    case FieldKind::HostName:
      break;
  }
  return value.text;
}

// Each field under its name: its value, or the list of its numbers' values.
Json Fields(const RunFields& fields) {
  Json members = Json::object();
  for (const FieldReading& r : fields) {
    const OperatorField& f = *r.field;
    Json values = Json::array();
    for (size_t i = 0; i < r.values.size(); ++i) {
      values.push_back(FieldJson(f, static_cast<int>(i), r.values[i]));
    }
    members[std::string(f.report)] = f.Numbered() || values.empty() ? values : values[0];
  }
  return members;
}

Json SettingsFile(const platform::ProfileFileChange& file) {
  Json keys = Json::array();
  for (const platform::ProfileKeyChange& k : file.keys) {
    keys.push_back({{"section", k.section},
                    {"key", k.key},
                    {"before", k.before ? Json(*k.before) : Json(nullptr)},
                    {"after", k.after}});
  }
  return {{"file", file.file},
          {"added", file.added},
          {"changed", file.changed},
          {"written", file.written},
          {"keys", keys}};
}

Json Action(const ActionRecord& a) {
  Json files = Json::array();
  for (const platform::ProfileFileChange& f : a.settingsFiles) files.push_back(SettingsFile(f));
  return {{"action", ActionText(a.action)},
          {"messages", Messages(a.messages)},
          {"settingsFiles", files},
          {"folders", a.folders},
          {"dataFiles", a.dataFiles}};
}

Json Totals(const RunRecord& record) {
  const RunTotals t = TotalsOf(record.actions);
  int warnings = 0;
  for (const ShownMessage& m : record.messages) warnings += m.icon != MsgIcon::Information;
  return {{"folders", t.folders},     {"settingsFiles", t.settingsFiles},
          {"keysAdded", t.keysAdded}, {"keysChanged", t.keysChanged},
          {"dataFiles", t.dataFiles}, {"messages", record.messages.size()},
          {"warnings", warnings},     {"errorsReported", record.errorsReported}};
}

}  // namespace

std::string ReportText(const RunRecord& record) {
  Json actions = Json::array();
  for (const ActionRecord& a : record.actions) actions.push_back(Action(a));
  const Json report = {{"format", kReportFormat},
                       {"program", "tx3_setup"},
                       {"version", record.version},
                       {"dryRun", record.dryRun},
                       {"fields", Fields(record.fields)},
                       {"actions", actions},
                       {"messages", Messages(record.messages)},
                       {"totals", Totals(record)},
                       {"exitStatus", record.exitStatus}};
  return report.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tx3
