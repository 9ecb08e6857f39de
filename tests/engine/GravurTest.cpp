// The text-engraving cycle through the whole interpreter: layout, strokes, the measuring
// pass, stops, and fonts that are damaged or do not fit. The two-letter test font T.FNT
// ('A' and 'B', 6 wide, 10 high) and tool 1 of diameter 1.0 stand ready; the worked
// program engraves "AB" 10 mm high from X0 to X20.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "support/EngineFixture.h"
#include "support/FontBuilder.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/FileUtil.h"
#include "toolkit/LineFile.h"
#include "toolkit/Text.h"

using namespace VelkorWinVAR;
using testsupport::Draw;
using testsupport::FontBuilder;
using testsupport::Move;
using VelkorWinINTR::StarteWandlung;
using VelkorWinINTR::WandlungDurchfuehren;

namespace {

const std::string kKonvertiert = "(Konvertiert: 07.12.2025 9:05)";
const std::vector<std::string> kKopf = {"(Spiegelschrift: aus)", "(Richtung: linear Schrifthöhe: 10,000 mm )",
                                        "(Kursivwinkel: 0,00°)"};
constexpr double kMassstab = 1.337015465 * 9.0 / 10.0;  // mm per font unit at L10 with the 1 mm tool

class Gravur : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    dir.write("TEIL.CVT", "OLD\r\n");
    VelkorWinWkz::WkzListe.push_back({1, "Stichel", 0, 0, 1.0});
    KonfigBlock.Gravurzeichensatz = "T.FNT";
    testsupport::TestFontAB().Save(dir.file("T.FNT"));
  }

  // The worked program with another text block (and start point).
  void Programm(const std::string& textsatz, const std::string& start = "X0 Y0 Z5") {
    Teileprogramm({"N10 G90 G00 " + start + " T1", "N20 G89 R2=2 R3=-0.2", textsatz, "N40 G80", "N50 M30"});
  }
};

// The whole target of a run of the worked program: head, the text's comments, `rumpf`
// (the characters, the G80 return and M30) and the tail.
std::vector<std::string> Ausgabe(const std::string& text, const std::vector<std::string>& rumpf) {
  std::vector<std::string> zeilen = {kKonvertiert, "N1 G90 G00 X0 Y0 Z5 T1", "(Gravurtext: \"" + text + "\" )"};
  zeilen.insert(zeilen.end(), kKopf.begin(), kKopf.end());
  zeilen.insert(zeilen.end(), rumpf.begin(), rumpf.end());
  zeilen.push_back(kKonvertiert);
  return zeilen;
}

