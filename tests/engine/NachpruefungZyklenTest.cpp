// The interpreter's cycles checked again through whole runs: text cycles chained by a
// cycle number inside the open cycle, the words of a G80 block, the stop lines of a run
// stopped by the text cycle's question, the image-information command that leaves the
// target alone, and arc end points written with rounded coordinates.
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
  // The lines of the target from `von` on (exclusive), `n` of them.
  std::vector<std::string> Nach(const std::string& von, std::size_t n) const {
    const auto zeilen = Zeilen();
    auto it = std::find(zeilen.begin(), zeilen.end(), von);
    if (it == zeilen.end()) return {};
    ++it;
    return {it, it + static_cast<std::ptrdiff_t>(std::min<std::size_t>(n, static_cast<std::size_t>(zeilen.end() - it)))};
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

struct Kettenfall {
  const char* name;
  std::vector<std::string> programm;
};

// The previous block is cleared at G80 and at a pass's start: a cycle called right after
// a G80 needs a positioning block of its own, and so does one under G91.
const Kettenfall kOhneStart[] = {
    {"AfterG80", {"N10 G90 G00 X0 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G01 X20 Y0 Z5 H'AB' L10", "N40 G80",
                  "N50 G89 R2=2 R3=-0.2", "N60 G01 X40 Y0 H'BA' L10", "N70 G80"}},
    {"Incremental", {"N10 G90 G00 X0 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G91 G01 X20 Y0 Z0 H'AB' L10",
                     "N40 G89", "N50 G01 X20 Y0 H'BA' L10", "N60 G80"}},
};

class ZyklenOhneStart : public Zyklen, public ::testing::WithParamInterface<Kettenfall> {};

TEST_P(ZyklenOhneStart, NeedAPositioningBlock) {
  Teileprogramm(GetParam().programm);
  EXPECT_FALSE(WandlungDurchfuehren());
  ASSERT_FALSE(host.Protokoll.empty());
  EXPECT_NE(host.Protokoll.back().find("Startposition für den Textzyklus nicht absolut"), std::string::npos)
      << host.Protokoll.back();
}

INSTANTIATE_TEST_SUITE_P(All, ZyklenOhneStart, ::testing::ValuesIn(kOhneStart),
                         [](const auto& info) { return std::string(info.param.name); });

// The words of a G80 block other than its number and the G80 follow what the G80 writes,
// as a block of their own; the engine and the output agree on the tool.
TEST_F(Zyklen, TheWordsOfATextCyclesG80FollowItsReturnMove) {
  KonfigBlock.LeerschritteZwischenAdressen = false;
  Teileprogramm({"N10 G90 G00 X10 Y20 Z5", "N20 G89 R2=2 R3=-0.3", "N30 X30 Y40", "N40 G80 T2 M3", "N50 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  Erwarte({kKonvertiert, "N1 G90 G00 X10 Y20 Z5", "N3 G00 X10.000 Y20.000", "N4 T2 M3", "N5 M30", kKonvertiert},
          {});
  EXPECT_EQ(KonfigBlock.AktWerkzeug.Nummer, 2);
}

TEST_F(Zyklen, AnM30InTheG80BlockEndsTheProgramAfterTheReturnMove) {
  KonfigBlock.LeerschritteZwischenAdressen = false;
  Teileprogramm({"N10 G90 G00 X10 Y20 Z5", "N20 G89 R2=2 R3=-0.3", "N30 X30 Y40", "N40 M3 G80  M30", "N50 G00 X99"});
  EXPECT_TRUE(WandlungDurchfuehren());
  Erwarte({kKonvertiert, "N1 G90 G00 X10 Y20 Z5", "N3 G00 X10.000 Y20.000", "N4 M3 M30", kKonvertiert}, {});
}

TEST_F(Zyklen, TheWordsOfADrillingCyclesG80FollowTheCycleEndWord) {
  Teileprogramm({"N10 G90 G00 X0 Y0 Z5", "N20 G81 R2 Z-1", "N30 X10", "N40 G80 T2", "N50 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  Erwarte({kKonvertiert, "N1 G90 G00 X0 Y0 Z5", "N2 G81 R2 Z-1", "N3 G80", "N4 T2", "N5 M30", kKonvertiert}, {});
  EXPECT_EQ(KonfigBlock.AktWerkzeug.Nummer, 2);
}

TEST_F(Zyklen, AG80WithoutAnOpenCycleKeepsEveryWord) {
  Teileprogramm({"N10 G17 G40 G80 G90", "N20 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  Erwarte({kKonvertiert, "N1 G17 G40 G80 G90", "N2 M30", kKonvertiert}, {});
}

// The measuring pass's question answered "Ja": the cycle step writes the stop line and the
// pass's end writes it again; no conversion pass follows.
TEST_F(Zyklen, TheTooLongQuestionAnsweredYesWritesTheStopLineTwice) {
  Teileprogramm({"N10 G90 G00 X10 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G03 X-10 Y0 I-10 J0 H'AAAAAA' L10",
                 "N40 G80", "N50 M30"});
  host.Antworten = {"Ja"};
  EXPECT_FALSE(WandlungDurchfuehren());
  ErwarteDatei("TEIL.CVT", {kAbbruch, kAbbruch});
}

// The image-information command leaves the target of the last run where it stood.
TEST_F(Zyklen, TheImageInformationCommandLeavesTheTargetAlone) {
  toolkit::SaveBitmapFile(toolkit::TBitmap(2, 2), dir.file("BILD.BMP"));
  Teileprogramm({"N10 G90 G00 X0 Y10 Z5", "N20 G189 R2=2", "N30 X10 Y0 P'BILD.BMP'", "N40 G80", "N50 M30"});
  host.Antworten = {"OK", "Ja"};
  EXPECT_TRUE(VelkorWinINTR::BildinformationDurchfuehren());
  EXPECT_EQ(dir.read("TEIL.CVT"), "OLD\r\n");
  EXPECT_FALSE(dir.exists("TEIL.SAV"));
  EXPECT_NE(std::find(host.Protokoll.begin(), host.Protokoll.end(), "image info: colour"), host.Protokoll.end());
  EXPECT_FALSE(VelkorWinINTR::Informationslauf);
}

TEST_F(Zyklen, TheImageInformationRunAloneLeavesTheTargetAlone) {
  toolkit::SaveBitmapFile(toolkit::TBitmap(2, 2), dir.file("BILD.BMP"));
  Teileprogramm({"N10 G90 G00 X0 Y10 Z5", "N20 G189 R2=2", "N30 X10 Y0 P'BILD.BMP'", "N40 G80", "N50 M30"});
  StarteWandlung(TInterpretermodus::Bildinfo, TeileprogrammListe);
  EXPECT_EQ(dir.read("TEIL.CVT"), "OLD\r\n");
  EXPECT_FALSE(dir.exists("TEIL.SAV"));
}

TEST_F(Zyklen, WithoutAnImageNameTheInformationCommandSaysSo) {
  Teileprogramm({"N10 G00 X0", "N20 M30"});
  EXPECT_FALSE(VelkorWinINTR::BildinformationDurchfuehren());
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: Kein Bilddateiname in der Quelldatei gefunden!"});
  EXPECT_EQ(dir.read("TEIL.CVT"), "OLD\r\n");
}

// A 30 degree arc of radius 10 written with three decimals ends 0.00022 mm inside the
// circle: it is engraved (its question about the text's length answered "Nein").
TEST_F(Zyklen, AnArcEndPointRoundedIntoTheCircleIsTaken) {
  Teileprogramm({"N10 G90 G00 X10 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G03 X8.660 Y5.000 I-10 J0 H'A' L10",
                 "N40 G80", "N50 M30"});
  host.Antworten = {"Nein"};
  EXPECT_TRUE(WandlungDurchfuehren());
  ASSERT_EQ(host.Protokoll.size(), 1u);
  EXPECT_EQ(host.Protokoll[0].rfind("confirm: Der Gravurtext", 0), 0u) << host.Protokoll[0];
  EXPECT_TRUE(Enthaelt("(Gravurtext: \"A\" )"));
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

}  // namespace

namespace {

// Mirrored text of two characters: the second stands mirrored beyond the first, so the
// move to its first stroke lies on the mirrored side of the start point.
TEST_F(Zyklen, MirroredTextAdvancesMirrored) {
  KonfigBlock.Spiegelschrift = true;
  Teileprogramm({"N10 G90 G00 X0 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", "N30 G01 X20 Y0 H'AB' L10", "N40 G80", "N50 M30"});
  EXPECT_TRUE(WandlungDurchfuehren());
  // B's origin: -(-(13) + 0), thirteen units beyond A's, mirrored with the strokes.
  EXPECT_EQ(Nach("(aktuelles Zeichen: B)", 2), (std::vector<std::string>{"N7 G00 X 13.000 Y -6.017", "N8 G00 Z 2.000"}));
}

}  // namespace

namespace {

struct MFall {
  int m;
  bool bekannt;
};

class MWorte : public Zyklen, public ::testing::WithParamInterface<MFall> {};

// M0 (in its own test), M1, M3, M7 and M30 are known; every other number stops the run.
TEST_P(MWorte, AreKnownOrStopTheRun) {
  const std::string m = "M" + std::to_string(GetParam().m);
  Teileprogramm({"N10 G00 X0 " + m, "N20 M30"});
  EXPECT_EQ(WandlungDurchfuehren(), GetParam().bekannt);
  if (GetParam().bekannt) {
    Erwarte({kKonvertiert, "N1 G00 X0 " + m, "N2 M30", kKonvertiert}, {});
  } else {
    EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: " + std::to_string(GetParam().m) + " : unbekannter M-Befehl!"});
  }
}

INSTANTIATE_TEST_SUITE_P(All, MWorte,
                         ::testing::Values(MFall{1, true}, MFall{3, true}, MFall{7, true}, MFall{2, false},
                                           MFall{5, false}, MFall{6, false}, MFall{8, false}, MFall{31, false}),
                         [](const auto& info) { return "M" + std::to_string(info.param.m); });

class Satzlaenge : public Zyklen, public ::testing::WithParamInterface<std::size_t> {};

// A block of 240 characters is taken, one of 241 stops the pass with the notice.
TEST_P(Satzlaenge, OfAtMost240CharactersIsTaken) {
  const std::string block = "N10 G00 X0 (" + std::string(GetParam() - 13, 'K') + ")";
  ASSERT_EQ(block.size(), GetParam());
  Teileprogramm({block, "N20 M30"});
  const bool genommen = GetParam() <= 240;
  EXPECT_EQ(WandlungDurchfuehren(), genommen);
  if (genommen) {
    Erwarte({kKonvertiert, "N1" + block.substr(3), "N2 M30", kKonvertiert}, {});
  } else {
    EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: NC-Satz zu lang! Maximal 240 Zeichen! "});
  }
}

INSTANTIATE_TEST_SUITE_P(All, Satzlaenge, ::testing::Values(239u, 240u, 241u, 242u));

}  // namespace
