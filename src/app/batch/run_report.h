// The report of a batch run (--report FILE): one JSON document in UTF-8 whose shape
// report.schema.json, beside this file, describes. Scripts read it: a member is never renamed or
// given another meaning; a new member may appear, with a new "format" when an old reader would
// misread the document.
#pragma once

#include <string>

#include "app/batch/run_record.h"

namespace tx3 {

inline constexpr int kReportFormat = 1;

// The document, indented, with a final line break. Text that is not valid UTF-8 (a field given
// as other bytes) has its bad bytes replaced by U+FFFD.
std::string ReportText(const RunRecord& record);

}  // namespace tx3
