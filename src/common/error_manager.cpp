// GestionDesErreurs: the central error manager. It remembers the last report, warns the operator
// about a disconnected automation object, writes a detailed report to the log and ignores nested
// calls made while its message box or its event processing lets other handlers run.
#include "common/error.h"
#include "common/run_context.h"
#include "common/text.h"
#include "platform/platform.h"

namespace tx3 {

namespace {

// Components raise "automation base number + code of their own"; the manager keeps the code.
constexpr int64_t kAutomationBase = 2147221504;           // minus 0x80040000 read as signed
constexpr int32_t kAutomationDisconnected = -2147417848;  // 0x80010108
constexpr int64_t kRepeatWindowSeconds = 5;
constexpr size_t kLongDescription = 100;

// The local clock, in seconds: reports are compared by the time the operator sees.
int64_t LocalNow() {
  return platform::Os().LocalClockSeconds();
}

// A number in (base, base + 65535) exclusive is reduced to the component's own code.
bool ReduceAutomationNumber(int32_t* number) {
  const int64_t t = static_cast<int64_t>(*number) + kAutomationBase;
  if (t > 0 && t < 65535) {
    *number = static_cast<int32_t>(t);
    return true;
  }
  return false;
}

// The report text as one log line (its line breaks become " | ").
std::string OneLogLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  bool inBreak = false;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      if (!inBreak) line += " | ";
      inBreak = true;
      continue;
    }
    inBreak = false;
    line += c;
  }
  return line;
}

// The detailed report the manager writes to the log.
std::string ErrorReportText(int32_t reducedNumber, bool reduced, const ErrorRecord& record,
                            std::string_view procedure) {
  std::string description = record.Description;
  if (CharCount(description) > kLongDescription) description = ReplaceAll(description, ". ", "\n ");
  std::string text = "Err: " + ToText(reducedNumber) + " (" + description + ")";
  if (!Trim(procedure).empty()) {
    text += "\n\nSource:" + std::string(procedure) + ":" + ToText(record.Ligne);
  }
  if (reduced && !Trim(record.Source).empty()) text += "\n(Source: " + record.Source + ")";
  return text;
}

// True when a report repeats the previous one: same number and same procedure (exact text),
// less than 5 whole seconds apart (either way).
bool IsRepeatReport(const ErrorManagerState& last, int32_t number, std::string_view procedure,
                    int64_t now) {
  const int64_t apart = now >= last.lastTime ? now - last.lastTime : last.lastTime - now;
  return apart < kRepeatWindowSeconds && last.lastNumber == number &&
         last.lastProcedure == procedure;
}

}  // namespace

// Diagnostic lines of a few error paths go to the log file too.
void TraceLog(std::string_view text) {
  SkipOnError([&] { platform::Os().AppendLog(OneLogLine(text)); });
}

void GestionDesErreurs(RunContext& run, std::string_view procedure) {
  ErrorManagerState& state = run.ErrorManager;
  const ErrorRecord& PbTErreur = run.PbTErreur;
  if (state.busy) return;
  state.busy = true;
  ++state.reports;
  // Every step runs on its own: a step that fails is skipped and the next one runs.
  int32_t number = PbTErreur.Numero;
  bool reduced = false;
  SkipOnError([&] { reduced = ReduceAutomationNumber(&number); });
  SkipOnError([&] {
    if (IsRepeatReport(state, number, procedure, LocalNow())) return;
    platform::Os().AppendLog(OneLogLine(ErrorReportText(number, reduced, PbTErreur, procedure)));
  });
  SkipOnError([&] {
    if (number == kAutomationDisconnected) {
      run.Ui().ShowMessage("Automation Error !!!\r\n\r\nSub: " + std::string(procedure) + ":" +
                               ToText(PbTErreur.Ligne),
                           MsgIcon::Critical);
    }
  });
  state.lastNumber = number;
  SkipOnError([&] { state.lastTime = LocalNow(); });
  SkipOnError([&] { state.lastProcedure = std::string(procedure); });
  run.CurrentError = ErrorRecord{};
  SkipOnError([&] { run.Ui().DoEvents(); });
  state.busy = false;
}

}  // namespace tx3
