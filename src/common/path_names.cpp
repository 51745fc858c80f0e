// Path-name utilities of Lib_Public. Characters are compared exactly and counted as characters.
#include "common/path_names.h"

#include <vector>

#include "common/error.h"
#include "common/run_context.h"
#include "common/text.h"

namespace tx3 {

namespace {

// Replaces `from` by `to` until none is left (each pass shortens the text).
std::string ReplaceWhilePresent(std::string text, std::string_view from, std::string_view to) {
  while (InStr(text, from) > 0) text = ReplaceAll(text, from, to);
  return text;
}

}  // namespace

std::string NettoieNomDeDossier(RunContext& run, std::string_view name) {
  ErrorPattern e(run, "Lib_Public:NettoieNomDeDossier");
  std::string text;
  std::string result;
  e(0, [&] {
    text = std::string(name);
    for (std::string_view refused : {"/", "*", "?", "\"", "<", ">", "|", ","}) {
      text = ReplaceAll(text, refused, " ");
    }
  });
  e(0, [&] {
    for (std::string_view dots : {"...", "..", "%"}) text = ReplaceAll(text, dots, "");
  });
  e(0, [&] {
    if (CharCount(text) <= 2) return;
    // The colon of the drive part is the only one kept.
    const std::string drive = LeftChars(text, 2);
    std::string rest = ReplaceWhilePresent(MidChars(text, 3), ":", " ");
    rest = ReplaceAll(rest, "   ", " ");
    text = drive + rest;
  });
  e(0, [&] { text = ReplaceWhilePresent(text, " \\", "\\"); });
  e(0, [&] { result = Trim(text); });
  return result;
}

bool NomFichierCorrect(RunContext& run, std::string_view name) {
  ErrorPattern e(run, "Lib_Public:NomFichierCorrect");
  bool correct = false;
  // These ASCII characters never stand inside another character's bytes.
  e(0, [&] { correct = name.find_first_of("*?\"|") == std::string_view::npos; });
  return correct;
}

std::string CheckRep(RunContext& run, std::string_view folder, std::string_view separator) {
  ErrorPattern e(run, "Lib_Public:CheckRep");
  std::string result;
  e(0, [&] {
    const std::string doubled = std::string(separator) + std::string(separator);
    if (folder.empty()) {
      result.clear();
    } else if (RightChars(folder, 2) == doubled) {
      result = LeftChars(folder, CharCount(folder) - 1);
    } else if (RightChars(folder, 1) == separator) {
      result = std::string(folder);
    } else {
      result = std::string(folder) + std::string(separator);
    }
  });
  return result;
}

void EclateRepFicExt(RunContext& run, std::string_view path) {
  RepFicExt& PbTRepFicExt = run.PbTRepFicExt;
  ErrorPattern e(run, "Lib_Public:EclateRepFicExt");
  std::string trimmed;
  e(0, [&] {
    trimmed = Trim(path);
    PbTRepFicExt = RepFicExt{trimmed, "", ""};
  });
  e(0, [&] {
    const std::vector<std::string_view> characters = Characters(trimmed);
    size_t dotPosition = 0;
    // Scans from the last character to the first: only the last dot after the last backslash
    // marks the extension.
    for (size_t position = characters.size(); position >= 1; --position) {
      const std::string_view ch = characters[position - 1];
      if (ch == ".") {
        if (Trim(PbTRepFicExt.Ext).empty()) {
          dotPosition = position;
          PbTRepFicExt.Ext = MidChars(trimmed, position);
        }
        continue;
      }
      if (ch == "\\" || position == 1) {
        const size_t folderEnd = ch == "\\" ? position : 0;
        PbTRepFicExt.Rep = LeftChars(trimmed, folderEnd);
        PbTRepFicExt.Fic = dotPosition > 0
                               ? MidChars(trimmed, folderEnd + 1, dotPosition - folderEnd - 1)
                               : MidChars(trimmed, folderEnd + 1);
        break;
      }
    }
  });
}

}  // namespace tx3
