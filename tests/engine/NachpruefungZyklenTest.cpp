// The interpreter's cycles checked again through whole runs: text cycles chained by a
// cycle number inside the open cycle, the words of a G80 block, the stop lines of a run
// stopped by the text cycle's question, and the image-information command that leaves the
// target alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "support/EngineFixture.h"
#include "support/FontBuilder.h"
#include "toolkit/BitmapFile.h"

using namespace VelkorWinVAR;
using VelkorWinINTR::StarteWandlung;
using VelkorWinINTR::WandlungDurchfuehren;

namespace {

const std::string kKonvertiert = "(Konvertiert: 07.12.2025 9:05)";
const std::string kAbbruch = "Wandlung abgebrochen!";

class Zyklen : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    dir.write("TEIL.CVT", "OLD\r\n");
    VelkorWinWkz::WkzListe = {{1, "Stichel", 0, 0, 1.0}, {2, "Fraeser", 0, 0, 0.2}};
    KonfigBlock.Gravurzeichensatz = "T.FNT";
    testsupport::TestFontAB().Save(dir.file("T.FNT"));
  }
  bool Enthaelt(const std::string& zeile) const {
    const auto zeilen = Zeilen();
    return std::find(zeilen.begin(), zeilen.end(), zeile) != zeilen.end();
  }
};

