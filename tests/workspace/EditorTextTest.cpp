// The NC editor's text work: reading and writing, case mappings, line keys, find, replace
// all, the code entry and the renumbering.
#include <gtest/gtest.h>

#include "qtsupport/DialogSkript.h"
#include "toolkit/Text.h"
#include "workspace/EditorText.h"
#include "workspace/Umnummerieren.h"

using namespace workspace;

namespace {
std::string B(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}
}  // namespace

TEST(EditorTextTest, ReadsEveryLineEndAndBlanksControlCharacters) {
  const TEditorInhalt a = EditorTextLesen(std::string("A\r\nB\nC\rD\0E\x1F\t\x7F", 13));
  EXPECT_EQ(a.Zeilen, (std::vector<std::string>{"A", "B", "C", "D E \t\x7F"}));
  EXPECT_EQ(a.Steuerzeichen, 2u);
  const TEditorInhalt b = EditorTextLesen("G01\r\n" + std::string(10000, 'X') + "\r\n" + std::string(256, 'Y'));
  EXPECT_EQ(b.LangeZeilen, 2u);
  EXPECT_EQ(b.ErsteLange, 2u);
  EXPECT_EQ(b.Zeilen[1].size(), 10000u);
  EXPECT_EQ(EditorTextSchreiben({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(EditorTextSchreiben({}), "");
}

TEST(EditorTextTest, DosMappingBeforeAndFromTheCaret) {
  const std::string zeile = B({0x61, 0x81, 0x84, 0x94, 0x62});
  EXPECT_EQ(ZeileBearbeiten(TZeilenTaste::VorCursorGross, zeile, 2), B({0x41, 0x9A, 0x84, 0x94, 0x62}));
  EXPECT_EQ(ZeileBearbeiten(TZeilenTaste::AbCursorKlein, zeile, 2), zeile);
  EXPECT_EQ(ZeileBearbeiten(TZeilenTaste::AbCursorGross, zeile, 2), B({0x61, 0x81, 0x8E, 0x99, 0x42}));
  EXPECT_EQ(ZeileBearbeiten(TZeilenTaste::VorCursorGross, zeile, 0), zeile);
  EXPECT_EQ(ZeileBearbeiten(TZeilenTaste::AbCursorGross, zeile, 5), zeile);
  EXPECT_EQ(ZeileBearbeiten(TZeilenTaste::VorCursorKlein, B({0x41, 0x9A, 0x8E, 0x99}), 4), B({0x61, 0x81, 0x84, 0x94}));
  EXPECT_EQ(ZeileBearbeiten(TZeilenTaste::VorCursorLoeschen, "G01 X5", 4), "X5");
  EXPECT_EQ(ZeileBearbeiten(TZeilenTaste::AbCursorLoeschen, "G01 X5", 4), "G01 ");
}

TEST(EditorTextTest, SystemMappingKeepsTheLength) {
  const std::string zeile = toolkit::Ansi("g01 äöü ß µ ÿ");
  EXPECT_EQ(ZeileBearbeiten(TZeilenTaste::ZeileGross, zeile, 0), toolkit::Ansi("G01 ÄÖÜ ß µ Ÿ"));
  EXPECT_EQ(AnsiKlein(toolkit::Ansi("G01 ÄÖÜ Ÿ")), toolkit::Ansi("g01 äöü ÿ"));
}

TEST(EditorTextTest, ShiftWinsOverCtrlAndAltStopsTheKeys) {
  EXPECT_EQ(ZeilenTasteFuer(2, true, true, false), TZeilenTaste::ZeileGross);
  EXPECT_EQ(ZeilenTasteFuer(3, false, true, false), TZeilenTaste::VorCursorKlein);
  EXPECT_EQ(ZeilenTasteFuer(5, false, false, false), TZeilenTaste::AuswahlLoeschen);
  EXPECT_EQ(ZeilenTasteFuer(2, false, false, true), std::nullopt);
  EXPECT_EQ(ZeilenTasteFuer(6, false, false, false), std::nullopt);
}

struct Suche {
  const char* text;
  const char* muster;
  bool gross, wort, rueck;
  std::size_t ab, fund;
};
class SuchTest : public ::testing::TestWithParam<Suche> {};

TEST_P(SuchTest, FindsWithTheOptions) {
  const auto& s = GetParam();
  const TSuchtext text(toolkit::Ansi(s.text), {s.gross, s.wort, s.rueck});
  const std::string m = toolkit::Ansi(s.muster);
  EXPECT_EQ(s.rueck ? text.Rueckwaerts(m, s.ab) : text.Vorwaerts(m, s.ab), s.fund);
}

INSTANTIATE_TEST_SUITE_P(
    Optionen, SuchTest,
    ::testing::Values(Suche{"g01 G01 G010", "G01", false, false, false, 0, 0},
                      Suche{"g01 G01 G010", "G01", true, false, false, 0, 4},
                      Suche{"g01 G01 G010", "G01", true, false, false, 5, 8},
                      Suche{"G010 xG01 G01", "G01", false, true, false, 0, 10},
                      Suche{"äÖ ÄÖ", "äö", false, false, false, 1, 3},
                      Suche{"G01 G01 G01", "G01", false, false, true, 8, 4},
                      Suche{"G01 G01 G01", "G01", false, false, true, 0, KeinFund},
                      Suche{"G01 G010", "G01", false, true, true, 8, 0},
                      Suche{"abc", "", false, false, false, 0, KeinFund}));

TEST(EditorTextTest, ReplaceAllThatGrowsEndsAndReplacesEachMatchOnce) {
  std::string t = "X1 X2";
  EXPECT_EQ(AllesErsetzen(t, "X", "XX", 0, {}), 2u);
  EXPECT_EQ(t, "XX1 XX2");
  t = "AAAA";
  EXPECT_EQ(AllesErsetzen(t, "AA", "", 0, {}), 2u);
  EXPECT_EQ(t, "");
  t = "x1 X2 X3";
  EXPECT_EQ(AllesErsetzen(t, "X", "Y", 3, {true, false, false}), 2u);
  EXPECT_EQ(t, "x1 Y2 Y3");
}

TEST(EditorTextTest, CodeEntryNeedsADigitAndNeverGivesAControlCharacter) {
  const auto eingabe = [](std::vector<int> ziffern) {
    TCodeEingabe c;
    c.Gedrueckt(true, true, false);
    for (int z : ziffern) c.Ziffer(z);
    return c.Beenden();
  };
  EXPECT_EQ(eingabe({6, 5}), 'A');
  EXPECT_EQ(eingabe({3, 2, 1}), 'A');
  EXPECT_EQ(eingabe({2, 5, 2}), static_cast<char>(0xFC));
  EXPECT_EQ(eingabe({}), std::nullopt);
  EXPECT_EQ(eingabe({0}), std::nullopt);
  EXPECT_EQ(eingabe({2, 5, 6}), std::nullopt);  // low byte 0
  EXPECT_EQ(eingabe({1, 3}), std::nullopt);
  EXPECT_EQ(eingabe({1, 2, 7}), std::nullopt);
  TCodeEingabe mitShift;
  mitShift.Gedrueckt(true, true, true);
  EXPECT_FALSE(mitShift.Aktiv());
}

// The N renumbering of a part program's lines.
TEST(UmnummerierenTest, NumbersEveryBlockButCommentsAndProgramStart) {
  const std::pair<VelkorWinVAR::TNcZeilen, VelkorWinVAR::TNcZeilen> faelle[] = {
      {{"%", "N5 (KOMMENTAR)", "N5 G01 X1", "G00 Z5", ""}, {"%", "N5 (KOMMENTAR)", "N1 G01 X1", "N2 G00 Z5", "N3 "}},
      {{"(A) B)"}, {"N1 (A) B)"}},
      {{"G01 N5"}, {"N1 G01 N5"}},
      {{"N0010 G01 X5", " G00", "N20 (HALTER)", "N", "(", "%Rest"},
       {"N1 G01 X5", "N2  G00", "N20 (HALTER)", "N3 ", "N4 (", "%Rest"}}};
  for (auto [liste, nachher] : faelle) {
    TeileprogrammUmnummerieren(liste);
    EXPECT_EQ(liste, nachher);
  }
  VelkorWinVAR::TNcZeilen lang(70000, "G01 X1");  // counts past 65535 without stopping
  TeileprogrammUmnummerieren(lang);
  EXPECT_EQ(lang[65535], "N65536 G01 X1");
  EXPECT_EQ(lang.back(), "N70000 G01 X1");
}

TEST(UmnummerierenTest, AnEmptyListAndLinesCutTo255AreReported) {
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Anfangszeile beim Umnummeriren nicht gefunden!");
  VelkorWinVAR::TNcZeilen liste;
  TeileprogrammUmnummerieren(liste);
  EXPECT_TRUE(liste.empty());
  skript.ErwarteHinweis("Beim Umnummerieren wurden 1 Zeilen auf 255 Zeichen gekürzt (die erste: Zeile 2)!");
  liste = {"G00", std::string(253, 'X')};
  TeileprogrammUmnummerieren(liste);
  EXPECT_EQ(liste[1].size(), 255u);
  EXPECT_EQ(liste[1].substr(0, 4), "N2 X");
}