TEST_F(Gravur, TheMeasuringPassWidensTheAreaAndWritesNothing) {
  Programm("N30 G01 X20 Y0 H'AB' L10");
  EXPECT_TRUE(StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
  EXPECT_DOUBLE_EQ(Fraesbereich.Links, 0.0);
  EXPECT_DOUBLE_EQ(Fraesbereich.Oben, 10 * kMassstab);
  EXPECT_DOUBLE_EQ(Fraesbereich.Rechts, 13 + 6 * kMassstab);
  EXPECT_DOUBLE_EQ(Fraesbereich.Unten, 0.0);
  EXPECT_FALSE(dir.exists("TEIL.CVT"));
  EXPECT_TRUE(host.Protokoll.empty());
}

TEST_F(Gravur, TheMeasuredAreaHoldsThePenUpPointsAndNothingOfEarlierRuns) {
  // The last pen-up point lies below the baseline; the end of the text goes there.
  FontBuilder().Top(10).Glyph('A', 6, {Move(0, 0), Draw(0, 10), Move(6, -3)}).Save(dir.file("T.FNT"));
  BildFraesbereich = {-100, 100, 100, -100};  // left over from an image of another program
  Fraesbereich = {-50, 50, 50, -50};
  Programm("N30 G01 X20 Y5 H'A' L10", "X10 Y5 Z5");
  EXPECT_TRUE(StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
  EXPECT_DOUBLE_EQ(Fraesbereich.Links, 10.0);
  EXPECT_DOUBLE_EQ(Fraesbereich.Oben, 5 + 10 * kMassstab);
  EXPECT_DOUBLE_EQ(Fraesbereich.Rechts, 10 + 6 * kMassstab);
  EXPECT_DOUBLE_EQ(Fraesbereich.Unten, 5 - 3 * kMassstab);
}

TEST_F(Gravur, AnImageOfTheSamePassStaysInTheMeasuredArea) {
  toolkit::SaveBitmapFile(toolkit::TBitmap(2, 2), dir.file("BILD.BMP"));
  // The image cycle measures the rectangle from its start to its target point.
  BildFraesbereich = {-40, 60, 30, -20};
  Teileprogramm({"N10 G90 G00 X-40 Y60 Z5 T1", "N20 G189 R2=2", "N30 X30 Y-20 P'BILD.BMP'", "N40 G80",
                 "N45 G00 X0 Y0 Z5", "N50 G89 R2=2 R3=-0.2", "N60 G01 X20 Y0 H'AB' L10", "N70 G80", "N80 M30"});
  EXPECT_TRUE(StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
  EXPECT_DOUBLE_EQ(Fraesbereich.Links, -40.0);
  EXPECT_DOUBLE_EQ(Fraesbereich.Oben, 60.0);
  EXPECT_DOUBLE_EQ(Fraesbereich.Rechts, 30.0);
  EXPECT_DOUBLE_EQ(Fraesbereich.Unten, -20.0);
}

// A character on its own, with the glyph 'A' given per row.
struct StrichFall {
  const char* name;
  std::vector<fontfile::Command> striche;
  std::vector<std::string> saetze;  // after "(aktuelles Zeichen: A)": the moves, the G80 return, M30
};

const StrichFall kStriche[] = {
    {"DrawAtTheStartCutsWithoutApproach",
     {Draw(0, 10), Move(6, 0)},
     {"N3 G01 Y 12.033", "N4 G00 X 7.220 Y 0.000", "N5 G00 X 0.000", "N6 M30"}},
    {"TwoDrawsInARowStayDown",
     {Move(0, 0), Draw(0, 10), Draw(6, 10), Move(6, 0)},
     {"N3 G00 Z 2.000", "N4 G01 Z -0.200", "N5 G01 Y 12.033", "N6 G01 X 7.220", "N7 G00 Z 5.000",
      "N8 G00 Y 0.000", "N9 G00 X 0.000", "N10 M30"}},
    {"MoveAfterMoveLiftsOnce",
     {Move(0, 0), Draw(0, 10), Move(3, 3), Move(6, 0)},
     {"N3 G00 Z 2.000", "N4 G01 Z -0.200", "N5 G01 Y 12.033", "N6 G00 Z 5.000", "N7 G00 X 7.220 Y 0.000",
      "N8 G00 X 0.000", "N9 M30"}},
    {"ALastDrawIsLiftedBeforeTheReturn",
     {Move(0, 0), Draw(0, 10)},
     {"N3 G00 Z 2.000", "N4 G01 Z -0.200", "N5 G01 Y 12.033", "N6 G00 Z 5.000", "N7 G00 Y 0.000", "N8 M30"}},
    {"NoStrokesGoesToTheLineEndAtItsHeight", {}, {"N3 G01 X 20.000", "N4 G01 X 0.000", "N5 M30"}},
};

class Striche : public Gravur, public ::testing::WithParamInterface<StrichFall> {};

TEST_P(Striche, BecomeMoves) {
  FontBuilder().Top(10).Glyph('A', 6, GetParam().striche).Save(dir.file("T.FNT"));
  Programm("N30 G01 X20 Y0 H'A' L10");
  EXPECT_TRUE(WandlungDurchfuehren());
  std::vector<std::string> rumpf = {"(aktuelles Zeichen: A)"};
  rumpf.insert(rumpf.end(), GetParam().saetze.begin(), GetParam().saetze.end());
  Erwarte(Ausgabe("A", rumpf), {});
}

INSTANTIATE_TEST_SUITE_P(All, Striche, ::testing::ValuesIn(kStriche),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// The target of the worked program as checked by hand (the golden run "gravur-linear").
std::vector<std::string> WorkedTarget() {
  std::string bytes;
  std::ifstream in(std::filesystem::path(VELKOR_TEST_DATA) / "wandeln/gravur-linear/erwartet/TEIL.CVT",
                   std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), {});
  std::vector<std::string> zeilen = toolkit::SplitLines(bytes);
  for (auto& zeile : zeilen) zeile = toolkit::Cp1252ToUtf8(zeile);
  return zeilen;
}

TEST_F(Gravur, AFontOfExactly20001BytesIsUsed) {
  std::string bytes = testsupport::TestFontAB().Bytes();
  bytes.resize(20001, '\0');
  dir.write("T.FNT", bytes);
  Programm("N30 G01 X20 Y0 H'AB' L10");
  EXPECT_TRUE(WandlungDurchfuehren());
  EXPECT_EQ(Zeilen(), WorkedTarget());
}

TEST_F(Gravur, ACharacterOutsideTheFontTakesNoRoomAndDrawsNothing) {
  Programm("N30 G01 X20 Y0 H'A)B' L10");
  EXPECT_TRUE(WandlungDurchfuehren());
  std::vector<std::string> erwartet = WorkedTarget();
  erwartet[2] = "(Gravurtext: \"A)B\" )";
  const auto b = std::find(erwartet.begin(), erwartet.end(), "(aktuelles Zeichen: B)");
  erwartet.insert(b, "(aktuelles Zeichen: ))");  // B stands where it stands without the bracket
  EXPECT_EQ(Zeilen(), erwartet);
}

TEST_F(Gravur, ACutFontNeverDrawsWithTheStrokesOfTheFontBefore) {
  Programm("N30 G01 X20 Y0 H'AB' L10");
  ASSERT_TRUE(WandlungDurchfuehren());
  const std::string ganz = testsupport::TestFontAB().Bytes();
  dir.write("T.FNT", ganz.substr(0, testsupport::TestFontAB().Layout().glyphStart[1]));  // B's strokes cut off
  EXPECT_TRUE(WandlungDurchfuehren());
  const auto zeilen = Zeilen();
  const auto b = std::find(zeilen.begin(), zeilen.end(), "(aktuelles Zeichen: B)");
  ASSERT_NE(b, zeilen.end());
  EXPECT_EQ(std::vector<std::string>(b + 1, zeilen.end()),
            (std::vector<std::string>{"N7 G00 X 7.220 Y 0.000", "N8 G00 X 0.000", "N9 M30", kKonvertiert}));
}

// Only the script font of that file name, in any directory and any case, joins its letters.
struct SchriftName {
  const char* name;
  const char* datei;
  std::string zweitesZeichen;  // the rapid move to B's first stroke
};

const SchriftName kSchriftNamen[] = {
    {"ScriptFontInADirectory", "schrift/Scri.Fnt", "N7 G00 X 7.000 Y 6.017"},
    {"ScriptFontWithABackslash", "schrift\\SCRI.FNT", "N7 G00 X 7.000 Y 6.017"},
    {"LongerNameEndingAlike", "DESCRI.FNT", "N7 G00 X 13.000 Y 6.017"},
    {"DirectoryOfThatName", "SCRI.FNT/T.FNT", "N7 G00 X 13.000 Y 6.017"},
};

class Schriftname : public Gravur, public ::testing::WithParamInterface<SchriftName> {};

TEST_P(Schriftname, DecidesTheSpacing) {
  const std::filesystem::path datei = dir.path() / toolkit::NormalizePath(GetParam().datei);
  std::filesystem::create_directories(datei.parent_path());
  testsupport::TestFontAB().Save(datei.string());
  KonfigBlock.Gravurzeichensatz = GetParam().datei;
  Programm("N30 G01 X20 Y0 H'AB' L10");
  EXPECT_TRUE(WandlungDurchfuehren());
  const auto zeilen = Zeilen();
  EXPECT_NE(std::find(zeilen.begin(), zeilen.end(), GetParam().zweitesZeichen), zeilen.end());
}

INSTANTIATE_TEST_SUITE_P(All, Schriftname, ::testing::ValuesIn(kSchriftNamen),
                         [](const auto& info) { return std::string(info.param.name); });

struct FontFehler {
  const char* name;
  std::optional<std::string> bytes;  // nullopt: no file
  std::string meldung;
  std::string zeichensatz = "T.FNT";
};

const FontFehler kFontFehler[] = {
    {"NoFontChosen", testsupport::TestFontAB().Bytes(), "Kein Zeichensatz geladen!", ""},
    {"NoFile", std::nullopt, "Fehler beim Laden des Zeichensatzes!"},
    {"Of20002Bytes", std::string(20002, '\x1A'), "Fehler beim Laden des Zeichensatzes!"},
    {"Empty", "", "T.FNT nicht im erwarteten Format!"},
    {"TextEndAfter128Bytes", std::string(128, 'x') + testsupport::TestFontAB().Bytes(),
     "T.FNT nicht im erwarteten Format!"},
    {"NoHeight", testsupport::TestFontAB().Top(0).Bytes(), "T.FNT nicht im erwarteten Format!"},
};

class UnbrauchbarerZeichensatz : public Gravur, public ::testing::WithParamInterface<FontFehler> {};

TEST_P(UnbrauchbarerZeichensatz, StopsTheRunAtTheMeasuringPass) {
  std::filesystem::remove(dir.path() / "T.FNT");
  if (GetParam().bytes) dir.write("T.FNT", *GetParam().bytes);
  KonfigBlock.Gravurzeichensatz = GetParam().zeichensatz;
  Programm("N30 G01 X20 Y0 H'AB' L10");
  EXPECT_FALSE(WandlungDurchfuehren());
  Erwarte({"Wandlung abgebrochen!"}, {"notice: " + GetParam().meldung});
  EXPECT_EQ(dir.read("TEIL.SAV"), "OLD\r\n");
}

INSTANTIATE_TEST_SUITE_P(All, UnbrauchbarerZeichensatz, ::testing::ValuesIn(kFontFehler),
                         [](const auto& info) { return std::string(info.param.name); });

// The cycle step writes the stop line and ends the pass; the pass's end writes it again.
TEST_F(Gravur, AStopInsideTheTextEndsThePassWithoutItsTail) {
  Programm("N30 G01 X20 Y0 H'AB' L10");
  ASSERT_TRUE(StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe));
  // Conversion pass: the head line, N10 (taken and written), N20, N30, its four comments,
  // then the first character's comment and its first move.
  host.AbbruchBeiProcessEvents(host.ProcessEventsAufrufe + 11);
  EXPECT_FALSE(StarteWandlung(TInterpretermodus::Wandlung, TeileprogrammListe));
  const auto zeilen = Zeilen();
  EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), kKonvertiert), 1);
  EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "Wandlung abgebrochen!"), 2);
  EXPECT_EQ(zeilen.back(), "Wandlung abgebrochen!");
  EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "(aktuelles Zeichen: B)"), 0);
}

