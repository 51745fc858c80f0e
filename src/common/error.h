// The error pattern: every procedure traps its own failures, records them in PbTErreur,
// hands them to GestionDesErreurs and goes on with its next statement.
#pragma once

#include <concepts>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/error_numbers.h"

namespace tx3 {

// The public record of the latest failure (fields in this order).
struct ErrorRecord {
  int32_t Numero = 0;
  int32_t Ligne = 0;
  std::string Description;
  std::string Source;
};

class RunContext;

// The program's name as the runtime reports it in error sources.
inline constexpr std::string_view kAppName = "TX3_Setup";

// A run-time failure raised inside a statement. Never crosses a procedure boundary:
// the ErrorPattern of the procedure catches it.
struct RuntimeError {
  int32_t number;
  std::string description;
  std::string source;
};

// The runtime's (French) description of a classic error number.
std::string ClassicDescription(int32_t number);

// Raises a run-time failure; the description defaults to the classic one, the source to kAppName.
[[noreturn]] void Raise(int32_t number, std::string description = {}, std::string source = {});

// Raises the classic failure `number` unless it is 0 (platform calls answer 0 or a number).
void Check(int32_t number);

// `value` as a 16-bit integer; a value outside the range overflows.
template <std::integral T>
int16_t ToInt16(T value) {
  if (!std::in_range<int16_t>(value)) Raise(err::kOverflow);
  return static_cast<int16_t>(value);
}

// Runs the statements of one procedure under the error pattern.
//
//   ErrorPattern e(run, "Lib_Setup:EcritureIni");
//   e(10, [&] { ... });            // a failure is recorded, reported and skipped
//
// On failure the helper fills the run's PbTErreur (number, source, description, line, in that
// order), sets the run's CurrentError, gives `TreatFirst` handlers the chance to deal with
// particular numbers, and otherwise calls GestionDesErreurs(procedure). Exceptions of the standard
// library map to classic numbers (bad_alloc 7, out_of_range 9, overflow_error 6, others 5).
class ErrorPattern {
 public:
  // Returns true when it dealt with the failure itself (GestionDesErreurs is then not called).
  using Special = std::function<bool(const ErrorRecord&)>;

  ErrorPattern(RunContext& run, std::string procedure)
      : run_(run), procedure_(std::move(procedure)) {}

  void TreatFirst(Special special) { special_ = std::move(special); }

  // Runs one statement; true when it completed without failure.
  bool operator()(int line, const std::function<void()>& statement);

 private:
  RunContext& run_;
  std::string procedure_;
  Special special_;
};

// Runs a statement whose failure is skipped without any record or report.
bool SkipOnError(const std::function<void()>& statement);

// The central error manager: reports the run's PbTErreur as a failure of `procedure`.
void GestionDesErreurs(RunContext& run, std::string_view procedure);

// What the error manager keeps from one report to the next.
struct ErrorManagerState {
  bool busy = false;
  int32_t lastNumber = 0;
  int64_t lastTime = 0;  // seconds since the epoch, local clock; 0 before the first report
  std::string lastProcedure;
  uint64_t reports = 0;  // reports recorded since the start (nested calls not counted)
};

// Hands one diagnostic line to the trace log (the log file).
void TraceLog(std::string_view text);

}  // namespace tx3
