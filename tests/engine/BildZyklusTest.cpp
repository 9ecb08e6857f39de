// The image cycle as a whole: its head and tail lines, the windows and questions it
// shows in each pass, the picture it hands to the driver, the choice of the driver, and
// every way it refuses a picture or an area.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWorldScreen.h"
#include "support/BildFixture.h"
#include "toolkit/BitmapFile.h"

using namespace VelkorWinVAR;
using testsupport::Bild;
using testsupport::Farbe;

namespace {

const std::string kKonvertiert = "(Konvertiert: 07.12.2025 9:05)";
const std::string kHilfe =
    "Gewandelt werden in diesem Modus \n\rFarbbilder mit mehr als 16 Farben! \n\rBeim Verkleinern können feine "
    "Strukturen wie \n\rz. B. Linien mit ein Pixel Breite verloren gehen \n\rund Farbänderungen auftreten!";
const std::string kFrage = "buttons: Verkleinertes Bild wandeln? [Ja|Nein|Hilfe] -> ";

// A picture of `n` colours in one row after another, `w` pixels wide.
toolkit::TBitmap Farbreihe(int n, int w, int h = 2) {
  toolkit::TBitmap bild(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) bild.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(10 * (x % n)), 0, 0));
  }
  return bild;
}

class BildZyklus : public testsupport::BildFixture {
protected:
  // The depths (Z words) of the milling blocks.
  std::vector<double> Tiefen() const {
    std::vector<double> tiefen;
    for (const auto& block : Fraesbloecke()) {
      const auto z = block.find('Z');
      if (z != std::string::npos) tiefen.push_back(std::stod(block.substr(z + 1)));
    }
    if (tiefen.empty()) ADD_FAILURE() << "nothing milled";
    if (tiefen.empty()) tiefen.push_back(0.0);
    return tiefen;
  }
  bool Enthaelt(const std::string& zeile) const {
    const auto z = Zeilen();
    return std::find(z.begin(), z.end(), zeile) != z.end();
  }
};

TEST_F(BildZyklus, HeadAndTailLinesDescribeThePictureAndItsArea) {
  toolkit::TBitmap bild = Farbreihe(2, 101, 51);
  toolkit::SaveBitmapFile(bild, dir.file("TEIL.BMP"));
  Teileprogramm({"N10 G90 G00 X0 Y50 Z5 T1", "N20 G189 R2=2", "N30 G01 X100 Y0 P'TEIL.BMP'", "N40 G80", "N50 M30"});
  Farben("FF");
  KonfigBlock.MitSatznummern = true;
  VelkorWinBildZyklus::BildFuerTeileprogrammLaden();
  ASSERT_TRUE(VelkorWinINTR::StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
  EXPECT_EQ(Kopfzeilen, (std::vector<std::string>{"(Bilddatei: TEIL.BMP TEIL.BMP)",
                                                  toolkit::Ansi("(Bildfräsbereich {l/o/r/u} [mm]: 0,000 / 50,000 / "
                                                                "100,000 / 0,000)")}));
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"load: TEIL.BMP"});  // no window in the measuring pass

  host.Antworten = {"OK", "Ja"};
  ASSERT_TRUE(VelkorWinINTR::StarteWandlung(TInterpretermodus::Wandlung, TeileprogrammListe));
  const auto zeilen = Zeilen();
  ASSERT_GT(zeilen.size(), 15u);
  EXPECT_EQ(std::vector<std::string>(zeilen.begin(), zeilen.begin() + 8),
            (std::vector<std::string>{kKonvertiert, "(Fräsrichtung: zeilenweise)", "(Bearbeitung: unidirektional)",
                                      "(Fräsbereich {l/o/r/u} [mm]: 0,000 / 50,000 / 100,000 / 0,000)",
                                      "(Bilddatei: TEIL.BMP TEIL.BMP)",
                                      "(Bildfräsbereich {l/o/r/u} [mm]: 0,000 / 50,000 / 100,000 / 0,000)",
                                      "N1 G90 G00 X0 Y50 Z5 T1", "(Beginn der Wandlung: TEIL.BMP)"}));
  EXPECT_EQ(std::vector<std::string>(zeilen.end() - 6, zeilen.end()),
            (std::vector<std::string>{"(Bildverkleinerung: 1,000)", "(Bildbreite: 101 Pixel)", "(Bildhöhe: 51 Pixel)",
                                      "(Fräszeilenhöhe: 0,980 mm)", "(Frässpaltenbreite: 0,990 mm)", kKonvertiert}));
  // Every pixel of the milled picture maps into the area between the two points.
  EXPECT_EQ(VelkorWinWorldScreen::BildschirmZuWeltX(0), 0.0L);
  EXPECT_EQ(VelkorWinWorldScreen::BildschirmZuWeltY(0), 50.0L);
  EXPECT_DOUBLE_EQ(static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltX(37)), 37.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltY(10)), 40.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltX(100)), 100.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(VelkorWinWorldScreen::BildschirmZuWeltY(50)), 0.0);
}