TEST_F(Gravur, ATextLongerThanItsLineOverlapsWithoutAQuestion) {
  Programm("N30 G01 X5 Y0 H'AB' L10");
  EXPECT_TRUE(WandlungDurchfuehren());
  const auto zeilen = Zeilen();
  EXPECT_NE(std::find(zeilen.begin(), zeilen.end(), "N7 G00 X -2.000 Y 6.017"), zeilen.end());
  EXPECT_TRUE(host.Protokoll.empty());
}

TEST_F(Gravur, AnItalicAngleEqualToTheBaselineLeavesTheStrokesUpright) {
  KonfigBlock.Kursivwinkel = 45;
  Programm("N30 G01 X20 Y20 H'A' L10");
  EXPECT_TRUE(WandlungDurchfuehren());
  const auto zeilen = Zeilen();
  EXPECT_NE(std::find(zeilen.begin(), zeilen.end(), "(Kursivwinkel: 45,000°)"), zeilen.end());
  EXPECT_NE(std::find(zeilen.begin(), zeilen.end(), "N5 G01 Y 12.033"), zeilen.end());
}

// Text on the half circle of radius 10 about the origin, from (10, 0) counter-clockwise,
// or from (-10, 0) clockwise.
const char* const kBogenCcw = "N30 G03 X-10 Y0 I-10 J0 H'A' L10";
const char* const kBogenCw = "N30 G02 X10 Y0 I10 J0 H'A' L10";

