// The folder rows: the live existence colour, the browse button and the create button.
#include <string>

#include "app/frm_main.h"
#include "common/error.h"
#include "common/profile_transaction.h"
#include "common/text.h"
#include "system/folder_checks.h"
#include "system/folder_select.h"

namespace tx3 {
namespace {

void CheckFolderIndex(int index) {
  if (index < 0 || index >= kFolderCount) Raise(err::kSubscript);
}

}  // namespace

// The colour follows the last change of the text, not later changes on disk.
void FrmMain::TexteDossier_Change(int index) {
  ErrorPattern e(run_, "Frm_Main:TexteDossier_Change");
  bool known = false;
  e(10, [&] {
    CheckFolderIndex(index);
    known = true;
  });
  if (!known) return;
  FolderRow& row = folders_[index];
  // A text the lookup refuses (a name Windows refuses) is reported and shows red.
  row.color = EntryExists(e, 20, Trim(row.text)) ? FieldColor::Normal : FieldColor::Red;
  e(30, [&] {
    if (index == row::kApplication) dossierApplication_ = Trim(row.text);
  });
  Notify(Control::TexteDossier, index);
}

void FrmMain::CommandDossier_Click(int index) {
  ErrorPattern e(run_, "Frm_Main:CommandDossier_Click");
  std::string text;
  std::string chosen = "*";
  bool known = false;
  e(10, [&] {
    CheckFolderIndex(index);
    text = TexteDossier(index);
    known = true;
  });
  if (!known) return;
  e(20, [&] { chosen = FolderSelect(run_, text, "", dossierApplication_); });
  e(30, [&] {
    if (chosen != "*") SetTexteDossier(index, chosen);
  });
}

void FrmMain::CommandDossierCreer_Click(int index) {
  ErrorPattern e(run_, "Frm_Main:CommandDossierCreer_Click");
  std::string text;
  e(10, [&] {
    CheckFolderIndex(index);
    text = TexteDossier(index);
  });
  // A blank row, or a row the window does not have, asks for nothing.
  if (Trim(text).empty()) return;
  bool exists = false;
  e(20, [&] { exists = !DirQuery(text).empty(); });
  if (exists) {
    e(30,
      [&] { run_.Ui().ShowMessage("Le dossier existe déjà:\r\n\r\n" + text, MsgIcon::Warning); });
    return;
  }
  const ProfileTransaction transaction;
  e(40, [&] { VerificationEtCreationRepertoire(run_, text); });
  // The field's colour follows; row 0 also sets DossierApplication again.
  e(50, [&] { TexteDossier_Change(index); });
  // Said in words too, for whoever does not see the colour (a screen reader reads the status).
  if (DossierRow(index).color != FieldColor::Red) SetStatusText("Dossier créé : " + text);
}

}  // namespace tx3
