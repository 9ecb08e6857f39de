// The NC output: numbering, direct and buffered writing, backups and failures.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>

#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinVAR.h"
#include "support/EngineFixture.h"

using namespace VelkorWinFileUtils;
using VelkorWinVAR::Abbruch;
using VelkorWinVAR::KonfigBlock;

namespace {

class NcAusgabe : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    KonfigBlock.Zieldateiname = "T.CVT";
  }
  std::string Numeriert(std::string satz) {
    SatznummerSetzen(satz, Satznummer, KonfigBlock.SatznummernInkrement);
    return satz;
  }
};

TEST_F(NcAusgabe, BlocksAreRenumberedInSequence) {
  EXPECT_EQ(Numeriert("N10 G01 X5"), "N1 G01 X5");
  EXPECT_EQ(Numeriert("N 20  M30"), "N2 M30");
  EXPECT_EQ(Numeriert("G00 X1"), "N3 G00 X1");
  EXPECT_EQ(Numeriert(""), "");
  EXPECT_EQ(Satznummer, 3);
  KonfigBlock.SatznummernInkrement = 10;
  Satznummer = 0;
  EXPECT_EQ(Numeriert("G00"), "N10 G00");
  EXPECT_EQ(Numeriert("G00"), "N20 G00");
  KonfigBlock.MitSatznummern = false;
  EXPECT_EQ(Numeriert("N10 G01 X5"), "G01 X5");
  EXPECT_EQ(Satznummer, 20);
  EXPECT_TRUE(host.Protokoll.empty());
  EXPECT_FALSE(Abbruch);
}

TEST_F(NcAusgabe, AnNAfterTheStartIsAFormatError) {
  EXPECT_EQ(Numeriert("G01 X10 (ENDE)"), "N1 ");
  EXPECT_TRUE(Abbruch);
  KonfigBlock.MitSatznummern = false;
  EXPECT_EQ(Numeriert("G01 X10 (ENDE)"), "");
  EXPECT_EQ(host.Protokoll, std::vector<std::string>(2, "notice: Satznummeradresse N: Fehler im Satzformat!"));
}

TEST_F(NcAusgabe, TheBlockCounterNeverOverflows) {
  Satznummer = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(Numeriert("N5 G00"), "G00");
  EXPECT_EQ(Satznummer, std::numeric_limits<std::int32_t>::max());
  EXPECT_TRUE(Abbruch);
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: Integerüberlauf"});
}

TEST_F(NcAusgabe, DirectWritingAppendsEachNonEmptyLine) {
  dir.write("T.CVT", "OLD\r\n");
  for (const char* zeile : {"A", "", "B"}) NcSatzSchreiben("T.CVT", zeile);
  EXPECT_EQ(dir.read("T.CVT"), "OLD\r\nA\r\nB\r\n");
  EXPECT_EQ(host.ProcessEventsAufrufe, 3);
}

TEST_F(NcAusgabe, FailedOpensAreRetriedThenTheUserIsAsked) {
  int versuche = 0;
  Pruefnaht.OeffnenFehler = [&](const std::string&) { return ++versuche <= 5 ? 5 : 0; };
  host.Antworten = {"Nein", "Nein"};
  NcSatzSchreiben("T.CVT", "N1 G00 X0");
  const std::string frage = "confirm: Fehler Nr.: 5 beim Speichern in T.CVT Abbrechen (J/N)?\r\rNc-Satz: N1 G00 X0";
  std::vector<std::string> erwartet;
  for (int i = 0; i < 4; ++i) erwartet.insert(erwartet.end(), {"tone: 1000 100", "wait: 15"});
  erwartet.push_back(frage + " -> Nein");
  erwartet.insert(erwartet.end(), {"tone: 1000 100", "wait: 15", frage + " -> Nein"});
  EXPECT_EQ(host.Protokoll, erwartet);
  EXPECT_EQ(dir.read("T.CVT"), "N1 G00 X0\r\n");
  EXPECT_FALSE(Abbruch);
}