struct BogenFall {
  const char* name;
  const char* satz;
  const char* start;
  bool spiegel;
  std::vector<std::string> saetze;  // the first blocks of the character
  bool nachInnen = false;
};

// The character leans back by its own angle on the arc (7 mm on radius 10: 40.107 degrees)
// from the tangent; mirrored text is drawn with the negated angle about the negated origin;
// inward text stands on the other side of the arc.
const BogenFall kBoegen[] = {
    {"OneCharacterCcw", kBogenCcw, "X10 Y0 Z5", false,
     {"N2 G00 Z 2.000", "N3 G01 Z -0.200", "N4 G01 X 19.203 Y -7.752", "N5 G00 Z 5.000"}},
    {"OneCharacterCw", kBogenCw, "X-10 Y0 Z5", false,
     {"N2 G00 Z 2.000", "N3 G01 Z -0.200", "N4 G01 X -19.203 Y 7.752", "N5 G00 Z 5.000"}},
    {"MirroredCcw", kBogenCcw, "X10 Y0 Z5", true,
     {"N2 G00 X -10.000", "N3 G00 Z 2.000", "N4 G01 Z -0.200", "N5 G01 X -19.203 Y 7.752"}},
    {"InwardCcw", kBogenCcw, "X10 Y0 Z5", false,
     {"N2 G00 Z 2.000", "N3 G01 Z -0.200", "N4 G01 X 0.797 Y 7.752", "N5 G00 Z 5.000"}, true},
};

