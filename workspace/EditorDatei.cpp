#include "workspace/EditorDatei.h"

#include <filesystem>

#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "toolkit/FileUtil.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "workspace/EditorText.h"
#include "workspace/Teileprogramm.h"

namespace workspace {
namespace {

using VelkorWinVAR::KonfigBlock;

const char* const UnbenanntName = "Unbenannt.CNC";
// Part programs larger than this are refused rather than read.
constexpr std::uint64_t HoechsteDateigroesse = 256ull << 20;

std::string OhneVerzeichnis(const std::string& Datei) {
  const auto p = Datei.find_last_of("/\\");
  return p == std::string::npos ? Datei : Datei.substr(p + 1);
}

bool GleicheDatei(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code f;
  const auto pa = std::filesystem::absolute(a, f).lexically_normal();
  const auto pb = std::filesystem::absolute(b, f).lexically_normal();
  return pa == pb;
}

toolkit::qt::TDateiDialog SpeichernDialogDaten(const std::string& Titel, const std::string& Name) {
  toolkit::qt::TDateiDialog d;
  d.Titel = Titel;
  d.Filter = "Teileprogramme [*.CNC]|*.CNC|alle Dateien [*.*]|*.*";
  d.StandardErweiterung = "CNC";
  d.Dateiname = Name.empty() ? "*.CNC" : Name;
  d.UeberschreibenFragen = true;
  return d;
}

}  // namespace

bool TEditorDatei::DateiLesen(const std::string& Datei) {
  std::string bytes;
  if (!toolkit::ReadFileText(Datei, bytes, HoechsteDateigroesse)) {
    toolkit::qt::Hinweis("Die Datei " + Datei + " kann nicht gelesen werden: " + toolkit::LastErrorText());
    return false;
  }
  const TEditorInhalt inhalt = EditorTextLesen(bytes);
  Text_.Setzen(inhalt.Zeilen);
  if (inhalt.Steuerzeichen > 0)
    toolkit::qt::Hinweis("Die Datei " + Datei + " enthielt " + std::to_string(inhalt.Steuerzeichen) +
                         " Steuerzeichen; sie werden als Leerzeichen gezeigt!");
  if (inhalt.LangeZeilen > 0) toolkit::qt::Hinweis(LangeZeilenMeldung(inhalt.LangeZeilen, inhalt.ErsteLange));
  return true;
}

bool TEditorDatei::DateiSchreiben(const std::string& Datei) {
  const std::vector<std::string> zeilen = Text_.Zeilen();
  std::size_t erste = 0;
  const std::size_t lang = LangeZeilenZaehlen(zeilen, erste);
  if (lang > 0) toolkit::qt::Hinweis(LangeZeilenMeldung(lang, erste));
  std::string fehler;
  if (!toolkit::WriteFileAtomic(Datei, EditorTextSchreiben(zeilen), &fehler)) {
    toolkit::qt::Hinweis("Die Datei " + Datei + " kann nicht geschrieben werden: " + fehler);
    return false;
  }
  if (GleicheDatei(Datei, KonfigBlock.Arbeitsdateiname)) TeileprogrammGeaendert = true;
  return true;
}

void TEditorDatei::ArbeitsdateiSetzen(const std::string& Datei) {
  if (!GleicheDatei(Datei, KonfigBlock.Arbeitsdateiname)) {
    KonfigBlock.Arbeitsdateiname = Datei;
    TeileprogrammGeaendert = true;  // the main window takes the other file over
  }
}

void TEditorDatei::ZieldateiAbleiten() {
  if (KonfigBlock.Arbeitsdateiname.empty()) return;
  std::string verzeichnis, name, ext;
  VelkorWinUTIL::DateinameZerlegen(KonfigBlock.Arbeitsdateiname, verzeichnis, name, ext);
  KonfigBlock.Zieldateiname = name + "." + KonfigBlock.ZielExt;
}

void TEditorDatei::Laden() {
  Dateiname_ = KonfigBlock.Arbeitsdateiname;
  Unbenannt_ = false;
  Text_.Titel("VelkorWin-Editor");
  if (!Dateiname_.empty() && toolkit::FileExists(Dateiname_)) {
    if (!DateiLesen(Dateiname_)) Text_.Setzen({});
  } else {
    Text_.Setzen({});
  }
  Text_.GeaendertSetzen(false);
}

bool TEditorDatei::SpeichernDialog(const std::string& Titel) {
  const auto datei =
      toolkit::qt::Dialoge().DateiSpeichern(SpeichernDialogDaten(Titel, Unbenannt_ ? UnbenanntName : Dateiname_));
  if (!datei) return false;
  if (!DateiSchreiben(*datei)) return false;
  Dateiname_ = *datei;
  Unbenannt_ = false;
  Text_.GeaendertSetzen(false);
  ArbeitsdateiSetzen(*datei);
  return true;
}

bool TEditorDatei::AenderungenSichern() {
  if (!Text_.Geaendert()) return true;
  const int antwort = toolkit::qt::Dialoge().FrageMitTasten(
      toolkit::Ansi("Die Änderungen am Teileprogramm speichern?"), {"Ja", "Nein", "Abbrechen"});
  if (antwort == 0) return SpeichernDialog("Teileprogramm speichern");
  return antwort == 1;
}

void TEditorDatei::Neu() {
  const bool leer = Text_.Leer();
  const bool geaendert = Text_.Geaendert();
  const char* frage = leer ? "Neues Teileprogramm erstellen?"
                      : geaendert ? "NC-Sätze speichern und neues Teileprogramm erstellen?"
                                  : "NC-Sätze löschen und neues Teileprogramm erstellen?";
  if (!toolkit::qt::Frage(toolkit::Ansi(frage))) return;
  if (!leer && geaendert) {
    if (!Dateiname_.empty() && !Unbenannt_) {
      if (!DateiSchreiben(Dateiname_)) return;
    } else if (!SpeichernDialog("Teileprogramm speichern")) {
      return;
    }
  }
  Dateiname_ = UnbenanntName;
  Unbenannt_ = true;
  Text_.Setzen({});
  Text_.GeaendertSetzen(false);
  Text_.Titel(std::string("Velkor-Editor: ") + UnbenanntName);
}

void TEditorDatei::Oeffnen() {
  if (!AenderungenSichern()) return;
  const auto datei = toolkit::qt::Dialoge().DateiOeffnen({.Titel = toolkit::Ansi("Teiledatei öffnen"),
                                                          .Filter = "Teiledateien [*.CNC]|*.CNC|alle Dateien [*.*]|*.*",
                                                          .StandardErweiterung = "CNC",
                                                          .Dateiname = "*.CNC"});
  if (!datei || !DateiLesen(*datei)) return;
  Text_.GeaendertSetzen(false);
  Dateiname_ = *datei;
  Unbenannt_ = false;
  ArbeitsdateiSetzen(*datei);
  Text_.Titel("Velkor-Editor: " + OhneVerzeichnis(*datei));
}

void TEditorDatei::Speichern() {
  if (!toolkit::qt::Frage("Das Teileprogramm speichern?")) return;
  if (!Dateiname_.empty() && !Unbenannt_) {
    if (!DateiSchreiben(Dateiname_)) return;
    Text_.GeaendertSetzen(false);
  } else if (!SpeichernDialog("Teileprogramm speichern")) {
    return;
  }
  ZieldateiAbleiten();
}

void TEditorDatei::SpeichernUnter() {
  if (!SpeichernDialog("Teileprogramm speichern unter")) return;
  Text_.Titel("Velkor-Editor: " + OhneVerzeichnis(Dateiname_));
  ZieldateiAbleiten();
}

bool TEditorDatei::Schliessen() { return AenderungenSichern(); }

}  // namespace workspace
