// The NC editor opening a part program as "Editieren" does (TVelkorEditForm::Vorbereiten
// loads Arbeitsdateiname into the text), on Qt's headless platform with every notice
// answered silently. Whatever the file holds, it loads without a fault, and saving the
// text as loaded writes the lines the file held, with control characters as blanks and
// CR LF after each line (a file of one empty line and an empty file both show no text and
// save as an empty file).
#include <QApplication>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VelkorWinVAR.h"
#include "fuzz/silentdialogs.h"
#include "fuzz/workdir.h"
#include "workspace/EditorText.h"
#include "workspace/Teileprogramm.h"
#include "workspace/VelkorEditUnit.h"

namespace {

std::string Erwartet(std::string_view bytes) {
  std::vector<std::string> zeilen = workspace::EditorTextLesen(bytes).Zeilen;
  if (zeilen.size() == 1 && zeilen[0].empty()) zeilen.clear();
  return workspace::EditorTextSchreiben(zeilen);
}

}  // namespace

// The system's font library keeps some of what Qt's first font look-ups ask it for.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static QApplication anwendung(*argc, *argv);
  fuzz::EigenerOrdner();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::TStilleDialoge dialoge;
  static TVelkorEditForm editor;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  VelkorWinVAR::WandlungLaeuft = false;
  VelkorWinVAR::KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
  workspace::TeileprogrammGeaendert = false;
  fuzz::DateiSchreiben("TEIL.CNC", bytes);

  if (!editor.Vorbereiten()) fuzz::Verletzt("der Editor hat sich nicht geoeffnet");
  if (!editor.Datei().DateiSchreiben("ZURUECK.CNC")) fuzz::Verletzt("der geladene Text laesst sich nicht speichern");
  if (fuzz::DateiLesen("ZURUECK.CNC") != Erwartet(bytes))
    fuzz::Verletzt("der geladene und wieder gespeicherte Text weicht von der Datei ab");
  return 0;
}
