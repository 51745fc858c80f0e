#include "app/batch/batch_front_end.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "app/batch/answer_file.h"
#include "app/batch/batch_options.h"
#include "app/batch/batch_ui_port.h"
#include "app/batch/capture.h"
#include "app/batch/dry_run_summary.h"
#include "app/batch/run_record.h"
#include "app/batch/run_report.h"
#include "app/frm_main.h"
#include "app/run_files.h"
#include "common/list_message.h"
#include "common/profile_transaction.h"
#include "common/run_context.h"
#include "common/text.h"
#include "platform/dry_run_platform.h"
#include "platform/platform.h"
#include "settings/download_addresses.h"

namespace tx3 {
namespace {

void RunAction(FrmMain& w, const BatchAction& a) {
  using K = BatchAction::Kind;
  switch (a.kind) {
    case K::Step:
      w.CommandCreerSettings_Click(static_cast<int16_t>(a.number - 1));
      break;
    case K::CreateFolder:
      w.CommandDossierCreer_Click(a.number);
      // The window shows a folder it could not create by the field's red background alone,
      // which a batch run has no means to show.
      if (w.DossierRow(a.number).color == FieldColor::Red) {
        w.Run().Ui().ShowMessage(
            ListMessage(kDossiersNonCrees, {OneLine(w.DossierRow(a.number).text)}),
            MsgIcon::Warning);
      }
      break;
    case K::CreateDatabase:
      w.CommandPervasiveCreate_Click();
      break;
  }
}

// A TX3_UPDATE_HOST that is not a host name leaves the build's update server, with a warning
// line; an answer file's UpdateHost makes the variable irrelevant. Answers the warning's text.
std::optional<std::string> RefusedUpdateHost(const BatchOptions& options) {
  const auto setsHost = [](const FieldOption& f) { return f.field->key == "UpdateHost"; };
  if (std::any_of(options.fields.begin(), options.fields.end(), setsHost)) return std::nullopt;
  std::optional<std::string> host = platform::Os().GetEnv(kUpdateHostVariable);
  if (!host || IsHostName(*host)) return std::nullopt;
  return std::string(kUpdateHostVariable) + " \"" + OneLine(*host) +
         "\" is not a host name; the update server stays " + std::string(BuildUpdateHost());
}

// The dry run's platform over the one in use, for the length of the run.
class DryRunScope {
 public:
  explicit DryRunScope(bool dryRun) : previous_(platform::Os()) {
    if (!dryRun) return;
    dry_.emplace(previous_);
    platform::SetPlatform(&*dry_);
  }
  ~DryRunScope() {
    if (dry_) platform::SetPlatform(&previous_);
  }
  DryRunScope(const DryRunScope&) = delete;
  DryRunScope& operator=(const DryRunScope&) = delete;

 private:
  platform::Platform& previous_;
  std::optional<platform::DryRunPlatform> dry_;
};

// Runs the actions in order, keeping what each one showed and changed. In a dry run one outer
// transaction holds them all, so that an action sees what the earlier ones would have written.
void RunActions(FrmMain& window, const BatchUiPort& port, const BatchOptions& options,
                RunRecord* record) {
  std::optional<ProfileTransaction> outer;
  if (options.dryRun) outer.emplace();
  // The run's changes are taken after each action: what they hold then is that action's.
  RunChanges& changes = window.Run().Changes;
  changes = {};
  for (const BatchAction& a : options.actions) {
    const size_t shown = port.Messages().size();
    RunAction(window, a);
    ActionRecord done{a, {}, {}, {}, {}};
    done.messages.assign(port.Messages().begin() + static_cast<ptrdiff_t>(shown),
                         port.Messages().end());
    TakeChanges(std::exchange(changes, {}), &done);
    record->actions.push_back(std::move(done));
  }
}

int RunWindow(const BatchOptions& options, std::ostream& out, std::ostream& err) {
  const DryRunScope scope(options.dryRun);
  FrmMain window;
  window.Run().DryRun = options.dryRun;
  BatchUiPort port(window, out, err, options.verbose, /*quietInformation=*/options.dryRun);
  window.SetUiPort(&port);

  // The installation to read back is the one of the application folder given, if any.
  window.SetReadBackFolder(ReadBackFolderOf(options));
  window.Create();
  if (options.saveAnswers) CompleteCapture(window);
  // Each field as the operator would set it, in order.
  for (const FieldOption& f : options.fields) f.field->set(window, f.index, f.value);
  RunRecord record;
  record.version = ProgramVersionText(window.Run());
  record.dryRun = options.dryRun;
  record.fields = FieldsOf(window);
  // The front end's own warnings come first in the report's messages.
  std::vector<ShownMessage> ownMessages;
  const auto own = [&](MsgIcon icon, const std::string& text) {
    err << "tx3_setup: " << (icon == MsgIcon::Warning ? "warning: " : "") << text << '\n';
    ownMessages.push_back({icon, text});
  };
  if (std::optional<std::string> refused = RefusedUpdateHost(options)) {
    own(MsgIcon::Warning, *refused);
  }
  // The answers are saved before anything is pressed; without them no action runs.
  bool saved = true;
  if (options.saveAnswers) {
    if (std::optional<std::string> nothing = NothingCaptured(window, options)) {
      own(MsgIcon::Warning, *nothing);
    }
    if (std::optional<std::string> fault =
            SaveAnswerFile(*options.saveAnswers, window, options.actions)) {
      own(MsgIcon::Critical, *fault);
      saved = false;
    }
  }
  if (saved) RunActions(window, port, options, &record);
  platform::Os().CommitProfileWrites();

  record.errorsReported = window.Run().ErrorManager.reports;
  record.messages = ownMessages;
  record.messages.insert(record.messages.end(), port.Messages().begin(), port.Messages().end());
  const RunOutcome outcome = OutcomeOf(record);
  if (options.dryRun && saved) {
    out << DryRunSummary(record.actions, options.verbose, outcome.notDone || outcome.warned);
  }
  record.exitStatus = ExitStatusOf(outcome);
  // The report comes last; one that cannot be written is one line on `err`.
  if (options.report && !platform::Os().ReplaceNamedFile(*options.report, ReportText(record))) {
    err << "tx3_setup: " << *options.report << ": cannot be written\n";
    return kExitNotDone;
  }
  return record.exitStatus;
}

}  // namespace

int ExitStatusOf(const RunOutcome& outcome) {
  if (outcome.notDone) return kExitNotDone;
  if (outcome.dryRun && outcome.wouldChange) return kExitWouldChange;
  if (outcome.warned) return kExitWarnings;
  return kExitOk;
}

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const ParsedCommandLine parsed = ParseBatchOptions(args);
  if (!parsed.ok) {
    err << "tx3_setup: " << parsed.error << '\n';
    return kExitUsage;
  }
  if (parsed.options.mode == BatchOptions::Mode::Help) {
    out << BatchUsageText();
    return kExitOk;
  }
  if (parsed.options.mode == BatchOptions::Mode::Version) {
    RunContext run;
    out << "tx3_setup " << ProgramVersionText(run) << '\n';
    return kExitOk;
  }
  const RunFilesScope files(parsed.options, [&err](std::string_view line) { err << line << '\n'; });
  return RunWindow(parsed.options, out, err);
}

}  // namespace tx3