TEST_F(BildZyklus, TheSizeWindowOnceThenTheQuestionWhichHelpAsksAgain) {
  Bildzyklus(Bild({"RW", "WR"}));
  Farben("FK", {-1});
  host.Antworten = {"OK", "Hilfe", "Ja"};
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"load: Teil.bmp", "section: size -> OK", kFrage + "Hilfe",
                                                      "notice: " + kHilfe, kFrage + "Ja"}));
}

TEST_F(BildZyklus, CancellingTheSectionWindowStopsTheRunBeforeAnyMilling) {
  Bildzyklus(Bild({"RW", "WR"}));
  Farben("FK", {-1});
  host.Antworten = {"Abbrechen"};
  EXPECT_FALSE(Wandeln());
  EXPECT_TRUE(Fraesbloecke().empty());
  EXPECT_EQ(Zeilen().back(), "Wandlung abgebrochen!");
  EXPECT_TRUE(Abbruch);
}

TEST_F(BildZyklus, WithGraphicsTheConversionPassShowsTheSimulationAndACancelClosesIt) {
  KonfigBlock.GrafikEin = true;
  Bildzyklus(Bild({"RW", "WR"}));
  host.Antworten = {"Abbrechen"};
  EXPECT_FALSE(Wandeln());
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"load: Teil.bmp", "simulation: init with axes",
                                                      "simulation: show", "section: size -> Abbrechen",
                                                      "simulation: close", "simulation: close"}));
}

TEST_F(BildZyklus, WithoutWorkColoursNothingIsMilled) {
  Bildzyklus(Bild({"RW", "WR"}));
  Farben("KK");
  EXPECT_TRUE(Wandeln());
  const auto zeilen = Zeilen();
  const auto beginn = std::find(zeilen.begin(), zeilen.end(), "(Beginn der Wandlung: TEIL.BMP)");
  ASSERT_NE(beginn, zeilen.end());
  EXPECT_EQ(*(beginn + 1), "M30");  // not even a return move: the tool never left the start
}

TEST_F(BildZyklus, ExactlySixteenColoursTakeTheColourDriverSeventeenTheGreyDriver) {
  KonfigBlock.Farbtiefe.fill(-0.5);
  Bildzyklus(Farbreihe(16, 16));
  EXPECT_TRUE(Wandeln());
  const auto farbe = Tiefen();
  EXPECT_EQ(Fraesbloecke().front(), "G00 X-2.000");  // the colour driver's run-in
  EXPECT_TRUE(std::all_of(farbe.begin(), farbe.end(), [](double z) { return z == -0.5 || z == 2.0 || z == 5.0; }));

  TearDown();
  SetUp();
  KonfigBlock.Farbtiefe.fill(-0.5);
  KonfigBlock.GrundArbeitsmodus = TArbeitsmodus::Fraesen;
  Bildzyklus(Farbreihe(17, 17));
  EXPECT_TRUE(Wandeln());
  const auto grau = Tiefen();
  EXPECT_EQ(std::count(grau.begin(), grau.end(), -0.5), 0);
  EXPECT_EQ(std::count(grau.begin(), grau.end(), -2.5), 2);  // the darkest pixel of each row
}

TEST_F(BildZyklus, SixteenColoursWithGreyConversionMillEachRowOnceByGrey) {
  KonfigBlock.Graubildwandlung = true;
  Bildzyklus(Farbreihe(16, 16));
  Farben(std::string(16, 'F'));
  EXPECT_TRUE(Wandeln());
  const auto bloecke = Fraesbloecke();
  EXPECT_EQ(std::count(bloecke.begin(), bloecke.end(), "G00 Z2.000"), 2);  // one plunge per row
  const auto tiefen = Tiefen();
  EXPECT_EQ(*std::min_element(tiefen.begin(), tiefen.end()), -2.5);
}

