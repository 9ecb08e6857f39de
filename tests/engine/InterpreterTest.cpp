// The passes of the interpreter and the conversion command's run: head and tail lines,
// stops, the programmed stop, the image-information run and the buffered output.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <tuple>

#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "support/EngineFixture.h"
#include "toolkit/Clock.h"

using namespace VelkorWinVAR;
using VelkorWinINTR::StarteWandlung;
using VelkorWinINTR::WandlungDurchfuehren;

namespace {

const std::string kKonvertiert = "(Konvertiert: 07.12.2025 9:05)";
const std::vector<std::string> kProgrammA = {"(TEST)", "N10 G90 G00 X0 Y0 Z10", "N20 G01 X5 F100", "N30 M30"};

class Interpreter : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    dir.write("TEIL.CVT", "OLD\r\n");
  }
};

TEST_F(Interpreter, TheMeasuringPassGathersTheCycleValuesAndWritesNothing) {
  Teileprogramm({"N10 G90 G00 X10 Y20 Z5", "N20 G89 R2=2 R3=-0.3", "N30 G91 X20 Y20", "N40 G80", "N50 M30"});
  EXPECT_TRUE(StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
  EXPECT_EQ(KonfigBlock.Schrifttiefe, -0.3);
  EXPECT_EQ(VelkorWinGrvTXT::Sicherheitsabstand, 2.0);
  EXPECT_EQ(Fraesbereich.Links, 10);
  EXPECT_EQ(Fraesbereich.Oben, 20);
  EXPECT_EQ(Fraesbereich.Rechts, 10);
  EXPECT_EQ(Fraesbereich.Unten, 20);
  EXPECT_FALSE(dir.exists("TEIL.CVT"));
  EXPECT_EQ(dir.read("TEIL.SAV"), "OLD\r\n");
}

TEST_F(Interpreter, TheReturnMoveWithoutBlanks) {
  KonfigBlock.LeerschritteZwischenAdressen = false;
  Teileprogramm({"N10 G90 G00 X10 Y20 Z5", "N20 G89 R2=2 R3=-0.3", "N30 X30 Y40", "N40 G80", "N50 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  Erwarte({kKonvertiert, "N1 G90 G00 X10 Y20 Z5", "N3 G00 X10.000 Y20.000", "N4 M30", kKonvertiert}, {});
}

TEST_F(Interpreter, AStopRequestDuringTheConversionPassEndsItAfterTheBlock) {
  Teileprogramm(kProgrammA);
  EXPECT_TRUE(StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
  // In the conversion pass: the head line's write, the first block, then its write.
  host.AbbruchBeiProcessEvents(host.ProcessEventsAufrufe + 3);
  EXPECT_FALSE(StarteWandlung(TInterpretermodus::Wandlung, TeileprogrammListe));
  Erwarte({kKonvertiert, "N1 G90 G00 X0 Y0 Z10", kKonvertiert, "Wandlung abgebrochen!"}, {});
}

TEST_F(Interpreter, AStopRequestWhileTheHeadIsWrittenIsNotLost) {
  Teileprogramm(kProgrammA);
  EXPECT_TRUE(StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
  host.AbbruchBeiProcessEvents(host.ProcessEventsAufrufe + 1);
  EXPECT_FALSE(StarteWandlung(TInterpretermodus::Wandlung, TeileprogrammListe));
  Erwarte({kKonvertiert, kKonvertiert, "Wandlung abgebrochen!"}, {});
}

TEST_F(Interpreter, TheCommandAddsItsOwnStopLine) {
  Teileprogramm(kProgrammA);
  host.BeiProcessEvents = [](int) {
    if (Interpretermodus == TInterpretermodus::Wandlung) Abbruch = WandlungsFehler = true;
  };
  EXPECT_FALSE(WandlungDurchfuehren());
  Erwarte({kKonvertiert, kKonvertiert, "Wandlung abgebrochen!", "Wandlung abgebrochen!"}, {});
  EXPECT_FALSE(WandlungLaeuft);
  EXPECT_TRUE(Fortsetzen);
}

TEST_F(Interpreter, AStopDuringTheMeasuringPassPreventsTheConversionPass) {
  Teileprogramm(kProgrammA);
  host.AbbruchBeiProcessEvents(1);
  EXPECT_FALSE(WandlungDurchfuehren());
  Erwarte({"Wandlung abgebrochen!"}, {});
  EXPECT_EQ(dir.read("TEIL.SAV"), "OLD\r\n");
}

TEST_F(Interpreter, WithoutAProgramNothingRuns) {
  EXPECT_FALSE(WandlungDurchfuehren());
  Erwarte({"OLD"}, {"notice: Kein Teileprogramm geladen! "});
  EXPECT_FALSE(dir.exists("TEIL.SAV"));
}

TEST_F(Interpreter, ATargetThatCannotBeMovedAsideIsLeftAlone) {
  Teileprogramm(kProgrammA);
  std::filesystem::create_directory(dir.path() / "TEIL.SAV");
  EXPECT_FALSE(WandlungDurchfuehren());
  Erwarte({"OLD"}, {"notice: Fehler beim Anlegen der SAV-Datei!"});
}

TEST_F(Interpreter, TheTailRepeatsTheHeadsTime) {
  int minute = 0;
  toolkit::SetClock([&] { return toolkit::TDateTime{2025, 1, 2, 13, minute++}; });
  Teileprogramm({"N10 G00 X0", "N20 G00 X1", "N30 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  const auto zeilen = Zeilen();
  ASSERT_EQ(zeilen.size(), 5u);
  EXPECT_EQ(zeilen.front(), "(Konvertiert: 02.01.2025 13:01)");
  EXPECT_EQ(zeilen.back(), zeilen.front());
}

TEST_F(Interpreter, TheProgrammedStopWaitsAndLeavesACommentLine) {
  for (const bool innen : {false, true}) {
    SCOPED_TRACE(innen);
    host.Protokoll.clear();
    KreistextNachInnen = innen;
    Teileprogramm({"N10 G90 G00 X0 Y0 Z5", "N20 M0", "N30 M30"});
    EXPECT_TRUE(WandlungDurchfuehren());
    Erwarte({kKonvertiert, "N1 G90 G00 X0 Y0 Z5",
             innen ? "N2 (Kreistext nach innen)" : "N2 (Kreistext nach außen)", "N3 M30", kKonvertiert},
            {"stop: N20 M0", "stop closed"});
  }
}

TEST_F(Interpreter, AStopRequestEndsTheProgrammedStop) {
  Teileprogramm({"N10 G90 G00 X0 Y0 Z5", "N20 M0", "N30 M30"});
  host.BeiProcessEvents = [this](int) {
    if (!host.Protokoll.empty() && host.Protokoll.back() == "stop: N20 M0") Abbruch = WandlungsFehler = true;
  };
  EXPECT_FALSE(WandlungDurchfuehren());
  // The stop notice is closed again: nothing is left waiting for the operator.
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"stop: N20 M0", "stop closed"}));
  const auto zeilen = Zeilen();
  EXPECT_EQ(zeilen.back(), "Wandlung abgebrochen!");
  EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "N3 M30"), 0);
}

TEST_F(Interpreter, TheImageInformationRunWritesNothing) {
  Teileprogramm(kProgrammA);
  for (int lauf = 0; lauf < 2; ++lauf) {
    EXPECT_TRUE(StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
    StarteWandlung(TInterpretermodus::Bildinfo, TeileprogrammListe);
    EXPECT_FALSE(dir.exists("TEIL.CVT"));
    EXPECT_EQ(dir.read("TEIL.SAV"), "OLD\r\n");
  }
}

struct KopfFall {
  const char* name;
  TBesonderheit besonderheit;
  std::uint8_t umlaufsinn;
  bool linienanfang;
  TFraesrichtung richtung;
  bool bidirektional;
  std::uint8_t zirkularsinn;
  std::vector<std::string> zeilen;
};
class Bildkopf : public Interpreter, public ::testing::WithParamInterface<KopfFall> {};

TEST_P(Bildkopf, FollowsTheImageSettings) {
  const auto& f = GetParam();
  KonfigBlock.GrundBesonderheit = f.besonderheit;
  KonfigBlock.Umlaufsinn = f.umlaufsinn;
  KonfigBlock.LinienanfangSuchen = f.linienanfang;
  KonfigBlock.Fraesrichtung = f.richtung;
  KonfigBlock.bidirektional_bearbeiten = f.bidirektional;
  KonfigBlock.Zirkularsinn = f.zirkularsinn;
  Teileprogramm({"N10 G90 G00 X0 Y0 Z5", "N20 G189 R2=3", "N30 G80", "N40 M30"});
  EXPECT_TRUE(StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
  Fraesbereich = {0, 50, 100, 0};  // as a measured image would leave it
  Kopfzeilen = {"(K1)"};
  EXPECT_TRUE(StarteWandlung(TInterpretermodus::Wandlung, TeileprogrammListe));
  std::vector<std::string> kopf = {kKonvertiert};
  kopf.insert(kopf.end(), f.zeilen.begin(), f.zeilen.end());
  kopf.insert(kopf.end(), {"(Fräsbereich {l/o/r/u} [mm]: 0,000 / 50,000 / 100,000 / 0,000)", "(K1)",
                           "N1 G90 G00 X0 Y0 Z5"});
  const auto zeilen = Zeilen();
  EXPECT_EQ(std::vector<std::string>(zeilen.begin(), zeilen.begin() + std::min(zeilen.size(), kopf.size())), kopf);
}

const KopfFall kKoepfe[] = {
    {"LineWise", TBesonderheit::keine, 0, false, TFraesrichtung::zeilenweise, false, 0,
     {"(Fräsrichtung: zeilenweise)", "(Bearbeitung: unidirektional)"}},
    {"ColumnWiseBothWays", TBesonderheit::keine, 0, false, TFraesrichtung::spaltenweise, true, 0,
     {"(Fräsrichtung: spaltenweise)", "(Bearbeitung: bidirektional)"}},
    {"CircularCcw", TBesonderheit::keine, 0, false, TFraesrichtung::zirkular, false, 1,
     {"(Fräsrichtung: zirkular ccw)"}},
    {"UnknownDirection", TBesonderheit::keine, 0, false, static_cast<TFraesrichtung>(7), false, 0, {}},
    {"FollowRight", TBesonderheit::Farbe_verfolgen, 1, false, TFraesrichtung::zeilenweise, false, 0,
     {"(Arbeitsmodus Farbe verfolgen, Umlaufsinn rechts)", "(Frässtart vom jeweils gefundeneen Punkt)"}},
    {"FollowLeftFromLineStart", TBesonderheit::Farbe_verfolgen, 0, true, TFraesrichtung::zeilenweise, false, 0,
     {"(Arbeitsmodus Farbe verfolgen, Umlaufsinn links)", "(Frässtart vom jeweiligen Linienanfang)"}},
};
INSTANTIATE_TEST_SUITE_P(All, Bildkopf, ::testing::ValuesIn(kKoepfe),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Interpreter, BufferedLinesAreOfferedForSavingAtTheNextRun) {
  KonfigBlock.DirektSpeichern = false;
  Teileprogramm(kProgrammA);
  EXPECT_TRUE(WandlungDurchfuehren());
  EXPECT_EQ(VelkorWinFileUtils::NcSatzPuffer.size(), 5u);
  EXPECT_FALSE(dir.exists("TEIL.CVT"));
  host.Antworten = {"Ja"};
  EXPECT_TRUE(WandlungDurchfuehren());
  // Saved to the target, which the new run's first pass then moves to its backup.
  ErwarteDatei("TEIL.SAV", {kKonvertiert, "N1 G90 G00 X0 Y0 Z10", "N2 G01 X5 F100", "N3 M30", kKonvertiert});
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"confirm: Die erzeugten NC-Sätze speichern? -> Ja"});
  EXPECT_EQ(VelkorWinFileUtils::NcSatzPuffer.size(), 5u);

  // Lines belong to the run that made them: saved to its target, not to the one that stands
  // now, and when they cannot be saved the next run does not start.
  host.Protokoll.clear();
  std::filesystem::create_directory(dir.path() / "TEIL.CVT");
  KonfigBlock.Zieldateiname = "DREI.CVT";
  host.Antworten = {"Ja"};
  EXPECT_FALSE(WandlungDurchfuehren());
  EXPECT_EQ(host.Protokoll,
            (std::vector<std::string>{"confirm: Die erzeugten NC-Sätze speichern? -> Ja", "tone: 440 200",
                                      "notice: Fehler beim Speichern in TEIL.CVT: Ist ein Verzeichnis"}));
  EXPECT_EQ(std::tuple(VelkorWinFileUtils::NcSatzPuffer.size(), dir.exists("DREI.CVT")), std::tuple(5u, false));
}

TEST_F(Interpreter, GraphicsAreClearedOnRequestAndPreparedForTheRun) {
  KonfigBlock.GrafikEin = true;
  GrafikVorhanden = true;
  GrafikbereichAutomatisch = true;
  Fraesbereich = {0, 100, 100, 0};  // of an earlier run: this program measures no area
  host.Antworten = {"Ja"};
  Teileprogramm({"N10 G00 X0", "N20 G18"});
  EXPECT_FALSE(WandlungDurchfuehren());
  EXPECT_EQ(host.Protokoll,
            (std::vector<std::string>{"confirm: Grafik löschen? -> Ja", "simulation: clear",
                                      "simulation: init with axes",
                                      "notice: Ebenenwahl G18 ist in dieser Version nicht möglich!",
                                      "simulation: close"}));
  EXPECT_EQ(KonfigBlock.SimuGrenzeMin, (TPunkt3D{-10, -10, -5}));
  EXPECT_EQ(KonfigBlock.SimuGrenzeMax, (TPunkt3D{10, 10, 10}));
}

TEST_F(Interpreter, AnyBytesEndInANoticeOrANormalEnd) {
  // Words of the language, stray bytes and broken numbers, texts and comments in any
  // order: every run ends, the target ends with its closing line, and nothing else
  // than the target and its backup appears.
  const std::vector<std::string> teile = {
      "N10 ", "G00 ", "G01 ", "G02 ", "G17 ", "G80 ", "G81 ", "G89 ", "G189 ", "G90 ", "G91 ", "G96 ", "R2=2 ",
      "R3=-0.2 ", "X1.5 ", "Y-2 ", "Z5 ", "X ", "X1.2.3 ", "I5 ", "J0 ", "H'AB", "H'ABC' ", "P'bild /A' ", "(", ")",
      "(KOMMENTAR) ", "L3 ", "A45 ", "S200 ", "F100 ", "T1 ", "M3 ", "M0 ", "M30 ", "%", std::string(1, '\0'),
      "\xFF", "Q", "'", "-", ".", "99999999999 ", std::string(60, 'X')};
  std::mt19937 zufall(4711);
  host.BeiProcessEvents = [](int) { Fortsetzen = true; };
  for (int lauf = 0; lauf < 300; ++lauf) {
    std::vector<std::string> programm;
    const int zeilen = static_cast<int>(zufall() % 12);
    for (int z = 0; z < zeilen; ++z) {
      std::string zeile;
      const int woerter = static_cast<int>(zufall() % 8);
      for (int w = 0; w < woerter; ++w) zeile += teile[zufall() % teile.size()];
      programm.push_back(zeile);
    }
    TeileprogrammListe = programm;
    KonfigBlock.Zieldateiname = "TEIL.CVT";
    const bool beendet = WandlungDurchfuehren();
    const auto ausgabe = Zeilen();
    ASSERT_FALSE(ausgabe.empty()) << lauf;
    EXPECT_EQ(ausgabe.back(), beendet ? kKonvertiert : "Wandlung abgebrochen!") << lauf;
    for (const auto& eintrag : std::filesystem::directory_iterator(dir.path())) {
      const auto name = eintrag.path().filename().string();
      EXPECT_TRUE(name == "TEIL.CVT" || name == "TEIL.SAV") << name;
    }
  }
}

}  // namespace
