#pragma once
// The NC editor's files: which file the text belongs to, and New, Open, Save, Save as and
// closing with their questions. The text itself lives in the window; it is reached through
// TEditorText, so these steps run without widgets too.
#include <string>
#include <vector>

namespace workspace {

// The editor's text as the file steps see it (Windows-1252 lines).
class TEditorText {
public:
  virtual ~TEditorText() = default;
  virtual std::vector<std::string> Zeilen() const = 0;
  virtual void Setzen(const std::vector<std::string>& Zeilen) = 0;  // clears undo and the mark
  virtual bool Geaendert() const = 0;
  virtual void GeaendertSetzen(bool Geaendert) = 0;
  virtual bool Leer() const = 0;
  virtual void Titel(const std::string& Titel) = 0;
};

class TEditorDatei {
public:
  explicit TEditorDatei(TEditorText& Text) : Text_(Text) {}

  // Opening from the main window: the text of Arbeitsdateiname (empty when there is no such
  // file), unmarked, the caption "VelkorWin-Editor".
  void Laden();
  void Neu();
  void Oeffnen();
  void Speichern();
  void SpeichernUnter();
  // Closing: with unsaved changes asks save / discard / cancel. False: stay open.
  bool Schliessen();

  // EditorDateiname: the file the text belongs to; empty or unnamed after "Neu".
  const std::string& Dateiname() const { return Dateiname_; }
  bool Unbenannt() const { return Unbenannt_; }

  // Reads `Datei` into the text; false after a notice, the text unchanged.
  bool DateiLesen(const std::string& Datei);
  // Writes the text to `Datei`; false after a notice. Sets TeileprogrammGeaendert when it
  // wrote Arbeitsdateiname.
  bool DateiSchreiben(const std::string& Datei);

private:
  // Offers the save dialog (`Titel`); writes, names the file Arbeitsdateiname. False: cancelled
  // or failed.
  bool SpeichernDialog(const std::string& Titel);
  // With unsaved changes: save, discard or cancel. False: the step that asked stops.
  bool AenderungenSichern();
  void ArbeitsdateiSetzen(const std::string& Datei);
  void ZieldateiAbleiten();

  TEditorText& Text_;
  std::string Dateiname_;
  bool Unbenannt_ = false;
};

}  // namespace workspace
