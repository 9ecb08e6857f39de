#include "qtsupport/DialogSkript.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <cstdio>
#include <cstdlib>

#include "toolkit/Text.h"

namespace testsupport {
namespace {
const char* Name(int art) {
  static const char* namen[] = {"Hinweis", "Frage", "Tasten", "Oeffnen", "Speichern", "Farbe", "Drucker", "Schrift"};
  return namen[art];
}
// A box the script did not expect ends the test at once: answered, it could be asked again
// and again by the code under test (a window that will not close, a retry), and the test
// would only end at CTest's timeout. The failure is reported first, then the process ends.
[[noreturn]] void Beenden() {
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(1);
}
}  // namespace

void DialogSkript::Abbrechen(Art art, const std::string& text) {
  if (erwartet_.empty()) {
    ADD_FAILURE() << "Unerwartetes Fenster: " << Name(static_cast<int>(art)) << ": " << text;
  } else {
    const Erwartung& e = erwartet_.front();
    ADD_FAILURE() << "Unerwartetes Fenster: " << Name(static_cast<int>(art)) << ": " << text
                  << "\n  erwartet: " << Name(static_cast<int>(e.art)) << ": " << e.text;
  }
  Beenden();
}

DialogSkript::DialogSkript() { toolkit::qt::DialogeInstallieren(this); }

DialogSkript::~DialogSkript() {
  toolkit::qt::DialogeInstallieren(nullptr);
  for (const auto& e : erwartet_)
    ADD_FAILURE() << "Erwartetes Fenster kam nicht: " << Name(static_cast<int>(e.art)) << ": " << e.text;
}

DialogSkript& DialogSkript::erwarte(Erwartung e) {
  if (waehrenddessen_) e.waehrenddessen = std::exchange(waehrenddessen_, {});
  erwartet_.push_back(std::move(e));
  return *this;
}

DialogSkript& DialogSkript::ErwarteHinweis(std::string text) { return erwarte({Art::Hinweis, std::move(text)}); }
DialogSkript& DialogSkript::ErwarteFrage(std::string text, bool ja) {
  return erwarte({Art::Frage, std::move(text), ja ? 1 : 0});
}
DialogSkript& DialogSkript::ErwarteTasten(std::string text, int taste) {
  return erwarte({Art::Tasten, std::move(text), taste});
}
DialogSkript& DialogSkript::DateiOeffnen(std::optional<std::string> datei) {
  return erwarte({.art = Art::Oeffnen, .datei = std::move(datei)});
}
DialogSkript& DialogSkript::DateiSpeichern(std::optional<std::string> datei) {
  return erwarte({.art = Art::Speichern, .datei = std::move(datei)});
}
DialogSkript& DialogSkript::Farbe(std::optional<toolkit::TColor> farbe) {
  return erwarte({.art = Art::Farbe, .farbe = farbe});
}
DialogSkript& DialogSkript::Schrift(std::optional<toolkit::qt::TSchrift> schrift) {
  return erwarte({.art = Art::Schrift, .schrift = std::move(schrift)});
}
DialogSkript& DialogSkript::Drucker(std::optional<std::string> pdfDatei) {
  return erwarte({.art = Art::Drucker, .datei = std::move(pdfDatei)});
}
DialogSkript& DialogSkript::Waehrenddessen(std::function<void()> tat) {
  waehrenddessen_ = std::move(tat);
  return *this;
}

std::optional<DialogSkript::Erwartung> DialogSkript::naechste(Art art, const std::string& text) {
  const bool mitText = art == Art::Hinweis || art == Art::Frage || art == Art::Tasten;
  const bool passt = !erwartet_.empty() && erwartet_.front().art == art && (!mitText || erwartet_.front().text == text);
  if (mitschreiben_ && !passt) return Erwartung{.art = art};  // "Nein", the first button, cancel
  if (!passt) Abbrechen(art, text);
  Erwartung gefunden = erwartet_.front();
  erwartet_.pop_front();
  if (gefunden.waehrenddessen) gefunden.waehrenddessen();
  return gefunden;
}

void DialogSkript::Hinweis(const std::string& text) {
  const std::string t = toolkit::Cp1252ToUtf8(text);
  Protokoll.push_back("Hinweis: " + t);
  naechste(Art::Hinweis, t);
}

bool DialogSkript::Frage(const std::string& text, bool) {
  const std::string t = toolkit::Cp1252ToUtf8(text);
  const auto e = naechste(Art::Frage, t);
  const bool ja = e && e->antwort == 1;
  Protokoll.push_back("Frage: " + t + (ja ? " -> Ja" : " -> Nein"));
  return ja;
}

int DialogSkript::FrageMitTasten(const std::string& text, const std::vector<std::string>& tasten) {
  const std::string t = toolkit::Cp1252ToUtf8(text);
  const auto e = naechste(Art::Tasten, t);
  const int taste = e ? e->antwort : -1;
  Protokoll.push_back("Tasten: " + t + " -> " +
                      (taste >= 0 && taste < static_cast<int>(tasten.size()) ? toolkit::Cp1252ToUtf8(tasten[taste])
                                                                             : std::string("geschlossen")));
  return taste;
}

std::optional<std::string> DialogSkript::Datei(Art art, const toolkit::qt::TDateiDialog& dialog) {
  Dateidialoge.push_back(dialog);
  Protokoll.push_back(Name(static_cast<int>(art)) + (": " + toolkit::Cp1252ToUtf8(dialog.Titel)));
  const auto e = naechste(art, dialog.Titel);
  return e ? e->datei : std::nullopt;
}
std::optional<std::string> DialogSkript::DateiOeffnen(const toolkit::qt::TDateiDialog& dialog) {
  return Datei(Art::Oeffnen, dialog);
}
std::optional<std::string> DialogSkript::DateiSpeichern(const toolkit::qt::TDateiDialog& dialog) {
  return Datei(Art::Speichern, dialog);
}

std::optional<toolkit::TColor> DialogSkript::FarbeWaehlen(toolkit::TColor) {
  Protokoll.push_back("Farbe");
  const auto e = naechste(Art::Farbe, {});
  return e ? e->farbe : std::nullopt;
}

bool DialogSkript::DruckerWaehlen(QPrinter& drucker) {
  Protokoll.push_back("Drucker");
  const auto e = naechste(Art::Drucker, {});
  if (!e || !e->datei) return false;
  drucker.setOutputFormat(QPrinter::PdfFormat);
  drucker.setOutputFileName(QString::fromStdString(*e->datei));
  return true;
}

std::optional<toolkit::qt::TSchrift> DialogSkript::SchriftWaehlen(const toolkit::qt::TSchrift& start) {
  Schriftdialoge.push_back(start);
  Protokoll.push_back("Schrift");
  const auto e = naechste(Art::Schrift, {});
  return e ? e->schrift : std::nullopt;
}

}  // namespace testsupport
