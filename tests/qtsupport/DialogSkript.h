#pragma once
// The boxes and dialogs of a window test. A test names, in order, every box it expects with
// its exact text (UTF-8) and the answer; a box that was not expected, or whose text differs,
// fails the test and ends it at once. Every box shown is recorded. The
// script installs itself while it lives and fails the test when boxes it expected never
// came. Set to Mitschreiben, it fails on no box: one it does not expect is recorded and
// answered as a cautious user answers ("Nein", the first button, cancel).
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/qt/Dialoge.h"

namespace testsupport {

class DialogSkript : public toolkit::qt::TDialoge {
public:
  DialogSkript();
  ~DialogSkript() override;
  DialogSkript(const DialogSkript&) = delete;
  DialogSkript& operator=(const DialogSkript&) = delete;

  // Expectations, answered in the order given.
  DialogSkript& ErwarteHinweis(std::string text);
  DialogSkript& ErwarteFrage(std::string text, bool ja);
  DialogSkript& ErwarteTasten(std::string text, int taste);  // -1: closed
  DialogSkript& DateiOeffnen(std::optional<std::string> datei);
  DialogSkript& DateiSpeichern(std::optional<std::string> datei);
  DialogSkript& Farbe(std::optional<toolkit::TColor> farbe);
  DialogSkript& Schrift(std::optional<toolkit::qt::TSchrift> schrift);
  // Answers the print dialog by printing into this PDF file; nothing: cancelled.
  DialogSkript& Drucker(std::optional<std::string> pdfDatei);
  // Runs `tat` while the next expected box is open (before it is answered).
  DialogSkript& Waehrenddessen(std::function<void()> tat);
  // From now on boxes not expected are only recorded.
  DialogSkript& Mitschreiben() {
    mitschreiben_ = true;
    return *this;
  }

  // Every box shown: "Hinweis: text", "Frage: text -> Ja", "Oeffnen: Titel", ...
  std::vector<std::string> Protokoll;
  // The file dialogs' set-up as they were asked.
  std::vector<toolkit::qt::TDateiDialog> Dateidialoge;
  // The fonts the font dialog started with.
  std::vector<toolkit::qt::TSchrift> Schriftdialoge;
  // Expectations not yet met.
  std::size_t Offen() const { return erwartet_.size(); }

  void Hinweis(const std::string& text) override;
  bool Frage(const std::string& text, bool standardNein) override;
  int FrageMitTasten(const std::string& text, const std::vector<std::string>& tasten) override;
  std::optional<std::string> DateiOeffnen(const toolkit::qt::TDateiDialog& dialog) override;
  std::optional<std::string> DateiSpeichern(const toolkit::qt::TDateiDialog& dialog) override;
  std::optional<toolkit::TColor> FarbeWaehlen(toolkit::TColor farbe) override;
  bool DruckerWaehlen(QPrinter& drucker) override;
  std::optional<toolkit::qt::TSchrift> SchriftWaehlen(const toolkit::qt::TSchrift& start) override;

private:
  enum class Art { Hinweis, Frage, Tasten, Oeffnen, Speichern, Farbe, Drucker, Schrift };
  struct Erwartung {
    Art art{};
    std::string text{};
    int antwort = 0;
    std::optional<std::string> datei{};
    std::optional<toolkit::TColor> farbe{};
    std::optional<toolkit::qt::TSchrift> schrift{};
    std::function<void()> waehrenddessen{};
  };
  // The front expectation when it is of `art` (and, for boxes, of `text`); else the test
  // fails and ends at once (Abbrechen). In Mitschreiben mode a box not expected gets the
  // cautious answer instead.
  std::optional<Erwartung> naechste(Art art, const std::string& text);
  [[noreturn]] void Abbrechen(Art art, const std::string& text);
  DialogSkript& erwarte(Erwartung e);
  std::optional<std::string> Datei(Art art, const toolkit::qt::TDateiDialog& dialog);

  std::deque<Erwartung> erwartet_;
  std::function<void()> waehrenddessen_;
  bool mitschreiben_ = false;
};

}  // namespace testsupport