// A cycle number inside an open text cycle opens it again at the point of the block before.
TEST_F(Zyklen, ATextCycleNumberInsideTheCycleChainsTheNextTextFromTheLastBlock) {
  Teileprogramm({"N10 G90 G00 X0 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G01 X20 Y0 Z5 H'AB' L10", "N40 G89",
                 "N50 G01 X40 Y0 H'BA' L10", "N60 G80", "N70 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{});
  EXPECT_TRUE(Enthaelt("(Gravurtext: \"AB\" )"));
  EXPECT_TRUE(Enthaelt("(Gravurtext: \"BA\" )"));
  // The second text starts at the point of the first text's block, X20, and the return
  // move of G80 goes back there.
  const auto zeilen = Zeilen();
  ASSERT_GE(zeilen.size(), 3u);
  EXPECT_NE(zeilen[zeilen.size() - 3].find("G00 X 20.000"), std::string::npos) << zeilen[zeilen.size() - 3];
  EXPECT_EQ(zeilen.back(), kKonvertiert);
}

struct Programmfall {
  const char* name;
  std::vector<std::string> programm;
  std::vector<std::string> ausgabe;  // the target; empty: the run stops without a start point
  int werkzeug = 0;                  // the tool the engine holds at the end
};

class Zyklusprogramme : public Zyklen, public ::testing::WithParamInterface<Programmfall> {};

TEST_P(Zyklusprogramme, WriteTheirBlocks) {
  KonfigBlock.LeerschritteZwischenAdressen = false;
  Teileprogramm(GetParam().programm);
  const auto& ausgabe = GetParam().ausgabe;
  EXPECT_EQ(WandlungDurchfuehren(), !ausgabe.empty());
  if (ausgabe.empty()) {
    ASSERT_FALSE(host.Protokoll.empty());
    EXPECT_NE(host.Protokoll.back().find("Startposition für den Textzyklus nicht absolut"), std::string::npos)
        << host.Protokoll.back();
    return;
  }
  Erwarte(ausgabe, {});
  EXPECT_EQ(KonfigBlock.AktWerkzeug.Nummer, GetParam().werkzeug);  // as the output says
}

const Programmfall kProgramme[] = {
    // The previous block is cleared at G80 and at a pass's start: a cycle called right
    // after a G80 needs a positioning block of its own, and so does one under G91.
    {"AfterG80ACycleNeedsAStartPoint",
     {"N10 G90 G00 X0 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G01 X20 Y0 Z5 H'AB' L10", "N40 G80",
      "N50 G89 R2=2 R3=-0.2", "N60 G01 X40 Y0 H'BA' L10", "N70 G80"},
     {}},
    {"UnderG91ACycleNeedsAStartPoint",
     {"N10 G90 G00 X0 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G91 G01 X20 Y0 Z0 H'AB' L10", "N40 G89",
      "N50 G01 X20 Y0 H'BA' L10", "N60 G80"},
     {}},
    // The words of a G80 block other than its number and the G80 follow what the G80
    // writes, as a block of their own.
    {"TheWordsOfATextCyclesG80FollowItsReturnMove",
     {"N10 G90 G00 X10 Y20 Z5", "N20 G89 R2=2 R3=-0.3", "N30 X30 Y40", "N40 G80 T2 M3", "N50 M30"},
     {kKonvertiert, "N1 G90 G00 X10 Y20 Z5", "N3 G00 X10.000 Y20.000", "N4 T2 M3", "N5 M30", kKonvertiert},
     2},
    {"AnM30InTheG80BlockEndsTheProgramAfterTheReturnMove",
     {"N10 G90 G00 X10 Y20 Z5", "N20 G89 R2=2 R3=-0.3", "N30 X30 Y40", "N40 M3 G80  M30", "N50 G00 X99"},
     {kKonvertiert, "N1 G90 G00 X10 Y20 Z5", "N3 G00 X10.000 Y20.000", "N4 M3 M30", kKonvertiert}},
    {"TheWordsOfADrillingCyclesG80FollowTheCycleEndWord",
     {"N10 G90 G00 X0 Y0 Z5", "N20 G81 R2 Z-1", "N30 X10", "N40 G80 T2", "N50 M30"},
     {kKonvertiert, "N1 G90 G00 X0 Y0 Z5", "N2 G81 R2 Z-1", "N3 G80", "N4 T2", "N5 M30", kKonvertiert},
     2},
    {"AG80WithoutAnOpenCycleKeepsEveryWord",
     {"N10 G17 G40 G80 G90", "N20 M30"},
     {kKonvertiert, "N1 G17 G40 G80 G90", "N2 M30", kKonvertiert}},
};

INSTANTIATE_TEST_SUITE_P(All, Zyklusprogramme, ::testing::ValuesIn(kProgramme),
                         [](const auto& info) { return std::string(info.param.name); });

// The measuring pass's question answered "Ja": the cycle step writes the stop line and the
// pass's end writes it again; no conversion pass follows.
TEST_F(Zyklen, TheTooLongQuestionAnsweredYesWritesTheStopLineTwice) {
  Teileprogramm({"N10 G90 G00 X10 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G03 X-10 Y0 I-10 J0 H'AAAAAA' L10",
                 "N40 G80", "N50 M30"});
  host.Antworten = {"Ja"};
  EXPECT_FALSE(WandlungDurchfuehren());
  ErwarteDatei("TEIL.CVT", {kAbbruch, kAbbruch});
}

// The image-information run, alone or in its command, leaves the target of the last run
// where it stood.
TEST_F(Zyklen, TheImageInformationLeavesTheTargetAlone) {
  toolkit::SaveBitmapFile(toolkit::TBitmap(2, 2), dir.file("BILD.BMP"));
  Teileprogramm({"N10 G90 G00 X0 Y10 Z5", "N20 G189 R2=2", "N30 X10 Y0 P'BILD.BMP'", "N40 G80", "N50 M30"});
  StarteWandlung(TInterpretermodus::Bildinfo, TeileprogrammListe);
  EXPECT_EQ(dir.read("TEIL.CVT"), "OLD\r\n");
  host.Antworten = {"OK", "Ja"};
  EXPECT_TRUE(VelkorWinINTR::BildinformationDurchfuehren());
  EXPECT_EQ(dir.read("TEIL.CVT"), "OLD\r\n");
  EXPECT_FALSE(dir.exists("TEIL.SAV"));
  EXPECT_NE(std::find(host.Protokoll.begin(), host.Protokoll.end(), "image info: colour"), host.Protokoll.end());
  EXPECT_FALSE(VelkorWinINTR::Informationslauf);
}

TEST_F(Zyklen, WithoutAnImageNameTheInformationCommandSaysSo) {
  Teileprogramm({"N10 G00 X0", "N20 M30"});
  EXPECT_FALSE(VelkorWinINTR::BildinformationDurchfuehren());
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: Kein Bilddateiname in der Quelldatei gefunden!"});
  EXPECT_EQ(dir.read("TEIL.CVT"), "OLD\r\n");
}

TEST_F(Zyklen, AnArcEndingOnItsCentreGivesTheAngleNoticeAndNoNumberThatIsNone) {
  Teileprogramm({"N10 G90 G00 X10 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G03 X0 Y0 I-10 J0 H'A' L10", "N40 G80",
                 "N50 M30"});
  EXPECT_FALSE(WandlungDurchfuehren());
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"notice: Fehler bei der Winkelberechnung!",
                                                      "notice: Kreisfehler! Anfangs-, Endpunkt und Werkzeug überprüfen!"}));
  for (const auto& zeile : Zeilen()) EXPECT_EQ(zeile.find("nan"), std::string::npos) << zeile;
  EXPECT_EQ(Zeilen().back(), kAbbruch);
}

