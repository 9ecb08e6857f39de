// The tool file: what is written, what reads back, and what a damaged file gives.
#include <gtest/gtest.h>

#include "engine/EngineReset.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "qtsupport/DialogSkript.h"
#include "support/TempDir.h"
#include "toolkit/FileUtil.h"
#include "toolkit/LineFile.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "workspace/VelkorWkzDatei.h"

namespace {

using VelkorWinVAR::KonfigBlock;
using VelkorWinVAR::TWerkzeugDaten;
using VelkorWinWkz::WkzListe;
using workspace::TWkzDateiStatus;

class Werkzeugdatei : public ::testing::Test {
protected:
  void SetUp() override {
    engine::ResetAllModules();
    toolkit::SetDecimalSeparator(',');
  }
  void TearDown() override { toolkit::SetDecimalSeparator('.'); }

  // A file of UTF-8 lines, written in Windows-1252 with CR LF.
  void Schreibe(const std::vector<std::string>& zeilen) {
    std::vector<std::string> ansi;
    for (const auto& z : zeilen) ansi.push_back(toolkit::Ansi(z));
    dir.write("VelkorWkz.DAT", toolkit::JoinLines(ansi));
  }
  std::vector<std::string> Gelesen() const {
    std::vector<std::string> z;
    toolkit::ReadLineFile(dir.file("VelkorWkz.DAT"), z);
    return z;
  }
  // A record's values, comparable as a whole.
  static auto Felder(const TWerkzeugDaten& w) {
    return std::tuple(int(w.Nummer), w.Benennung, w.Laenge, w.Nutzlaenge, w.Durchmesser, int(w.Zeichenfarbe));
  }
  std::vector<int> Nummern() const {
    std::vector<int> n;
    for (const auto& w : WkzListe) n.push_back(w.Nummer);
    return n;
  }