TEST_F(NcAusgabe, YesToTheQuestionStopsTheRunWithoutTheLine) {
  Pruefnaht.OeffnenFehler = [](const std::string&) { return 5; };
  host.Antworten = {"Ja"};
  NcSatzSchreiben("T.CVT", "N1 G00 X0");
  EXPECT_TRUE(Abbruch);
  EXPECT_FALSE(dir.exists("T.CVT"));
  EXPECT_EQ(host.Protokoll.size(), 9u);
}

TEST_F(NcAusgabe, AStopRequestDuringTheRetriesEndsThemWithoutAQuestion) {
  Pruefnaht.OeffnenFehler = [](const std::string&) { return 5; };
  host.AbbruchBeiProcessEvents(3);  // the first is the writer's own, then one per wait
  NcSatzSchreiben("T.CVT", "N1 G00 X0");
  EXPECT_TRUE(Abbruch);
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"tone: 1000 100", "wait: 15", "tone: 1000 100", "wait: 15"}));
  EXPECT_FALSE(dir.exists("T.CVT"));
}

// A line that cannot be written (a full disk) goes the way of a file that cannot be opened:
// three tries with a tone, then the question at every further failure. What reached the file
// of the line is taken back, so the file never ends inside a line; after "Ja" the file gets
// no further line of the pass, so the question comes once.
struct SchreibFall {
  const char* name;
  bool imLauf;        // inside a pass, its target held open
  int fehlschlaege;   // failed writes before one goes through (-1: every one fails)
  std::size_t teil;   // bytes of the line that reach the file before it fails
  std::vector<std::string> antworten;
  std::string datei;  // the file afterwards
  bool abbruch;
};
class Schreibfehler : public NcAusgabe, public ::testing::WithParamInterface<SchreibFall> {};

TEST_P(Schreibfehler, AreRetriedAskedOnceAndNeverLeaveHalfALine) {
  const SchreibFall& f = GetParam();
  std::optional<TZielOffen> offen;
  if (f.imLauf) offen.emplace();
  NcSatzSchreiben("T.CVT", "N1 G00 X0");
  int versuche = 0;
  Pruefnaht.SchreibFehler = [&](const std::string&, std::size_t, std::size_t& teil) {
    teil = f.teil;
    return f.fehlschlaege < 0 || ++versuche <= f.fehlschlaege ? ENOSPC : 0;
  };
  host.Antworten = {f.antworten.begin(), f.antworten.end()};
  NcSatzSchreiben("T.CVT", "N2 G01 X10");
  NcSatzSchreiben("T.CVT", "Wandlung abgebrochen!");
  const std::string frage =
      "confirm: Fehler Nr.: 28 beim Speichern in T.CVT Abbrechen (J/N)?\r\rNc-Satz: N2 G01 X10 -> ";
  std::vector<std::string> erwartet;
  for (int i = 0; i < 3 + static_cast<int>(f.antworten.size()); ++i) {
    erwartet.insert(erwartet.end(), {"tone: 1000 100", "wait: 15"});
    if (i >= 3) erwartet.push_back(frage + f.antworten[static_cast<std::size_t>(i - 3)]);
  }
  EXPECT_EQ(host.Protokoll, erwartet);
  EXPECT_EQ(dir.read("T.CVT"), f.datei);
  EXPECT_EQ(Abbruch, f.abbruch);
}

const SchreibFall kSchreibfaelle[] = {
    {"FullDiskYesStops", false, -1, 4, {"Ja"}, "N1 G00 X0\r\n", true},
    {"FullDiskInAPassYesStops", true, -1, 7, {"Ja"}, "N1 G00 X0\r\n", true},
    {"NoTriesAgainUntilItFits", false, 5, 3, {"Nein", "Nein"}, "N1 G00 X0\r\nN2 G01 X10\r\nWandlung abgebrochen!\r\n", false},
    {"ThreeSilentTriesInAPass", true, 3, 9, {}, "N1 G00 X0\r\nN2 G01 X10\r\nWandlung abgebrochen!\r\n", false},
};
INSTANTIATE_TEST_SUITE_P(All, Schreibfehler, ::testing::ValuesIn(kSchreibfaelle),
                         [](const auto& info) { return std::string(info.param.name); });