// Mirrored text of two characters: the second stands mirrored beyond the first, so the
// move to its first stroke lies on the mirrored side of the start point.
TEST_F(Zyklen, MirroredTextAdvancesMirrored) {
  KonfigBlock.Spiegelschrift = true;
  Teileprogramm({"N10 G90 G00 X0 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G01 X20 Y0 H'AB' L10", "N40 G80", "N50 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  const auto zeilen = Zeilen();
  const auto b = std::find(zeilen.begin(), zeilen.end(), "(aktuelles Zeichen: B)");
  ASSERT_LT(b + 2, zeilen.end());
  // B's origin: -(-(13) + 0), thirteen units beyond A's, mirrored with the strokes.
  EXPECT_EQ(std::vector<std::string>(b + 1, b + 3), (std::vector<std::string>{"N7 G00 X 13.000 Y -6.017", "N8 G00 Z 2.000"}));
}

// M0, M1, M3, M7 and M30 are known; every other number stops the run (M0, M3, M5 and M30
// in the tests of their own).
class MWorte : public Zyklen, public ::testing::WithParamInterface<int> {};

TEST_P(MWorte, AreKnownOrStopTheRun) {
  const int m = GetParam();
  const bool bekannt = m == 1 || m == 3 || m == 7;
  Teileprogramm({"N10 G00 X0 M" + std::to_string(m), "N20 M30"});
  EXPECT_EQ(WandlungDurchfuehren(), bekannt);
  if (bekannt) Erwarte({kKonvertiert, "N1 G00 X0 M" + std::to_string(m), "N2 M30", kKonvertiert}, {});
  else EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: " + std::to_string(m) + " : unbekannter M-Befehl!"});
}

INSTANTIATE_TEST_SUITE_P(All, MWorte, ::testing::Values(1, 7, 2, 6, 8, 31));

// A block of 240 characters is taken, one of 241 stops the pass with the notice.
class Satzlaenge : public Zyklen, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(Satzlaenge, OfAtMost240CharactersIsTaken) {
  const std::string block = "N10 G00 X0 (" + std::string(GetParam() - 13, 'K') + ")";
  Teileprogramm({block, "N20 M30"});
  const bool genommen = GetParam() <= 240;
  EXPECT_EQ(WandlungDurchfuehren(), genommen);
  if (genommen) Erwarte({kKonvertiert, "N1" + block.substr(3), "N2 M30", kKonvertiert}, {});
  else EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: NC-Satz zu lang! Maximal 240 Zeichen! "});
}

INSTANTIATE_TEST_SUITE_P(All, Satzlaenge, ::testing::Values(240u, 241u));

}  // namespace
