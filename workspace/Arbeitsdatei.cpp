#include "workspace/Arbeitsdatei.h"

#include <exception>

#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "toolkit/FileUtil.h"
#include "toolkit/qt/Dialoge.h"
#include "workspace/Arbeitsdatei_Codec.h"

namespace workspace {

using namespace VelkorWinVAR;

namespace {

// The file dialogs start at the part program's bare name + ".CFG".
toolkit::qt::TDateiDialog ArbeitsdateiDialog(const char* titel) {
  std::string verzeichnis, rumpf, ext;
  VelkorWinUTIL::DateinameZerlegen(KonfigBlock.Arbeitsdateiname, verzeichnis, rumpf, ext);
  toolkit::qt::TDateiDialog d;
  d.Titel = titel;
  d.Filter = "CFG-Dateien|*.CFG";
  d.StandardErweiterung = ".CFG";
  d.Dateiname = rumpf + ".CFG";
  return d;
}

}  // namespace

void Speichern1Click() {
  try {
    std::vector<std::string> zeilen = ArbeitsdateiZeilen();
    auto dialog = ArbeitsdateiDialog("");
    dialog.UeberschreibenFragen = true;
    const auto datei = toolkit::qt::Dialoge().DateiSpeichern(dialog);
    if (!datei) return;
    if (!VelkorWinFileUtils::BildEinstellDateiSpeichern(zeilen, *datei)) return;
    if (Farbanzahl > 16 || KonfigBlock.Graubildwandlung)
      VelkorWinFileUtils::ExtrafarbDateiSpeichern(Extrafarbliste, ArbeitsdateiExtrafarbname(*datei));
  } catch (const std::exception& e) {
    toolkit::qt::Hinweis(e.what());
  }
}

TBefehlsergebnis Laden2Click() {
  try {
    const auto datei = toolkit::qt::Dialoge().DateiOeffnen(ArbeitsdateiDialog("Velkor - Config-Datei laden"));
    if (!datei) return {};
    const std::vector<std::string> zeilen = VelkorWinFileUtils::BildEinstellDateiLesen(*datei);
    // An unreadable file was reported by the reader; an empty one holds no key and is
    // reported as no work file.
    if (zeilen.empty() && toolkit::FileSize(*datei).value_or(-1) != 0) return {};
    TArbeitsdateiDienste dienste;
    dienste.Hinweis = [](const std::string& text) { toolkit::qt::Hinweis(text); };
    return ArbeitsdateiUebernehmen(zeilen, *datei, dienste);
  } catch (const std::exception& e) {
    toolkit::qt::Hinweis(e.what());
  }
  return {};
}

}  // namespace workspace
