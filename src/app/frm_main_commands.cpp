// The buttons and links that are not folder rows: the steps, the database, quit, check-all and
// the codec page.
#include <optional>

#include "app/frm_main.h"
#include "common/error.h"
#include "database/database_command.h"
#include "settings/download_addresses.h"
#include "settings/settings_command.h"
#include "system/external_launch.h"

namespace tx3 {

void FrmMain::CommandCreerSettings_Click(int16_t index) {
  tx3::CommandCreerSettings_Click(run_, *this, index);
}

void FrmMain::CommandPervasiveCreate_Click() {
  tx3::CommandPervasiveCreate_Click(run_, database_, TexteDossier(row::kData));
}

// Nothing is asked, saved or cleaned up: the view closes the window and the program ends.
void FrmMain::CommandQuitter_Click() {
  ErrorPattern e(run_, "Frm_Main:CommandQuitter_Click");
  e(10, [&] {
    unloaded_ = true;
    Notify(Control::Unloaded);
  });
}

// Every row follows the box; any value but 1 (checked) unchecks.
void FrmMain::CheckTX_Click() {
  ErrorPattern e(run_, "Frm_Main:CheckTX_Click");
  const bool checked = checkTX_ == 1;
  for (int row = 0; row < PackageRowCount(); ++row) {
    e(10, [&] { SetListeTXChecked(row, checked); });
  }
}

void FrmMain::LabelCODEC_Click() {
  ErrorPattern e(run_, "Frm_Main:LabelCODEC_Click");
  e(10, [&] { ExecuterProgrammeExterne(run_, CodecPageAddress()); });
}

}  // namespace tx3