TEST_F(BildZyklus, AMirroredPictureIsMilledMirrored) {
  BildSpiegeln = true;
  Bildzyklus(Bild({"RRWW", "RRWW"}));
  Farben("FK", {-1});
  EXPECT_TRUE(Wandeln());
  const auto gespiegelt = Fraesbloecke();

  TearDown();
  SetUp();
  Bildzyklus(Bild({"WWRR", "WWRR"}));
  Farben("KF", {0, -1});
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(gespiegelt, Fraesbloecke());
  EXPECT_EQ(gespiegelt.front(), "G00 X-2.000");
  EXPECT_EQ(gespiegelt[1], "G00 X20.000");
}

TEST_F(BildZyklus, TheFullPictureIsMilledWhenTheOperatorSaysNo) {
  Bildzyklus(Bild({"RW", "WW"}));
  Farben("FK", {-1});
  // The size window halves nothing here but hands back a picture of another colour.
  host.BeiBildausschnitt = [](bool, toolkit::TBitmap& bild) { bild = Bild({"WW", "WW"}); };
  host.Antworten = {"OK", "Nein"};
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Fraesbloecke(), (std::vector<std::string>{"G00 X-2.000", "G00 Z2.000", "G01 Z-1.000", "G01 X0.000",
                                                       "G00 Z5.000", "G00 Y0.000"}));
}

TEST_F(BildZyklus, AReducedPictureWithNewColoursIsMilledByGreyNeverPastTheTables) {
  Bildzyklus(Bild({"RW", "WR"}));
  Farben("FF", {-1, -1});
  // Scaling mixed new colours into the picture: 2 + 16 colours after the recount.
  host.BeiBildausschnitt = [](bool, toolkit::TBitmap& bild) { bild = Farbreihe(18, 18); };
  KonfigBlock.GrundArbeitsmodus = TArbeitsmodus::Fraesen;
  EXPECT_TRUE(Wandeln());
  EXPECT_GT(Farbanzahl, 16);
  for (const auto& zeile : host.Protokoll) EXPECT_EQ(zeile.find("Frästiefe"), std::string::npos) << zeile;
  const auto tiefen = Tiefen();
  EXPECT_EQ(*std::min_element(tiefen.begin(), tiefen.end()), -2.5);
}

TEST_F(BildZyklus, TheSectionWindowComesAgainUntilTheSectionIsValid) {
  Bildzyklus(Bild({"RW", "WR"}), true, " /A");
  Farben("FK", {-1});
  int gezeigt = 0;
  host.BeiBildausschnitt = [&gezeigt](bool, toolkit::TBitmap&) {
    if (++gezeigt == 1) Bildausschnitt = {1, 1, 1, 2, true};  // no width
  };
  host.Antworten = {"OK", "OK", "Ja"};
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(host.Protokoll,
            (std::vector<std::string>{"load: Teil.bmp", "section: area -> OK",
                                      "notice: Ausschnittgrenzen ändern oder abbrechen!", "section: area -> OK",
                                      kFrage + "Ja"}));
  EXPECT_TRUE(Enthaelt("(Bildausschnitt:  l = 0 o = 0 r = 2 u = 2)"));
}

TEST_F(BildZyklus, AnInvalidSectionChosenBeforeIsChosenAgain) {
  Bildausschnitt = {5, 5, 5, 5, true};
  Bildzyklus(Bild({"RW", "WR"}), true, " /A");
  Farben("FK", {-1});
  host.Antworten = {"Nein", "OK", "Ja"};
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(host.Protokoll,
            (std::vector<std::string>{"load: Teil.bmp", "confirm: Gewählten Bildausschnitt verwerfen? (J/N)? -> Nein",
                                      "section: area -> OK", kFrage + "Ja"}));
}

TEST_F(BildZyklus, TheImageInformationRunShowsItsWindowInsteadOfMilling) {
  Bildzyklus(Bild({"RW", "WR"}));
  VelkorWinBildZyklus::BildFuerTeileprogrammLaden();
  ASSERT_TRUE(VelkorWinINTR::StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
  VelkorWinINTR::StarteWandlung(TInterpretermodus::Bildinfo, TeileprogrammListe);
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"load: Teil.bmp", "image info: colour"}));
  EXPECT_FALSE(dir.exists("TEIL.CVT"));

  KonfigBlock.Graubildwandlung = true;
  VelkorWinINTR::StarteWandlung(TInterpretermodus::Bildinfo, TeileprogrammListe);
  EXPECT_EQ(host.Protokoll.back(), "image info: grey");
}

