// The settings file: its byte layout, loading, saving and what a bad file does.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <utility>

#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinVAR.h"
#include "support/EngineFixture.h"

using namespace VelkorWinVAR;
using VelkorWinCNF::KonfigurationLaden;
using VelkorWinCNF::KonfigurationSpeichern;

namespace {

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int c : b) s += static_cast<char>(c);
  return s;
}

// The gap bytes of the layout (alignment gaps and the gaps inside both tool records).
std::vector<std::pair<int, int>> Luecken() {
  std::vector<std::pair<int, int>> l = {{34, 35},     {57, 59},     {82, 83},     {109, 115},   {138, 139},
                                        {165, 171},   {173, 175},   {177, 179},   {261, 263},   {265, 267},
                                        {330, 331},   {334, 335},   {338, 339},   {342, 343},   {346, 347},
                                        {353, 355},   {361, 363},   {369, 371},   {657, 659},   {2210, 2211}};
  for (int b = 301; b <= 325; b += 4) l.push_back({b, b + 2});
  for (int b = 2149; b <= 2201; b += 4) l.push_back({b, b + 2});
  return l;
}

class Konfiguration : public testsupport::EngineFixture {
protected:
  std::string Gespeichert() {
    EXPECT_TRUE(KonfigurationSpeichern("X.CNF"));
    return dir.read("X.CNF");
  }
};

TEST_F(Konfiguration, SavedAtStartEveryFieldStandsAtItsOffset) {
  const std::string f = Gespeichert();
  ASSERT_EQ(f.size(), 2212u);
  const std::pair<int, std::string> erwartet[] = {
      {0, "Velkorquin Konfigurationsdatei \x1A"},
      {60, Bytes({0x00, 0x0D}) + "kein Werkzeug"},
      {116, Bytes({0x00, 0x0D}) + "kein Werkzeug"},
      {180, Bytes({0, 0, 0, 0, 0, 0, 0x69, 0xC0})},
      {188, Bytes({0, 0, 0, 0, 0, 0xC0, 0x62, 0xC0})},
      {196, Bytes({0, 0, 0, 0, 0, 0, 0x5E, 0xC0})},
      {204, Bytes({0, 0, 0, 0, 0, 0xC0, 0x72, 0x40})},
      {260, Bytes({0x0A, 0, 0, 0, 0x03})},
      {268, Bytes({0, 0, 0, 0, 0, 0, 0x49, 0x40})},
      {300, Bytes({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0})},
      {328, Bytes({0x01, 0, 0, 0, 0x59, 0, 0, 0, 0xBD, 0, 0, 0, 0x51, 0})},
      {348, Bytes({3}) + "G80"},
      {356, Bytes({3}) + "R02"},
      {364, Bytes({3}) + "R03"},
      {628, Bytes({3}) + "CNC" + Bytes({3}) + "CVT" + Bytes({4}) + "Demo"},
      {1172, Bytes({13}) + "VelkorWin.CNF"},
      {1428, Bytes({13}) + "VelkorWkz.DAT"},
      {1684, Bytes({10}) + "Velkor.NOP"},
      {2068, std::string(16, 'F') + std::string(16, 'N')},
      {2132, Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
      {2156, Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0xBF, 0, 0, 0, 0, 0, 0, 0x04, 0xC0})},
      {2176, Bytes({1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 1})},
  };
  for (const auto& [offset, bytes] : erwartet) {
    EXPECT_EQ(f.substr(offset, bytes.size()), bytes) << "at offset " << offset;
  }
  EXPECT_TRUE(KonfigurationLaden("X.CNF"));
  EXPECT_EQ(Gespeichert(), f);
  EXPECT_TRUE(host.Protokoll.empty());
}

TEST_F(Konfiguration, WrongSizesAreRefusedWithTheBlockUnchanged) {
  const std::string gut = Gespeichert();
  KonfigBlock.Gesamtstellen = 7;
  for (const std::size_t groesse : {2211u, 2213u}) {
    std::string f = gut;
    f.resize(groesse, 'x');
    std::memset(f.data() + 260, 12, 1);
    dir.write("X.CNF", f);
    EXPECT_FALSE(KonfigurationLaden("X.CNF"));
    EXPECT_EQ(KonfigBlock.Gesamtstellen, 7);
  }
  const std::string meldung = "notice: Dateigrößenfehler! Die Konfigurationsdatei X.CNF wurde nicht geladen.";
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"beep", meldung, "beep", meldung}));
}

