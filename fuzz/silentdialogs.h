#pragma once
// The boxes of a fuzz run: no window ever opens. Notices pass unseen, every question is
// answered "Nein" (a box with other buttons as closed), the open dialog names the file set
// here and every other dialog is cancelled, so no input can make the program write a file
// it was not asked to. Installs itself while it lives.
#include <optional>
#include <string>
#include <vector>

#include "toolkit/qt/Dialoge.h"

namespace fuzz {

class TStilleDialoge : public toolkit::qt::TDialoge {
public:
  TStilleDialoge();
  ~TStilleDialoge() override;
  TStilleDialoge(const TStilleDialoge&) = delete;
  TStilleDialoge& operator=(const TStilleDialoge&) = delete;

  // What the open dialog answers (nothing: cancelled).
  std::optional<std::string> Oeffnen;

  void Hinweis(const std::string& text) override;
  bool Frage(const std::string& text, bool standardNein) override;
  int FrageMitTasten(const std::string& text, const std::vector<std::string>& tasten) override;
  std::optional<std::string> DateiOeffnen(const toolkit::qt::TDateiDialog& dialog) override;
  std::optional<std::string> DateiSpeichern(const toolkit::qt::TDateiDialog& dialog) override;
  std::optional<toolkit::TColor> FarbeWaehlen(toolkit::TColor farbe) override;
  bool DruckerWaehlen(QPrinter& drucker) override;
};

}  // namespace fuzz
