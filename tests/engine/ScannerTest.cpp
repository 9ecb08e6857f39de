// The block scanner and its word handlers: every fault a part program can hold ends the
// run with its own notice, shown once, and leaves "Wandlung abgebrochen!" as the target.
#include <gtest/gtest.h>

#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "support/EngineFixture.h"
#include "toolkit/BitmapFile.h"

using namespace VelkorWinVAR;
using VelkorWinINTR::WandlungDurchfuehren;

namespace {

class Scanner : public testsupport::EngineFixture {
protected:
  void Werkzeuge(std::initializer_list<std::pair<int, double>> liste) {
    for (const auto& [nummer, durchmesser] : liste) {
      VelkorWinWkz::WkzListe.push_back({static_cast<std::uint8_t>(nummer), "W", 0, 0, durchmesser});
    }
  }
};

struct FehlerFall {
  const char* name;
  std::vector<std::string> programm;  // after "N10 G90 G00 X0 Y0 Z5"
  std::string meldung;
  bool mitWerkzeugen = false;  // tools 1 (D 1.0), 5 and 9
};
class Satzfehler : public Scanner, public ::testing::WithParamInterface<FehlerFall> {};

TEST_P(Satzfehler, EndsTheRunWithItsNoticeOnce) {
  if (GetParam().mitWerkzeugen) Werkzeuge({{1, 1.0}, {5, 2.0}, {9, 3.0}});
  std::vector<std::string> programm = {"N10 G90 G00 X0 Y0 Z5"};
  programm.insert(programm.end(), GetParam().programm.begin(), GetParam().programm.end());
  Teileprogramm(programm);
  EXPECT_FALSE(WandlungDurchfuehren());
  Erwarte({"Wandlung abgebrochen!"}, {"notice: " + GetParam().meldung});
}

const std::string kTextzyklus = "N20 G89 R2=2 R3=-0.2";

const FehlerFall kFehler[] = {
    {"UnknownM", {"N20 M5"}, "5 : unbekannter M-Befehl!"},
    {"UnknownGInTextCycle", {kTextzyklus, "N30 G4"}, "4 : unbekannter G-Befehl!"},
    {"UnknownTool", {"N20 T7"}, "Werkzeug T7 nicht bekannt", true},
    {"ToolZero", {"N20 T0"}, "Werkzeug T0 nicht bekannt", true},
    {"ToolAbove255", {"N20 T265"}, "Werkzeug T265 nicht bekannt", true},
    {"EmptyToolList", {"N20 T1"}, "Werkzeug T1 nicht bekannt"},
    {"MissingNumber", {"N20 G01 F"}, "Fehlender Zahlenwert!"},
    {"MissingNumberBeforeNextWord", {"N20 G01 F X1"}, "Fehlender Zahlenwert!"},
    {"SignWithoutDigits", {"N20 G01 F-"}, "Fehlerhafter Zahlenwert: - N20 G01 F-"},
    {"TwoPoints", {kTextzyklus, "N30 X10.5.3"}, "Fehlerhafter Zahlenwert: 10.5.3 N30 X10.5.3"},
    {"ElevenDigitG", {"N20 G99999999999"}, "Fehlerhafter Zahlenwert: 99999999999 N20 G99999999999"},
    {"WholeDigitsBeyondTen", {kTextzyklus, "N30 X12345678901"},
     "Fehlerhafter Zahlenwert: 12345678901 N30 X12345678901"},
    {"OpenComment", {"N20 G00 X0 ("}, "\x07" "Fehlender oder unvollständiger Kommentartext! Weiter: Taste!"},
    {"OpenText", {kTextzyklus, "N30 H'ABC"}, "N30 H'ABC\n\rFehlender oder nicht abgeschlossener Text!"},
    {"TextAtTheEnd", {kTextzyklus, "N30 H"}, "Fehlender Text!"},
    {"UnknownCharacter", {kTextzyklus, "N30 X30 Q5"}, "Unbekanntes Zeichen: Q N30 X30 Q5"},
    {"LowerCaseInCycle", {kTextzyklus, "N30 x30"}, "Unbekanntes Zeichen: x N30 x30"},
    {"CuttingSpeedWithoutDiameter", {"N20 G96", "N30 S200"},
     "\x07" "Fehlerhafter Werkzeugdurchmesser!  Weiter: Taste!"},
    {"TextCycleWithoutR", {"N20 G89"}, "Sicherheitsabstand oder Schrifttiefe nicht angegeben!"},
    {"TextCycleWithoutSafety", {"N20 G89 R3=-0.2"}, "Sicherheitsabstand oder Schrifttiefe nicht angegeben!"},
    {"TextCycleWithoutDepth", {"N20 G89 R2=2"}, "Sicherheitsabstand oder Schrifttiefe nicht angegeben!"},
    {"ImageCycleWithoutR", {"N20 G189 (RAND)"}, "Sicherheitsabstand nicht angegeben!"},
    {"TooLong", {"N20 G00 X0 (" + std::string(230, 'X') + ")"}, "NC-Satz zu lang! Maximal 240 Zeichen! "},
    {"TextTooSmallForTheTool", {"N20 T1 G00 X0 Y0 Z5", "N30 G89 R2=2 R3=-0.2", "N40 X10"},
     "Schrift mit Werkzeugdurchmesser nicht herstellbar! ", true},
    {"ArcWithoutFirstOffset", {kTextzyklus, "N30 G2 X10 J0"}, "Mittepunktabstand in X-Richtung fehlt!"},
    {"ArcWithoutSecondOffset", {kTextzyklus, "N30 G3 X10 I5"}, "Mittepunktabstand in Y-Richtung fehlt!"},
    {"ArcEndOffTheCircle", {kTextzyklus, "N30 G3 X10 Y3 I5 J0"},
     "Kreisfehler! Anfangs-, Endpunkt und Werkzeug überprüfen!"},
    {"MissingImage", {"N20 G189 R2=3", "N30 X100 Y50 P'bild'"}, "Datei BILD.PCX nicht gefunden!"},
};
INSTANTIATE_TEST_SUITE_P(All, Satzfehler, ::testing::ValuesIn(kFehler),
                         [](const auto& info) { return std::string(info.param.name); });

struct StartFall {
  const char* name;
  std::vector<std::string> programm;
  std::string meldung;
};
class Startposition : public Scanner, public ::testing::WithParamInterface<StartFall> {};

TEST_P(Startposition, MustBeGivenAbsoluteForAllAxes) {
  Teileprogramm(GetParam().programm);
  EXPECT_FALSE(WandlungDurchfuehren());
  Erwarte({"Wandlung abgebrochen!"}, {"notice: Startposition für den " + GetParam().meldung +
                                      " nicht absolut für alle Achsen angegeben! "});
}

const StartFall kStarts[] = {
    {"AxisMissing", {"N10 G90 G00 X10 Y20", "N20 G89 R2=2 R3=-0.3", "N30 X30", "N40 G80"}, "Textzyklus"},
    {"AxisOnlyInAComment", {"N10 G00 X10 Y20 (Z5)", "N20 G189 R2=2"}, "Graphikzyklus"},
    {"CallInTheFirstBlock", {"N10 G89 R2=2 R3=-0.3", "N20 X5"}, "Textzyklus"},
    {"IncrementalBlockBefore", {"N10 G91 G00 X10 Y20 Z5", "N20 G89 R2=2 R3=-0.3"}, "Textzyklus"},
    {"RightAfterAnotherCycle",
     {"N10 G00 X0 Y0 Z5", "N20 G89 R2=2 R3=-0.3", "N30 X10", "N40 G80", "N50 G89 R2=2 R3=-0.3"},
     "Textzyklus"},
    {"UnreadableAxis", {"N10 G00 X10 Y- Z5", "N20 G189 R2=2"}, "Graphikzyklus"},
};
INSTANTIATE_TEST_SUITE_P(All, Startposition, ::testing::ValuesIn(kStarts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Scanner, ReadersLeaveThePositionBehindWhatTheyRead) {
  using namespace VelkorWinINTR;
  std::size_t p = 0;
  EXPECT_EQ(ZahlLesen("X-12.5 Y", p), -12.5);
  EXPECT_EQ(p, 6u);
  p = 0;
  EXPECT_EQ(ZahlLesen("F 250", p), 250.0);
  p = 0;
  EXPECT_EQ(ZahlLesen("Z-.5", p), -0.5);
  p = 0;
  EXPECT_EQ(ZahlLesen("X-1234567.891", p), -1234567.8);  // only ten characters count
  p = 0;
  EXPECT_EQ(GanzzahlLesen("G  01X", p), 1);
  EXPECT_EQ(p, 5u);
  p = 0;
  EXPECT_EQ(TextLesen("H'AB C'X", p), "AB C");
  EXPECT_EQ(p, 7u);
  p = 2;
  KommentarLesen("X1(AB)Y", p);
  EXPECT_EQ(p, 6u);
  p = 2;
  KommentarLesen("X1(AB", p);
  EXPECT_EQ(p, 5u);
  EXPECT_EQ(LeseFehler, 0);
  EXPECT_TRUE(host.Protokoll.empty());
  EXPECT_TRUE(IstKommentarzeile("(A)"));
  EXPECT_TRUE(IstKommentarzeile("(A (B)"));
  EXPECT_FALSE(IstKommentarzeile("(A)(B)"));
  EXPECT_FALSE(IstKommentarzeile("N1 (A)"));
  EXPECT_FALSE(IstKommentarzeile(""));
}

TEST_F(Scanner, CycleCallsTakeTheirRWordsInAnyOrder) {
  for (const char* aufruf : {"N20 G89 R2=5 R3=-0.2", "N20 G89 R3=-0.2 (RAND) R1=7 R2=5"}) {
    SCOPED_TRACE(aufruf);
    Teileprogramm({"N10 G90 G00 X0 Y0 Z5", aufruf, "N30 G80"});
    EXPECT_TRUE(WandlungDurchfuehren());
    EXPECT_EQ(VelkorWinGrvTXT::Sicherheitsabstand, 5.0);
    EXPECT_EQ(KonfigBlock.Schrifttiefe, -0.2);
  }
}

TEST_F(Scanner, AToolWordChangesTheCurrentTool) {
  Werkzeuge({{1, 2.0}, {5, 2.5}, {9, 3.0}});
  Teileprogramm({"N10 G90 G00 X0 Y0 Z5", "N20 T9 M3", "N30 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  EXPECT_EQ(KonfigBlock.AktWerkzeug.Nummer, 9);
  EXPECT_EQ(KonfigBlock.AktWerkzeug.Durchmesser, 3.0);
  Erwarte({"(Konvertiert: 07.12.2025 9:05)", "N1 G90 G00 X0 Y0 Z5", "N2 T9 M3", "N3 M30",
           "(Konvertiert: 07.12.2025 9:05)"},
          {});
}

TEST_F(Scanner, FeedAndSpindleWords) {
  using namespace VelkorWinINTR;
  Werkzeuge({{1, 6.0}});
  Teileprogramm({"N10 G00 X0 Y0 Z5", "N20 T1 F 250 S1600", "N30 G95 F0.1", "N40 G96 S100"});
  EXPECT_TRUE(WandlungDurchfuehren());
  EXPECT_EQ(Spindeldrehzahl, 3000.0);
  EXPECT_EQ(Schnittgeschwindigkeit, 100.0);
  EXPECT_DOUBLE_EQ(Vorschub, 0.3);  // per revolution times the speed
  EXPECT_DOUBLE_EQ(VorschubProUmdrehung, 0.1);
}

TEST_F(Scanner, ThePlaneWordInsideACycleIsCutAndTheAxisStillRead) {
  Teileprogramm({"N10 G90 G00 X0 Y0 Z5", "N20 G189 R2=3", "N30 G17 X12", "N40 G80", "N50 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  Erwarte({"(Konvertiert: 07.12.2025 9:05)", "(Fräsrichtung: zirkular cw)",
           "(Fräsbereich {l/o/r/u} [mm]: 0,000 / 0,000 / 0,000 / 0,000)", "N1 G90 G00 X0 Y0 Z5", "N2 X12",
           "N3 M30", "(Bildverkleinerung: 1,000)", "(Bildbreite: 0 Pixel)",
           "(Bildhöhe: 0 Pixel)", "(Fräszeilenhöhe: 0,000 mm)", "(Frässpaltenbreite: 0,000 mm)",
           "(Konvertiert: 07.12.2025 9:05)"},
          {});
}

TEST_F(Scanner, CycleEndAndSpindleWordsOutsideTheirCycles) {
  // G80 with no cycle open makes no return move; S in an image cycle is read and ignored.
  Teileprogramm({"N10 G90 G80 G00 X0 Y0 Z5", "N20 G189 R2=3", "N30 S200 X7", "N40 G80", "N50 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  const auto zeilen = Zeilen();
  ASSERT_GE(zeilen.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(zeilen.begin() + 3, zeilen.begin() + 6),
            (std::vector<std::string>{"N1 G90 G80 G00 X0 Y0 Z5", "N2 S200 X7", "N3 M30"}));
  EXPECT_TRUE(host.Protokoll.empty());
}

TEST_F(Scanner, PlaneSelectionOtherThanXYStopsOnlyTheConversionPass) {
  Teileprogramm({"N10 G90 G00 X0 Y0 Z5", "N20 G19", "N30 M30"});
  EXPECT_FALSE(WandlungDurchfuehren());
  Erwarte({"(Konvertiert: 07.12.2025 9:05)", "N1 G90 G00 X0 Y0 Z5", "Wandlung abgebrochen!",
           "Wandlung abgebrochen!"},
          {"notice: Ebenenwahl G19 ist in dieser Version nicht möglich!"});
}

TEST_F(Scanner, TheImageNameIsUpperCasedAndCarriesTheAreaSwitch) {
  toolkit::SaveBitmapFile(toolkit::TBitmap(2, 3), (dir.path() / "bild.bmp").string());
  Teileprogramm({"N10 G90 G00 X0 Y0 Z5", "N20 G189 R2=3", "N30 X100 Y50 P'bild.bmp /A'", "N40 G80"});
  host.Antworten = {"OK", "Ja"};  // the whole picture as the section, then the reduced picture
  KonfigBlock.Fraesrichtung = TFraesrichtung::zeilenweise;
  EXPECT_TRUE(WandlungDurchfuehren());
  EXPECT_TRUE(FraesbereichGegeben);
  EXPECT_EQ(*VelkorWinINTR::VorlaufBilddateiname, "BILD.BMP");
  const auto ausgabe = Zeilen();
  EXPECT_NE(std::find(ausgabe.begin(), ausgabe.end(), "(Beginn der Wandlung: BILD.BMP)"), ausgabe.end());
  EXPECT_NE(std::find(ausgabe.begin(), ausgabe.end(), "(Bildausschnitt:  l = 0 o = 0 r = 2 u = 3)"), ausgabe.end());
}

}  // namespace
