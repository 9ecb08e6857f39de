#pragma once
// Every box and every file, colour and print dialog of the program goes through this one
// service. The program uses the Qt boxes below; tests install a script that knows which
// boxes to expect and answers them, so an unexpected box fails the test. Texts are
// Windows-1252 bytes, like every text inside the program.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Bitmap.h"

class QPrinter;

namespace toolkit::qt {

// A file dialog's set-up. `Filter` is written "Beschreibung|*.EXT|Beschreibung|*.A;*.B".
struct TDateiDialog {
  std::string Titel{};                // empty: Qt's own, "Öffnen" or "Speichern unter"
  std::string Filter{};
  std::string StandardErweiterung{};  // "CNC" or ".CNC"; added when the name has none
  std::string Verzeichnis{};          // start folder; empty: the working directory
  std::string Dateiname{};            // proposed name
  bool UeberschreibenFragen = false;  // a save dialog asks before it names an existing file
};

// A font as the font dialog shows and returns it.
struct TSchrift {
  std::string Name;  // family, Windows-1252
  int Groesse = 10;  // points
  bool Fett = false;
  bool Kursiv = false;
  bool Unterstrichen = false;
  bool operator==(const TSchrift&) const = default;
};

class TDialoge {
public:
  virtual ~TDialoge() = default;

  // A notice with one "OK" button, captioned with the program's name.
  virtual void Hinweis(const std::string& text) = 0;
  // A question captioned "Bestätigung" with "Ja" and "Nein"; true for "Ja". Closing the
  // box counts as "Nein". `standardNein` makes "Nein" the default button.
  virtual bool Frage(const std::string& text, bool standardNein = false) = 0;
  // A question whose buttons carry the given captions, in order; the index of the button
  // pressed, or -1 when the box was closed.
  virtual int FrageMitTasten(const std::string& text, const std::vector<std::string>& tasten) = 0;

  // File dialogs: the chosen file's full name, nothing when cancelled.
  virtual std::optional<std::string> DateiOeffnen(const TDateiDialog& dialog) = 0;
  virtual std::optional<std::string> DateiSpeichern(const TDateiDialog& dialog) = 0;

  // The colour dialog, starting at `farbe`; nothing when cancelled.
  virtual std::optional<TColor> FarbeWaehlen(TColor farbe) = 0;
  // The print dialog for `drucker`; false when cancelled.
  virtual bool DruckerWaehlen(QPrinter& drucker) = 0;
  // The font dialog, starting at `start`; nothing when cancelled. A service that shows no
  // boxes answers it as cancelled.
  virtual std::optional<TSchrift> SchriftWaehlen(const TSchrift& start);
};

// The installed service (the Qt boxes when none is installed).
TDialoge& Dialoge();
// The Qt boxes and dialogs themselves, whatever service is installed.
TDialoge& QtDialoge();
// Installs `dialoge` (nullptr: the Qt boxes again). Not owned.
void DialogeInstallieren(TDialoge* dialoge);

// Shorthands for the installed service.
inline void Hinweis(const std::string& text) { Dialoge().Hinweis(text); }
inline bool Frage(const std::string& text, bool standardNein = false) {
  return Dialoge().Frage(text, standardNein);
}

// Runs an event handler; whatever escapes it is shown in a notice and ends only that action.
void Sicher(const std::function<void()>& handler);

// The program's name, the caption of every notice.
const std::string& ProgrammTitel();

}  // namespace toolkit::qt