  testsupport::TempDir dir{true};
  testsupport::DialogSkript skript;
};

const std::vector<std::string> ZweiWerkzeuge = {
    "Werkzeugnummer=1",
    "          Werkzeugbenennung=Schaftfraeser 3mm",
    "          Werkzeuglänge=50,000",
    "          Werkzeugnutzlänge=20,000",
    "          Werkzeugdurchmesser=3,000",
    "          Zeichenfarbe=4",
    "Werkzeugnummer=7",
    "          Werkzeugbenennung=Stichel 90",
    "          Werkzeuglänge=45,500",
    "          Werkzeugnutzlänge=10,000",
    "          Werkzeugdurchmesser=0,200",
    "          Zeichenfarbe=12",
};

TEST_F(Werkzeugdatei, WritesHeadAndSixLinesPerToolInWindows1252WithCrLf) {
  WkzListe = {{1, "Schaftfraeser 3mm", 50, 20, 3, 4}, {7, "Stichel 90", 45.5, 10, 0.2, 12}};
  ASSERT_TRUE(workspace::WriteToolFile("VelkorWkz.DAT"));
  std::vector<std::string> erwartet = {toolkit::ProgramFileName() + " - Werkzeugdatei"};
  for (const auto& z : ZweiWerkzeuge) erwartet.push_back(toolkit::Ansi(z));
  EXPECT_EQ(dir.read("VelkorWkz.DAT"), toolkit::JoinLines(erwartet));

  WkzListe.clear();
  EXPECT_EQ(workspace::ReadToolFile("VelkorWkz.DAT"), TWkzDateiStatus::Gelesen);
  ASSERT_EQ(WkzListe.size(), 2u);
  EXPECT_EQ(Felder(WkzListe[1]), Felder({7, "Stichel 90", 45.5, 10, 0.2, 12}));

  WkzListe.clear();  // an empty list: the head alone, read back empty
  ASSERT_TRUE(workspace::WriteToolFile("VelkorWkz.DAT"));
  EXPECT_EQ(std::tuple(Gelesen().size(), workspace::ReadToolFile("VelkorWkz.DAT"), WkzListe.size()),
            std::tuple(1u, TWkzDateiStatus::Gelesen, 0u));
}

TEST_F(Werkzeugdatei, RealsKeepEveryWholeDigitAndReadBackUnchanged) {
  KonfigBlock.Gesamtstellen = 3;
  KonfigBlock.Nachkommastellen = 2;
  WkzListe = {{3, "lang", 123456789.5, 1e-7, 1.0 / 3.0, 0}};
  ASSERT_TRUE(workspace::WriteToolFile("VelkorWkz.DAT"));
  const auto zeilen = Gelesen();
  EXPECT_EQ(std::tuple(zeilen[3], zeilen[4]),
            std::tuple("          Werkzeugl\xE4nge=123456789,50", "          Werkzeugnutzl\xE4nge=0,0000001"));
  WkzListe.clear();
  ASSERT_EQ(workspace::ReadToolFile("VelkorWkz.DAT"), TWkzDateiStatus::Gelesen);
  ASSERT_EQ(WkzListe.size(), 1u);
  EXPECT_EQ(std::tuple(WkzListe[0].Laenge, WkzListe[0].Nutzlaenge), std::tuple(123456789.5, 1e-7));
  EXPECT_NEAR(WkzListe[0].Durchmesser, 1.0 / 3.0, 1e-15);
}

TEST_F(Werkzeugdatei, ShuffledUnindentedKeysInAnyCaseOrUtf8ReadTheSame) {
  Schreibe({"/prog - Werkzeugdatei", "zeichenfarbe=4", "WERKZEUGDURCHMESSER=3.0", "Werkzeugnummer=1",
            "  Werkzeugnutzlänge = 20", "Werkzeugbenennung=ABCDEFGHIJKLMNOPQRSTUVWXY",
            "WERKZEUGLÄNGE=50,0"});
  // A hand edit in a UTF-8 editor: the umlaut arrives as two bytes.
  dir.write("VelkorWkz.DAT", dir.read("VelkorWkz.DAT") +
            "Werkzeugnummer=2\r\n\tWerkzeugbenennung= B \t\r\nWerkzeugl\xC3\xA4nge=5,5\r\n"
            "Werkzeugnutzl\xC3\xA4nge=2.5\r\nWerkzeugdurchmesser=1\r\nZeichenfarbe=0\r\n");
  EXPECT_EQ(workspace::ReadToolFile("VelkorWkz.DAT"), TWkzDateiStatus::Gelesen);
  ASSERT_EQ(WkzListe.size(), 2u);
  EXPECT_EQ(Felder(WkzListe[0]), Felder({1, "ABCDEFGHIJKLMNOPQRST", 50, 20, 3, 4}));  // twenty characters kept
  EXPECT_EQ(Felder(WkzListe[1]), Felder({2, " B \t", 5.5, 2.5, 1, 0}));  // the name as written
}

// A file read in part gives one notice, so that the start reports it: a record that lacks a
// key that key's notice, lines that are no key of a tool the file's notice. The tools read
// stay, and the file counts as part read (the exit keeps it as BAK).
TEST_F(Werkzeugdatei, AFileReadInPartGivesOneNotice) {
  const char* datei = "Fehler beim Laden der Werkzeugdatei VelkorWkz.DAT !";
  auto letzteOhne = [](std::size_t zeile) {
    auto zeilen = ZweiWerkzeuge;
    zeilen.erase(zeilen.begin() + 6 + static_cast<std::ptrdiff_t>(zeile));
    return zeilen;
  };
  auto mitFremder = ZweiWerkzeuge;
  mitFremder.insert(mitFremder.begin() + 3, "Werkzeugnumer=3");
  const struct {
    const char* name;
    std::vector<std::string> zeilen;
    const char* hinweis;
    std::vector<int> nummern;
  } faelle[] = {
      {"ohne Farbe", letzteOhne(5), "Fehler beim Laden der Werkzeug-Zeichenfarbe!", {1}},
      {"ohne Benennung", letzteOhne(1), "Fehler beim Laden der Werkzeugbenennung!", {1}},
      {"ohne Nummer", letzteOhne(0), "Fehler beim Laden  der Werkzeugnummer!", {1}},
      {"fremde Zeile", mitFremder, datei, {1, 7}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    WkzListe.clear();
    auto zeilen = f.zeilen;
    zeilen.insert(zeilen.begin(), "Kopf");
    Schreibe(zeilen);
    skript.ErwarteHinweis(f.hinweis);
    EXPECT_EQ(workspace::ReadToolFile("VelkorWkz.DAT"), TWkzDateiStatus::Teilweise);
    EXPECT_EQ(Nummern(), f.nummern);
    EXPECT_EQ(skript.Offen(), 0u);
  }
  WkzListe.clear();
  dir.write("VelkorWkz.DAT", std::string("\x00\xFF\x01garbage\r\n=\r\n==x\n\r\rzz", 21));
  skript.ErwarteHinweis(datei);
  EXPECT_EQ(std::tuple(workspace::ReadToolFile("VelkorWkz.DAT"), WkzListe.size()), std::tuple(TWkzDateiStatus::Teilweise, 0u));
}

TEST_F(Werkzeugdatei, MissingFileIsNoErrorAndAnUnreadableOneGivesItsNotice) {
  KonfigBlock.AktWerkzeug = {9, "alt"};
  EXPECT_EQ(workspace::ReadToolFile("VelkorWkz.DAT"), TWkzDateiStatus::Fehlt);
  EXPECT_EQ(std::tuple(WkzListe.size(), KonfigBlock.AktWerkzeug.Benennung, dir.exists("VelkorWkz.DAT")),
            std::tuple(0u, "kein Werkzeug", false));
  std::filesystem::create_directory(dir.file("VelkorWkz.DAT"));
  skript.ErwarteHinweis("Fehler beim Laden der Werkzeugdatei VelkorWkz.DAT !");
  EXPECT_EQ(workspace::ReadToolFile("VelkorWkz.DAT"), TWkzDateiStatus::Unlesbar);
  EXPECT_TRUE(WkzListe.empty());
}

TEST_F(Werkzeugdatei, FailedWriteGivesOneNoticeAndLeavesTheOldFile) {
  dir.write("VelkorWkz.DAT", "alt\r\n");
  WkzListe = {{1, "a", 1, 1, 1, 1}};
  std::filesystem::create_directory(dir.file("Ordner"));
  // A directory cannot be replaced by the rename.
  skript.ErwarteHinweis("Fehler beim Speichern der Werkzeugdatei Ordner: Ist ein Verzeichnis");
  EXPECT_FALSE(workspace::WriteToolFile("Ordner"));
  EXPECT_EQ(dir.read("VelkorWkz.DAT"), "alt\r\n");
}

// A bad value in the second tool: that key's notice, the first tool stays, reading stops.
TEST_F(Werkzeugdatei, ABadValueGivesTheKeysNoticeOnceAndKeepsTheToolsBefore) {
  const char *farbe = "Fehler beim Laden der Werkzeug-Zeichenfarbe!", *nummer = "Fehler beim Laden  der Werkzeugnummer!";
  const std::pair<std::string, const char*> faelle[] = {  // the line replaces the line of its key in tool 7
      {"Werkzeuglänge=abc", "Fehler beim Laden der Werkzeuglänge!"},
      {"Werkzeugnutzlänge=", "Fehler beim Laden der Werkzeugnutzlänge!"},
      {"Werkzeugdurchmesser=1,2,3", "Fehler beim Laden des Werkzeugdurchmessers!"},
      {"Zeichenfarbe=16", farbe}, {"Zeichenfarbe=-1", farbe},
      {"Werkzeugnummer=300", nummer}, {"Werkzeugnummer=0", nummer}, {"Werkzeugnummer=7.5", nummer}};
  for (const auto& [neu, hinweis] : faelle) {
    SCOPED_TRACE(neu);
    WkzListe.clear();
    auto zeilen = ZweiWerkzeuge;
    for (std::size_t i = 6; i < zeilen.size(); ++i)
      if (zeilen[i].find(neu.substr(0, neu.find('=') + 1)) != std::string::npos) zeilen[i] = neu;
    zeilen.insert(zeilen.begin(), "Kopf");
    Schreibe(zeilen);
    skript.ErwarteHinweis(hinweis);
    EXPECT_EQ(workspace::ReadToolFile("VelkorWkz.DAT"), TWkzDateiStatus::Teilweise);
    EXPECT_EQ(Nummern(), std::vector<int>{1});
    EXPECT_EQ(skript.Offen(), 0u);
  }
}

TEST(WerkzeugZahl, ReadsBothSeparatorsAndExponentsAndRefusesTheRest) {
  for (auto [text, wert] : {std::pair{" 12,5 ", 12.5}, {"-0.25", -0.25}, {"+3", 3.0}, {"1,5e2", 150.0}})
    EXPECT_EQ(workspace::WkzZahlLesen(text), wert) << text;
  for (const char* falsch : {"", "abc", "1,2,3", "1.2,3", "1e", "1e+", "1e400", "inf", "nan", ",", "1 2", "0x10"})
    EXPECT_FALSE(workspace::WkzZahlLesen(falsch)) << falsch;
  EXPECT_EQ(std::vector({workspace::WkzZahlText(-0.0, 3, ','), workspace::WkzZahlText(1e21, 0, '.')}),
            std::vector<std::string>({"0,000", "1000000000000000000000"}));
}

}  // namespace