struct Verweigerung {
  const char* name;
  std::function<void(testsupport::TempDir&)> vorbereiten;
  std::vector<std::string> meldungen;  // of the cycle, after those of the loading
};

class Verweigert : public testsupport::BildFixture, public ::testing::WithParamInterface<Verweigerung> {};

TEST_P(Verweigert, WithANoticeAndAStoppedRun) {
  Bildzyklus(Bild({"RW", "WR"}));
  Farben("FF", {-1, -1});
  GetParam().vorbereiten(dir);
  EXPECT_FALSE(Wandeln());
  EXPECT_EQ(Zeilen().back(), "Wandlung abgebrochen!");
  ASSERT_GE(host.Protokoll.size(), GetParam().meldungen.size());
  EXPECT_EQ(std::vector<std::string>(host.Protokoll.end() - static_cast<std::ptrdiff_t>(GetParam().meldungen.size()),
                                     host.Protokoll.end()),
            GetParam().meldungen);
  EXPECT_TRUE(Fraesbloecke().empty());
}

const Verweigerung kVerweigerungen[] = {
    {"TruncatedBitmap",
     [](testsupport::TempDir& d) { d.write("Teil.bmp", d.read("Teil.bmp").substr(0, 40)); },
     {"load: Teil.bmp", "notice: Fehler beim Laden von Bitmap image is not valid.",
      "notice: Fehler beim Laden der Bild-Datei! Info: ? Weiter: Taste"}},
    {"HeaderSizesThatLie",
     [](testsupport::TempDir& d) {
       std::string bytes = d.read("Teil.bmp");
       bytes[18] = '\x7F', bytes[19] = '\x7F';  // width 32639 in a file of a few bytes
       d.write("Teil.bmp", bytes);
     },
     {"load: Teil.bmp", "notice: Fehler beim Laden von Bitmap image is not valid.",
      "notice: Fehler beim Laden der Bild-Datei! Info: ? Weiter: Taste"}},
    {"AreaWithoutWidth",
     [](testsupport::TempDir&) {
       VelkorWinVAR::TeileprogrammListe->at(2) = "N30 X0 Y0 P'teil.bmp'";
     },
     {"notice: Bildfräsbereich ohne Breite oder Höhe! Start- und Zielpunkt des Bildzyklus prüfen!"}},
};

INSTANTIATE_TEST_SUITE_P(Bild, Verweigert, ::testing::ValuesIn(kVerweigerungen),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BildZyklus, PaletteIndexesBeyondTheColoursOfTheFileMillAsBlack) {
  toolkit::TBitmap bild(2, 2, toolkit::TPixelFormat::pf8bit);
  bild.SetPalette(std::vector<toolkit::TColor>{Farbe('W'), Farbe('R')});
  std::vector<std::uint8_t> bytes = toolkit::SaveBitmapToBytes(bild);
  bytes[46] = 2;                  // the file names two palette colours
  bytes[bytes.size() - 4] = 200;  // and the top left pixel uses index 200
  Bildzyklus(Bild({"WW", "WW"}));
  dir.write("Teil.bmp", std::string(bytes.begin(), bytes.end()));
  Farben("FF", {-1, -2});
  EXPECT_TRUE(Wandeln());
  EXPECT_EQ(Farbanzahl, 2);
  EXPECT_EQ(Farbtabelle[0].Farbe, Farbe('K'));
  EXPECT_FALSE(Fraesbloecke().empty());
}

TEST_F(BildZyklus, APictureWithoutPixelsIsRefused) {
  Bildzyklus(Bild({"RW", "WR"}));
  QuellImage = toolkit::TBitmap(0, 0);  // as a reader may leave it
  BildGeladen = true;
  EXPECT_FALSE(VelkorWinINTR::WandlungDurchfuehren());
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: Fehler beim Laden der Bild-Datei! Info: ? Weiter: Taste"});
  EXPECT_EQ(Zeilen(), std::vector<std::string>{"Wandlung abgebrochen!"});
}

TEST_F(BildZyklus, AMissingPictureIsReportedBeforeAndWhenTheCycleNeedsIt) {
  Bildzyklus(Bild({"RW", "WR"}));
  std::filesystem::remove(dir.path() / "Teil.bmp");
  EXPECT_FALSE(Wandeln());
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"notice: Die Bilddatei TEIL.BMP wurde nicht gefunden!",
                                                      "notice: Datei TEIL.BMP nicht gefunden!"}));
  EXPECT_EQ(Zeilen(), std::vector<std::string>{"Wandlung abgebrochen!"});
}

}  // namespace
