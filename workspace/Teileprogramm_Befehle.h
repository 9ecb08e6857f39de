#pragma once
// The main window's part-program commands without the window: "Teileprogramm" > "Laden",
// the main window's side of "Teileprogramm" > "Editieren" and of "Zeichensatz zeigen".
// They change the engine's state (TeileprogrammListe, Arbeitsdateiname, QuellImage, ...)
// and show their boxes through toolkit/qt/Dialoge.h; the main window calls them from its
// menu and then refreshes its labels and its picture from what they return.
//
// Run guard: a command that would load or replace what a run uses is refused while a run
// goes on. The caller says so through `LaufAktiv` (the main window passes its run guard);
// WandlungLaeuft counts as well.
#include <string>

#include "workspace/BildLaden.h"

namespace workspace {

// What a command left for the main window to show.
struct TBefehlsergebnis {
  bool Geaendert = false;          // false: refused or nothing to do, the window stays as it is
  std::string QuellLabel;          // new texts of QuellLabel and ZielLabel (Windows-1252);
  std::string ZielLabel;           // QuellEdit and ZielEdit are then emptied
  bool BildGeaendert = false;      // QuellImage was emptied or holds a new picture
  bool BildDa = false;             // ... and holds a fitted picture, placed by Einpassung
  TEinpassung Einpassung;
};

// The labels for Arbeitsdateiname: "Quelldatei: " + bare name + extension and
// "Zieldatei: " + bare name + "." + ZielExt.
void ProgrammBeschriftungen(TBefehlsergebnis& e);

// "Teileprogramm" > "Laden": the open dialog "CNC-Datei laden"; buffered NC lines are saved
// or dropped (a failed save ends the command there, nothing changed), then the chosen
// program replaces the one loaded (OpenPartProgram) and becomes Arbeitsdateiname. Then,
// also when the dialog was cancelled while a program stands, the picture its image cycle
// names is loaded into QuellImage, fitted, counted and taken into Bearbeitungsbild, with the
// extra-colour file bare name + ".NOP" when it exists. Notices: "Keine Bilddatei in der Datei X!", "Die
// Bilddatei X wurde nicht gefunden!", the reader's message for an unreadable picture.
// Whenever the picture is emptied BildGeladen becomes false. Cancelled with no program
// loaded it ends without a box.
TBefehlsergebnis Laden1Click(bool LaufAktiv = false);

// "Teileprogramm" > "Editieren": while a run goes on, "Editieren bei laufender Konvertierung
// nicht möglich!" and nothing else. Otherwise the NC editor (TVelkorEditForm) is shown
// modally; when it left TeileprogrammGeaendert, the program is read again from
// Arbeitsdateiname, renumbered, written back (with its BAK) and, when its image name
// changed, that picture is loaded and prepared as Laden1Click does.
TBefehlsergebnis Editor1Click(bool LaufAktiv = false);

// The font the viewer (TFontViewForm) is to show, handed over in the program: set to
// Gravurzeichensatz before the viewer is shown. The viewer takes it at its activation and
// empties it; to hand a chosen font back, it sets it to that font's name.
extern std::string ViewerZeichensatzName;

// "Zeichensatz zeigen": shows the viewer with Gravurzeichensatz; a name handed back becomes
// Gravurzeichensatz when it ends in ".FNT" (any case), else "Fehler bei der Übertragung des
// Zeichensatznamen!" and the setting stays.
void Zeichensatzzeigen1Click();

}  // namespace workspace
