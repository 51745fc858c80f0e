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

Json Choice(const RunFields::ListChoice& choice) {
  return {{"row", choice.row}, {"text", choice.row < 0 ? Json(nullptr) : Json(choice.text)}};
}

Json Fields(const RunFields& f) {
  Json packages = Json::array();
  for (size_t row = 0; row < f.packages.size(); ++row) {
    packages.push_back(
        {{"row", row}, {"name", f.packages[row].first}, {"checked", f.packages[row].second}});
  }
  return {{"radio", f.radio},           {"stations", f.stations},           {"folders", f.folders},
          {"engine", Choice(f.engine)}, {"converter", Choice(f.converter)}, {"packages", packages},
          {"updateHost", f.updateHost}};
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
