// Engraving with real fonts and with broken ones, through the whole interpreter: the
// Hershey fonts of the program (and two converted while the test runs) engrave a text on
// a line and on an arc; random, cut and damaged font files must end every run cleanly.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>

#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "support/EngineFixture.h"
#include "support/FontBuilder.h"
#include "toolkit/FileUtil.h"
#include "toolkit/LineFile.h"
#include "toolkit/Text.h"

using namespace VelkorWinVAR;
using VelkorWinINTR::WandlungDurchfuehren;

namespace {

namespace fs = std::filesystem;

const fs::path kFonts = fs::path(VELKOR_TEST_DATA).parent_path().parent_path() / "fonts";
const fs::path kHershey = "/usr/share/hershey-fonts";

// The tool's path as the target's motion blocks give it, from the point of the first block.
struct Bewegung {
  bool eilgang = false;
  TPunkt3D von, nach;
};

// The motion blocks of NC lines (one word each for the axes that change); nullopt with a
// failure when a word does not hold a finite number.
std::optional<std::vector<Bewegung>> Bewegungen(const std::vector<std::string>& zeilen) {
  std::vector<Bewegung> bahn;
  TPunkt3D p;
  for (const std::string& zeile : zeilen) {
    const auto g = zeile.find(" G0");
    if (zeile.empty() || zeile[0] != 'N' || g == std::string::npos) continue;
    Bewegung b{zeile.compare(g, 4, " G00") == 0, p, p};
    for (std::size_t i = g + 4; i < zeile.size(); ++i) {
      const char achse = zeile[i];
      if (achse != 'X' && achse != 'Y' && achse != 'Z') continue;
      const char* anfang = zeile.c_str() + i + 1;
      char* ende = nullptr;
      const double wert = std::strtod(anfang, &ende);
      if (ende == anfang || !std::isfinite(wert)) {
        ADD_FAILURE() << "not a finite number: " << zeile;
        return std::nullopt;
      }
      (achse == 'X' ? b.nach.X : achse == 'Y' ? b.nach.Y : b.nach.Z) = wert;
    }
    bahn.push_back(b);
    p = b.nach;
  }
  return bahn;
}

class Schriften : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    VelkorWinWkz::WkzListe.push_back({1, "Stichel", 0, 0, 1.0});
    KonfigBlock.Gravurzeichensatz = "F.FNT";
  }

  void Text(const std::string& textsatz, const std::string& start) {
    Teileprogramm({"N10 G90 G00 " + start + " Z5 T1", "N20 G89 R2=2 R3=-0.2", textsatz, "N40 G80", "N50 M30"});
  }
};

// ---- Hershey fonts ------------------------------------------------------------------------

struct Schriftquelle {
  const char* name;
  fs::path datei;         // a font of the program
  const char* jhf = "";   // or a Hershey font converted for the test
};

const Schriftquelle kQuellen[] = {
    {"Romans", kFonts / "ROMANS.FNT"},
    {"Scripts", kFonts / "SCRIPTS.FNT"},
    {"Futural", {}, "futural.jhf"},
    {"Timesr", {}, "timesr.jhf"},
};

struct Anordnung {
  const char* satz;
  const char* start;
  // True when the point lies where text of height 10 (and its descenders) can reach.
  bool (*imBereich)(const TPunkt3D&);
};

const Anordnung kAnordnungen[] = {
    // From (0, 0) to (200, 0).
    {"N30 G01 X200 Y0 H'Velkor Gravur ÄÖÜäöüß 0123456789!' L10", "X0 Y0",
     [](const TPunkt3D& p) { return p.X >= -5 && p.X <= 215 && p.Y >= -8 && p.Y <= 16; }},
    // Clockwise over the upper half circle of radius 100 about the origin.
    {"N30 G02 X100 Y0 I100 J0 H'Velkor Gravur ÄÖÜäöüß 0123456789!' L10", "X-100 Y0",
     [](const TPunkt3D& p) { return std::hypot(p.X, p.Y) <= 118 && std::hypot(p.X, p.Y) >= 90 && p.Y >= -18; }},
};

class Hershey : public Schriften, public ::testing::WithParamInterface<std::tuple<Schriftquelle, Anordnung>> {};