// The real device that is always full: the same question, with the system's code.
TEST_F(NcAusgabe, AFullDeviceAsksWithTheSystemsCode) {
  host.Antworten = {"Ja"};
  NcSatzSchreiben("/dev/full", "N1 G00 X0");
  EXPECT_TRUE(Abbruch);
  ASSERT_EQ(host.Protokoll.size(), 9u);
  EXPECT_EQ(host.Protokoll[8],
            "confirm: Fehler Nr.: 28 beim Speichern in /dev/full Abbrechen (J/N)?\r\rNc-Satz: N1 G00 X0 -> Ja");
}

TEST_F(NcAusgabe, ATargetThatCouldNotBeMovedAsideIsNeverAppendedTo) {
  dir.write("T.CVT", "OLD\r\n");
  GesperrteZieldatei = "T.CVT";
  NcSatzSchreiben("T.CVT", "Wandlung abgebrochen!");
  EXPECT_EQ(dir.read("T.CVT"), "OLD\r\n");
}

// Buffered lines are saved once, with a backup, to the target of the run that wrote them,
// whatever target stands when they are saved; a line for another target, written outside
// their run, goes straight to its own file.
TEST_F(NcAusgabe, BufferedLinesAreSavedOnceWithABackupToTheirOwnTarget) {
  KonfigBlock.DirektSpeichern = false;
  KonfigBlock.Zieldateiname = "T.CVT";
  for (const char* zeile : {"L1", "", "L2", "L3"}) NcSatzSchreiben("T.CVT", zeile);
  EXPECT_FALSE(dir.exists("T.CVT"));
  EXPECT_EQ(std::tuple(NcSatzPuffer.Zeilen(), NcSatzPuffer.Ziel()),
            std::tuple(VelkorWinVAR::TNcZeilen{"L1", "L2", "L3"}, "T.CVT"));
  KonfigBlock.Zieldateiname = "DREI.CVT";
  NcSatzSchreiben("DREI.CVT", "Wandlung abgebrochen!");
  dir.write("T.CVT", "OLD\r\n");
  host.Antworten = {"Ja"};
  EXPECT_TRUE(NcPufferSichern());
  EXPECT_EQ(std::tuple(dir.read("T.BAK"), dir.read("T.CVT"), dir.read("DREI.CVT")),
            std::tuple("OLD\r\n", "L1\r\nL2\r\nL3\r\n", "Wandlung abgebrochen!\r\n"));
  EXPECT_TRUE(NcSatzPuffer.empty());
  EXPECT_TRUE(NcPufferAusgeben(NcSatzPuffer));  // nothing to save, nothing written
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

TEST_F(NcAusgabe, ABufferThatCannotBeSavedStaysInMemory) {
  testsupport::GepufferteSaetze({"L1", "L2"}, "fehlt/T.CVT");
  EXPECT_FALSE(NcPufferAusgeben(NcSatzPuffer));
  EXPECT_EQ(NcSatzPuffer.size(), 2u);
  ASSERT_EQ(host.Protokoll.size(), 2u);
  EXPECT_EQ(host.Protokoll[0], "tone: 440 200");
  EXPECT_EQ(host.Protokoll[1].rfind("notice: Fehler beim Speichern in fehlt/T.CVT: ", 0), 0u);
}

// A pass keeps its target open: one open for all its lines, and after every line the file
// holds every line written so far. A backup or a line to another file closes it; after the
// pass every line opens the file again.
TEST_F(NcAusgabe, APassOpensItsTargetOnceAndEveryLineIsInTheFileAtOnce) {
  int oeffnungen = 0;
  Pruefnaht.OeffnenFehler = [&](const std::string&) { return ++oeffnungen, 0; };
  dir.write("T.CVT", "OLD\r\n");
  std::string erwartet = "OLD\r\n";
  {
    const TZielOffen offen;
    for (const char* zeile : {"A", "", "B", "C"}) {
      NcSatzSchreiben("T.CVT", zeile);
      if (*zeile) erwartet += std::string(zeile) + "\r\n";
      EXPECT_EQ(dir.read("T.CVT"), erwartet) << zeile;
    }
    EXPECT_EQ(oeffnungen, 1);
    EXPECT_TRUE(SavDateiAnlegen("T.CVT"));
    NcSatzSchreiben("T.CVT", "D");
    NcSatzSchreiben("U.CVT", "E");  // another file: the pass's handle follows it
    NcSatzSchreiben("T.CVT", "F");
    EXPECT_EQ(oeffnungen, 4);
  }
  EXPECT_EQ(dir.read("T.SAV"), erwartet);
  EXPECT_EQ(dir.read("T.CVT"), "D\r\nF\r\n");
  EXPECT_EQ(dir.read("U.CVT"), "E\r\n");
  std::filesystem::remove(dir.path() / "T.CVT");
  NcSatzSchreiben("T.CVT", "G");
  EXPECT_EQ(dir.read("T.CVT"), "G\r\n");
  EXPECT_EQ(oeffnungen, 5);
  EXPECT_TRUE(host.Protokoll.empty());
}

TEST_F(NcAusgabe, InAPassTheOpenIsRetriedAndAskedOnceThenHeld) {
  int versuche = 0;
  Pruefnaht.OeffnenFehler = [&](const std::string&) { return ++versuche <= 4 ? 5 : 0; };
  host.Antworten = {"Nein"};
  const TZielOffen offen;
  NcSatzSchreiben("T.CVT", "N1 G00 X0");
  NcSatzSchreiben("T.CVT", "N2 G00 X1");
  EXPECT_EQ(versuche, 5);
  EXPECT_EQ(host.Protokoll.size(), 9u);
  EXPECT_EQ(dir.read("T.CVT"), "N1 G00 X0\r\nN2 G00 X1\r\n");
  EXPECT_FALSE(Abbruch);
}

// The buffer holds its lines in little more memory than the file they make: counted by
// the allocator itself where it can tell (not under the address sanitizer).
TEST_F(NcAusgabe, TheBufferHoldsItsLinesInAtMostOneAndAHalfTimesTheirBytes) {
  KonfigBlock.DirektSpeichern = false;
  const auto belegt = [] { return static_cast<long long>(mallinfo2().uordblks); };
  const long long vorher = belegt();
  char satz[64];
  for (int i = 0; i < 200000; ++i) {
    std::snprintf(satz, sizeof satz, "N%d G01 X%.3f Y%.3f Z-1.500", i + 1, (i % 997) * 0.1, (i / 997) * 0.2);
    NcSatzSchreiben("T.CVT", satz);
  }
  [[maybe_unused]] const long long zuwachs = belegt() - vorher;  // not measured under the sanitizer
  const auto bytes = static_cast<double>(NcSatzPuffer.Bytes());
  EXPECT_EQ(NcSatzPuffer.size(), 200000u);
  EXPECT_LE(static_cast<double>(NcSatzPuffer.Belegt()), 1.5 * bytes);
#if !defined(__SANITIZE_ADDRESS__)
  EXPECT_LE(static_cast<double>(zuwachs), 1.5 * bytes);
#endif
  EXPECT_TRUE(NcPufferAusgeben(NcSatzPuffer));
  EXPECT_EQ(static_cast<double>(std::filesystem::file_size(dir.path() / "T.CVT")), bytes);
}

TEST_F(NcAusgabe, BufferedLinesOfEveryLengthComeBackAsWritten) {
  std::vector<std::string> zeilen;
  for (std::size_t n = 1; n < 3000; n += 7) zeilen.emplace_back(n, static_cast<char>('A' + n % 26));
  zeilen.emplace_back("CR\rIN DER MITTE");
  for (const auto& z : zeilen) NcSatzPuffer.push_back(z);
  EXPECT_EQ(NcSatzPuffer.Zeilen(), zeilen);
  std::string text;
  for (const auto& z : zeilen) text += z + "\r\n";
  std::string zusammen;
  for (const auto teil : NcSatzPuffer.Abschnitte()) zusammen += teil;
  EXPECT_EQ(zusammen, text);
  EXPECT_EQ(NcSatzPuffer.Bytes(), text.size());
  NcPufferFreigeben(NcSatzPuffer);
  EXPECT_TRUE(NcSatzPuffer.empty());
  EXPECT_EQ(NcSatzPuffer.Belegt(), 0u);
}

TEST_F(NcAusgabe, RunningOutOfMemoryWritesEveryLineOnceInOrder) {
  KonfigBlock.DirektSpeichern = false;
  int knoten = 0;
  Pruefnaht.PufferSpeicherFrei = [&] { return ++knoten < 3; };
  for (const char* zeile : {"L1", "L2", "L3", "L4", "L5"}) NcSatzSchreiben("T.CVT", zeile);
  EXPECT_EQ(dir.read("T.CVT"), "L1\r\nL2\r\nL3\r\nL4\r\nL5\r\n");
  EXPECT_TRUE(KonfigBlock.DirektSpeichern);
  EXPECT_TRUE(NcSatzPuffer.empty());
  EXPECT_EQ(host.Protokoll, std::vector<std::string>{"notice: Nicht genügend Heapspeicher!"});
}

struct SicherungsFall {
  const char* name;
  std::string datei, sav;
};
class Sicherungsname : public NcAusgabe, public ::testing::WithParamInterface<SicherungsFall> {};

TEST_P(Sicherungsname, StaysBesideTheFile) { EXPECT_EQ(SicherungsName(GetParam().datei, "SAV"), GetParam().sav); }

const SicherungsFall kSicherungen[] = {
    {"Plain", "PROG.CVT", "PROG.SAV"},
    {"PointInDirectory", "/a/t.1/PROG.CVT", "/a/t.1/PROG.SAV"},
    {"RelativeDirectory", "../x/PROG.CVT", "../x/PROG.SAV"},
    {"Backslashes", "C:\\TEIL.1\\PROG.CNC", "C:\\TEIL.1\\PROG.SAV"},
    {"TwoPoints", "PROG.TAR.CVT", "PROG.SAV"},
    {"NoPoint", "PROG", "PROG.SAV"},
    {"NoPointInDirectory", "/home/u/.nc/PROG", "/home/u/.nc/PROG.SAV"},
};
INSTANTIATE_TEST_SUITE_P(All, Sicherungsname, ::testing::ValuesIn(kSicherungen),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NcAusgabe, ABackupReplacesTheOlderOne) {
  std::filesystem::create_directory(dir.path() / "t.1");
  dir.write("t.1/PROG.CVT", "NEW");
  dir.write("t.1/PROG.SAV", "OLD");
  dir.write("t.SAV", "FREMD");
  EXPECT_TRUE(SavDateiAnlegen(dir.file("t.1/PROG.CVT")));
  EXPECT_EQ(dir.read("t.1/PROG.SAV"), "NEW");
  EXPECT_FALSE(dir.exists("t.1/PROG.CVT"));
  EXPECT_EQ(dir.read("t.SAV"), "FREMD");
  EXPECT_TRUE(BakDateiAnlegen("FEHLT.CVT"));
  EXPECT_TRUE(host.Protokoll.empty());
}

TEST_F(NcAusgabe, ABackupThatCannotBeMadeIsReported) {
  dir.write("PROG.CVT", "NEW");
  std::filesystem::create_directory(dir.path() / "PROG.BAK");
  std::filesystem::create_directory(dir.path() / "ORDNER.CVT");
  dir.write("T.SAV", "SAV");
  EXPECT_FALSE(BakDateiAnlegen("PROG.CVT"));
  EXPECT_TRUE(SavDateiAnlegen("ORDNER.CVT"));  // a directory is no file to back up
  EXPECT_FALSE(SavDateiAnlegen("T.SAV"));      // it would be its own backup
  EXPECT_EQ(dir.read("PROG.CVT"), "NEW");
  EXPECT_EQ(dir.read("T.SAV"), "SAV");
  EXPECT_EQ(host.Protokoll, (std::vector<std::string>{"notice: Fehler beim Anlegen der BAK-Datei!",
                                                       "notice: Fehler beim Anlegen der SAV-Datei!"}));
  EXPECT_FALSE(DateiExistiert(""));
  EXPECT_FALSE(DateiExistiert("ORDNER.CVT"));
}

}  // namespace