class Kreistext : public Gravur, public ::testing::WithParamInterface<BogenFall> {};

TEST_P(Kreistext, PlacesTheCharacterOnTheArc) {
  KonfigBlock.Spiegelschrift = GetParam().spiegel;
  KreistextNachInnen = GetParam().nachInnen;
  Programm(GetParam().satz, GetParam().start);
  EXPECT_TRUE(WandlungDurchfuehren());
  const auto zeilen = Zeilen();
  const auto erste = std::find(zeilen.begin(), zeilen.end(), "(aktuelles Zeichen: A)");
  ASSERT_LT(erste + 4, zeilen.end());
  EXPECT_EQ(std::vector<std::string>(erste + 1, erste + 5), GetParam().saetze);
  EXPECT_TRUE(host.Protokoll.empty());
}

INSTANTIATE_TEST_SUITE_P(All, Kreistext, ::testing::ValuesIn(kBoegen),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Gravur, OneCharacterOnAnArcTooShortIsQuestionedAndStillFinite) {
  Programm("N30 G03 X0 Y2 I-2 J0 H'A' L10", "X2 Y0 Z5");  // a quarter circle of radius 2
  host.Antworten = {"Nein"};
  EXPECT_TRUE(WandlungDurchfuehren());
  ASSERT_EQ(host.Protokoll.size(), 1u);
  EXPECT_EQ(host.Protokoll[0].rfind("confirm: Der Gravurtext ist für den programmierten Kreisbogen zu lang!", 0), 0u);
  for (const auto& zeile : Zeilen()) {
    EXPECT_EQ(zeile.find("NAN"), std::string::npos) << zeile;
    EXPECT_EQ(zeile.find("INF"), std::string::npos) << zeile;
  }
  EXPECT_EQ(Zeilen().back(), kKonvertiert);
}