TEST_F(Konfiguration, MissingOrUncreatableFilesAreReportedInTheirOwnWords) {
  KonfigBlock.Gesamtstellen = 7;
  std::filesystem::create_directory(dir.path() / "ORDNER.CNF");
  EXPECT_FALSE(KonfigurationLaden("X.CNF"));
  EXPECT_FALSE(KonfigurationLaden("ORDNER.CNF"));
  EXPECT_FALSE(KonfigurationSpeichern("fehlt/X.CNF"));
  EXPECT_EQ(KonfigBlock.Gesamtstellen, 7);
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"notice: Die Konfigurationsdatei X.CNFwurde nicht geladen.",
                                                       "notice: Die Konfigurationsdatei ORDNER.CNFwurde nicht geladen.",
                                                       "notice: Die Konfigurationsdatei fehlt/X.CNFwurde nicht erzeugt"}));
}

TEST_F(Konfiguration, HeaderAndGapsComeFromTheFileTheReservedFieldsNever) {
  KonfigBlock.Reserviert1 = 0x1234;
  KonfigBlock.Reserviert3 = {1, 2, 3, 4, 5, 6};
  const std::string vorher = Gespeichert();
  std::string f = vorher;
  std::memset(f.data(), 'A', 32);
  std::memset(f.data() + 32, 0xFF, 25);
  std::memset(f.data() + 2204, 0xFF, 6);
  for (const auto& [von, bis] : Luecken()) std::memset(f.data() + von, 0xCC, bis - von + 1);
  dir.write("X.CNF", f);
  ASSERT_TRUE(KonfigurationLaden("X.CNF"));
  EXPECT_EQ(std::string(KonfigBlock.KonfigKennung.data(), 32), std::string(32, 'A'));
  EXPECT_EQ(KonfigBlock.Reserviert1, 0x1234);
  EXPECT_EQ(KonfigBlock.Reserviert3, (std::array<std::uint8_t, 6>{1, 2, 3, 4, 5, 6}));
  const std::string nachher = Gespeichert();
  std::string erwartet = f;
  for (const auto& [von, laenge] : {std::pair{32, 2}, std::pair{36, 21}, std::pair{2204, 6}}) {
    erwartet.replace(von, laenge, vorher.substr(von, laenge));
  }
  EXPECT_EQ(nachher, erwartet);
}

TEST_F(Konfiguration, FieldsAreReadFromTheirOffsets) {
  std::string f = Gespeichert();
  f[300] = 0;
  f[304] = 2;  // any non-zero byte is True, and stays as it was when saved again
  f[328] = 0x0A;
  f[2180] = 0;
  f.replace(636, 4, Bytes({3}) + "ABC");
  const double tiefe = -0.5;
  std::memcpy(f.data() + 1940, &tiefe, 8);
  dir.write("X.CNF", f);
  ASSERT_TRUE(KonfigurationLaden("X.CNF"));
  EXPECT_FALSE(KonfigBlock.MitSatznummern);
  EXPECT_TRUE(KonfigBlock.LeerschritteZwischenAdressen);
  EXPECT_EQ(KonfigBlock.SatznummernInkrement, 10);
  EXPECT_EQ(KonfigBlock.Fraesrichtung, TFraesrichtung::zeilenweise);
  EXPECT_EQ(KonfigBlock.Steuerungsbezeichnung, "ABC");
  EXPECT_EQ(KonfigBlock.Farbtiefe[0], -0.5);
  EXPECT_EQ(Gespeichert(), f);
}

TEST_F(Konfiguration, OverlongLengthBytesAreCutToTheFieldsCapacity) {
  std::string f = Gespeichert();
  f[348] = static_cast<char>(0xFF);
  f[636] = static_cast<char>(0xFF);
  dir.write("X.CNF", f);
  ASSERT_TRUE(KonfigurationLaden("X.CNF"));
  EXPECT_EQ(KonfigBlock.ZyklusendeWort, std::string("G80") + f[352]);
  EXPECT_EQ(KonfigBlock.Steuerungsbezeichnung, f.substr(637, 20));
  EXPECT_EQ(KonfigBlock.SicherheitsabstandWort, "R02");
  EXPECT_EQ(KonfigBlock.Zieldateiname, "");
}

TEST_F(Konfiguration, ASavedFileIsReplacedWhole) {
  dir.write("X.CNF", std::string(5000, 'x'));
  KonfigBlock.Gesamtstellen = 12;
  EXPECT_EQ(Gespeichert().size(), 2212u);
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  KonfigBlock.Gesamtstellen = 10;
  ASSERT_TRUE(KonfigurationLaden("X.CNF"));
  EXPECT_EQ(KonfigBlock.Gesamtstellen, 12);
}

}  // namespace