TEST_P(Hershey, EngravesWithinTheTextsAreaAndEndsWithTheToolUp) {
  const auto& [quelle, anordnung] = GetParam();
  if (*quelle.jhf) {
    if (!fs::exists(kHershey / quelle.jhf)) GTEST_SKIP() << "hershey-fonts-data is not installed";
    const std::string befehl = std::string(VELKOR_BINARY_DIR) + "/tools/hershey2fnt '" +
                               (kHershey / quelle.jhf).string() + "' F.FNT >/dev/null";
    const int status = std::system(befehl.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << befehl;
  } else {
    fs::copy_file(quelle.datei, dir.path() / "F.FNT");
  }
  Text(anordnung.satz, anordnung.start);
  ASSERT_TRUE(WandlungDurchfuehren());
  EXPECT_TRUE(host.Protokoll.empty());

  const auto zeilen = Zeilen();
  EXPECT_EQ(zeilen.back(), "(Konvertiert: 07.12.2025 9:05)");
  const auto bahn = Bewegungen(zeilen);
  ASSERT_TRUE(bahn && bahn->size() > 100);
  const Bewegung& rueckweg = bahn->back();  // G80 back to the cycle's start point
  EXPECT_EQ(rueckweg.von.Z, 5.0) << "the tool is lifted before the return";
  EXPECT_TRUE(rueckweg.eilgang);
  const double tol = 0.001;  // the written values are rounded to three decimals
  for (std::size_t i = 1; i + 1 < bahn->size(); ++i) {
    const Bewegung& b = (*bahn)[i];
    SCOPED_TRACE("move " + std::to_string(i));
    EXPECT_TRUE(anordnung.imBereich(b.nach));
    EXPECT_TRUE(b.nach.Z == 5.0 || b.nach.Z == 2.0 || b.nach.Z == -0.2);
    if (b.eilgang && (b.von.X != b.nach.X || b.von.Y != b.nach.Y)) {
      EXPECT_EQ(b.von.Z, 5.0) << "a rapid move across the work";
    }
    EXPECT_GE(b.nach.X, Fraesbereich.Links - tol);
    EXPECT_LE(b.nach.X, Fraesbereich.Rechts + tol);
    EXPECT_GE(b.nach.Y, Fraesbereich.Unten - tol);
    EXPECT_LE(b.nach.Y, Fraesbereich.Oben + tol);
  }
}

INSTANTIATE_TEST_SUITE_P(Schrift, Hershey,
                         ::testing::Combine(::testing::ValuesIn(kQuellen), ::testing::ValuesIn(kAnordnungen)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param).satz[6] == '1' ? "Line" : "Arc");
                         });

// ---- Random, cut and damaged fonts -------------------------------------------------------

std::string Datei(const fs::path& pfad) {
  std::string bytes;
  EXPECT_TRUE(toolkit::ReadFileText(pfad.string(), bytes));
  return bytes;
}

TEST_F(Schriften, RandomCutAndDamagedFontsEndEveryRunCleanly) {
  KonfigBlock.DirektSpeichern = false;  // the lines stay in memory, to be checked
  std::mt19937 zufall(20251207);
  auto zahl = [&](int bis) { return std::uniform_int_distribution<int>(0, bis)(zufall); };

  const std::string ab = testsupport::TestFontAB().Bytes();
  const std::string romans = Datei(kFonts / "ROMANS.FNT");
  std::vector<std::string> fonts;
  for (std::size_t n = 0; n <= ab.size(); ++n) fonts.push_back(ab.substr(0, n));
  for (std::size_t n = 0; n < romans.size(); n += romans.size() / 40) fonts.push_back(romans.substr(0, n));
  for (int i = 0; i < 120; ++i) {
    std::string f = romans;
    for (int k = zahl(7); k >= 0; --k) f[zahl(static_cast<int>(f.size()) - 1)] = static_cast<char>(zahl(255));
    fonts.push_back(f);
  }
  for (int i = 0; i < 60; ++i) {
    std::string f(zahl(3000), '\0');
    for (char& c : f) c = static_cast<char>(zahl(255));
    if (!f.empty()) f[zahl(std::min<int>(127, static_cast<int>(f.size()) - 1))] = '\x1A';
    fonts.push_back(f);
  }

  const std::string erlaubt[] = {"notice: Fehler beim Laden des Zeichensatzes!",
                                 "notice: F.FNT nicht im erwarteten Format!",
                                 "confirm: Der Gravurtext ist für den programmierten Kreisbogen zu lang!"};
  for (std::size_t lauf = 0; lauf < fonts.size(); ++lauf) {
    SCOPED_TRACE("font " + std::to_string(lauf));
    dir.write("F.FNT", fonts[lauf]);
    std::string text;
    for (int k = zahl(29); k >= 0; --k) {
      const char c = static_cast<char>(1 + zahl(254));
      text += c == '\'' ? 'x' : c;
    }
    const std::string satz = lauf % 2 ? "N30 G03 X-30 Y0 I-30 J0 H'" : "N30 G01 X80 Y0 H'";
    Teileprogramm({"N10 G90 G00 X30 Y0 Z5 T1", "N20 G89 R2=2 R3=-0.2", toolkit::Cp1252ToUtf8(satz + text + "' L10"),
                   "N40 G80", "N50 M30"});
    host.Protokoll.clear();
    host.Antworten = {"Nein"};
    const bool beendet = WandlungDurchfuehren();

    for (const auto& zeile : host.Protokoll) {
      EXPECT_TRUE(std::any_of(std::begin(erlaubt), std::end(erlaubt),
                              [&](const std::string& e) { return zeile.rfind(e, 0) == 0; }))
          << zeile;
    }
    std::vector<std::string> ausgabe;
    for (const auto& zeile : VelkorWinFileUtils::NcSatzPuffer) ausgabe.push_back(toolkit::Cp1252ToUtf8(zeile));
    VelkorWinFileUtils::NcPufferFreigeben(VelkorWinFileUtils::NcSatzPuffer);
    ASSERT_FALSE(ausgabe.empty());
    EXPECT_EQ(ausgabe.back(), beendet ? "(Konvertiert: 07.12.2025 9:05)" : "Wandlung abgebrochen!");
    const auto bahn = Bewegungen(ausgabe);
    ASSERT_TRUE(bahn);
    for (const Bewegung& b : *bahn) EXPECT_TRUE(b.nach.Z == 5.0 || b.nach.Z == 2.0 || b.nach.Z == -0.2);
    if (beendet) {
      EXPECT_EQ(bahn->back().nach, (TPunkt3D{30, 0, 5}));
    }
  }
}

}  // namespace