// The cycle called on its own, as the interpreter calls it.
class GravurAufruf : public Gravur {
protected:
  void Aufrufen(const std::string& text, TInterpolation interpolation = TInterpolation::linear,
                TInterpretermodus modus = TInterpretermodus::Wandlung) {
    Interpretermodus = modus;
    KonfigBlock.Zieldateiname = "TEIL.CVT";
    KonfigBlock.AktWerkzeug = VelkorWinWkz::WkzListe.front();
    VelkorWinGrvTXT::Zyklusstartpunkt = position;
    VelkorWinGrvTXT::GravurTextWandeln(modus, position, ziel, interpolation, 2.0, -0.2, 9.0, 0.0, text, melden,
                                       fehler);
  }
  TPunkt3D position{0, 0, 5};
  TPunkt3D ziel{20, 0, 5};
  bool melden = false;
  bool fehler = false;
};

TEST_F(GravurAufruf, AnEmptyTextIsReportedWithoutError) {
  Aufrufen("");
  EXPECT_FALSE(fehler);
  Erwarte({"OLD"}, {"notice: fehlender Gravurtext!"});
}

TEST_F(GravurAufruf, AnArcWithoutRadiusEndsAfterTheComments) {
  VelkorWinCIRC::Kreisradius = 0.0;
  VelkorWinCIRC::Kreisbogenwinkel = 90.0;
  dir.write("TEIL.CVT", "");
  Aufrufen("AB", TInterpolation::cw);
  EXPECT_TRUE(fehler);
  Erwarte({"(Gravurtext: \"AB\" )", "(Spiegelschrift: aus)", "(Richtung: cw Höhe: 10,000 mm )",
           "(Kursivwinkel: 0,00°)"},
          {"notice: Fehler bei der Berechnung der Länge des Kreistext-Bogens!"});
  EXPECT_EQ(position, (TPunkt3D{0, 0, 5}));
}

TEST_F(GravurAufruf, ShowsTheSimulationInEitherPassAndAsksForAPlaneReport) {
  KonfigBlock.GrafikEin = true;
  Aufrufen("AB", TInterpolation::linear, TInterpretermodus::Messlauf);
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"simulation: show"});
  EXPECT_TRUE(melden);
  EXPECT_EQ(position, (TPunkt3D{0, 0, 5}));  // the measuring pass moves nothing
  EXPECT_FALSE(dir.exists("TEIL.SAV"));
  Erwarte({"OLD"}, {"simulation: show"});
}

namespace {

// The fonts beside the golden runs' part programs are the test fonts built here.
TEST(GoldenFonts, AreTheTestFonts) {
  const auto ab = testsupport::TestFontAB();
  // Ä (DOS 142) is an A with a pointed top, drawn in two strokes without lifting.
  const auto umlaut = testsupport::TestFontAB().Glyph(142, 6, {Move(0, 0), Draw(3, 10), Draw(6, 0), Move(6, 0)});
  const std::pair<const char*, std::string> fonts[] = {
      {"gravur-linear/vorher/T.FNT", ab.Bytes()},        {"gravur-scri/vorher/scri.fnt", ab.Bytes()},
      {"gravur-spiegel/vorher/T.FNT", ab.Bytes()},       {"gravur-kursiv/vorher/T.FNT", ab.Bytes()},
      {"gravur-kreis-ccw/vorher/T.FNT", ab.Bytes()},     {"gravur-zu-lang/vorher/T.FNT", ab.Bytes()},
      {"gravur-zu-lang-nein/vorher/T.FNT", ab.Bytes()},  {"gravur-umlaut/vorher/U.FNT", umlaut.Bytes()},
  };
  for (const auto& [datei, bytes] : fonts) {
    std::string inhalt;
    EXPECT_TRUE(toolkit::ReadFileText((std::filesystem::path(VELKOR_TEST_DATA) / "wandeln" / datei).string(), inhalt));
    EXPECT_EQ(inhalt, bytes) << datei;
  }
}

}  // namespace
