// The database button: every catalogue file missing from the data folder is created empty
// through the engine, and the operator is told which files could not be made.
#include "database/database_command.h"
#include "common/profile_transaction.h"

#include <string>
#include <vector>

#include "common/error.h"
#include "common/list_message.h"
#include "common/path_names.h"
#include "common/run_context.h"
#include "common/text.h"
#include "database/builtin_engine.h"
#include "database/catalogue.h"
#include "database/create_buffer.h"
#include "database/database_state.h"
#include "database/engine.h"
#include "platform/platform.h"
#include "system/folder_checks.h"
#include "system/system_context.h"

namespace tx3 {

namespace {

constexpr int kBase = 1;  // this tool creates the files of base 1 only
constexpr std::string_view kExtension = ".bt6";
constexpr int16_t kCreateMode = 0;  // the Create mode that replaces a file of the same name

// The file's name in the data folder: a per-base file carries the base letter as its fifth
// character (FRAD005 is FRADA05 for base 1).
std::string NomDeBase(int number, int base) {
  std::string name = NomFichier(number);
  if (Catalogue().at(number).ParBase == 'O') name[4] = static_cast<char>(64 + base);
  return name;
}

std::string MessageMoteurIntrouvable(std::string_view library) {
  return "Moteur de base de données introuvable:\r\n\r\n" + std::string(library) +
         "\r\n\r\nInstallez le moteur de base de données (Etape 4) puis recommencez l'opération.";
}

std::string MessageEnCoursUtilisation(std::string_view path) {
  return "Fichier '" + std::string(path) +
         "' en cours d'utilisation.\r\n\r\nVeuillez arrêter Tarvox, voire éteindre les "
         "postes.\r\n\r\nPuis recommencez l'opération.";
}

// A file that need not be created: present with a non-zero size, unless it is only the built-in
// engine's stand-in and a real engine is at work.
bool DejaPresent(SystemContext& run, const std::string& path, const Engine& engine) {
  if (!File_Exist(run, path, "Frm_Main:CommandPervasiveCreate_Click", true)) return false;
  return !engine.IsLibrary() || !IsBuiltinEngineFile(platform::Os().EnginePath(path));
}

void TraceEchecCreation(const DatabaseState& db, std::string_view fichier,
                        std::string_view bufferCle, int16_t lngCle) {
  TraceLog("Err: Create File: " + std::string(fichier) + " |PbSBtrPosBulk$: " +
           Trim(db.PbSBtrPosBulk) + " |PbTBtrFileBuf.RecLen: " + ToText(db.PbTBtrFileBuf.RecLen) +
           " |PbTBtrFileBuf.IndxCnt: " + ToText(db.PbTBtrFileBuf.IndxCnt) +
           " |BufferCle: " + std::string(bufferCle) + " |LngCle: " + ToText(lngCle));
}

// Issues the engine's Create for `Fichier` (a Windows path) with the create buffer already
// filled; answers the status of the first attempt, 0 for success.
int16_t CreationStructureVide(RunContext& run, DatabaseState& db, std::string_view Fichier,
                              Engine& engine) {
  ErrorPattern e(run, "Frm_Main:CreationStructureVide");
  int16_t Resultat = 0;
  std::string BufferCle;
  int16_t LngCle = 0;
  // Both attempts reset every value; the second ends the name with a blank, the key length
  // staying that of the bare path.
  const auto attempt = [&](std::string_view suffix) {
    e(0, [&] { db.PbSBtrPosBulk = std::string(kPositionBlockSize, ' '); });
    e(0, [&] { BufferCle = std::string(kMaxEngineKeyLength, ' '); });
    e(0, [&] { db.PbLBtrDataLen = static_cast<int32_t>(kCreateBufferSize); });
    e(0, [&] { LngCle = ToInt16(CharCount(Fichier)); });
    e(0, [&] { BufferCle = std::string(Fichier) + std::string(suffix); });
    e(0, [&] {
      db.PbIBtrStatus = CallEngine(engine, kBtrCreate, &db.PbSBtrPosBulk, &db.PbTBtrFileBuf,
                                   &db.PbLBtrDataLen, &BufferCle, LngCle, kCreateMode);
    });
  };
  attempt("");
  e(0, [&] { Resultat = db.PbIBtrStatus; });
  if (Resultat != 0) attempt(" ");
  if (Resultat != 0) e(0, [&] { TraceEchecCreation(db, Fichier, BufferCle, LngCle); });
  return Resultat;
}

}  // namespace

void CommandPervasiveCreate_Click(SystemContext& run, DatabaseState& db,
                                  std::string_view dataFolderText) {
  ErrorPattern e(run, "Frm_Main:CommandPervasiveCreate_Click");
  // The data files are made durable together when the command ends.
  const ProfileTransaction transaction;
  std::string dossier;
  e(0, [&] { dossier = CheckRep(run, dataFolderText, "\\"); });

  EngineLoad load;
  e(0, [&] { load = LoadEngine(); });
  if (load.engine == nullptr) {
    e(0,
      [&] { run.Ui().ShowMessage(MessageMoteurIntrouvable(load.libraryName), MsgIcon::Critical); });
    return;
  }

  std::vector<std::string> nonCrees;
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    std::string path;
    e(0, [&] { path = dossier + NomDeBase(i, kBase) + std::string(kExtension); });
    bool present = false;
    e(0, [&] { present = DejaPresent(run, path, *load.engine); });
    if (present) continue;
    if (run.DryRun) {  // the engine is never asked to create anything
      run.Changes.dataFiles.push_back(path);
      continue;
    }
    e(0, [&] { InitStructureFichierBTR(run, db, static_cast<int16_t>(i)); });
    int16_t resultat = 0;
    e(0, [&] { resultat = CreationStructureVide(run, db, path, *load.engine); });
    if (resultat == 0) {
      run.Changes.dataFiles.push_back(path);
      continue;
    }
    if (db.PbIBtrStatus == btrstatus::kCreateIo) {
      e(0, [&] { run.Ui().ShowMessage(MessageEnCoursUtilisation(path), MsgIcon::Critical); });
    }
    if (db.PbIBtrStatus != 0) nonCrees.push_back(path + " (statut " + ToText(resultat) + ")");
  }

  e(0, [&] {
    if (nonCrees.empty()) {
      run.Ui().ShowMessage("Fichiers créés à vide", MsgIcon::Information);
    } else {
      run.Ui().ShowMessage(ListMessage(kFichiersNonCrees, nonCrees), MsgIcon::Warning);
    }
  });
}

}  // namespace tx3
