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
  EXPECT_EQ(std::tuple(a.Zeilen, a.Steuerzeichen), std::tuple(std::vector<std::string>{"A", "B", "C", "D E \t\x7F"}, 2u));
  const TEditorInhalt b = EditorTextLesen("G01\r\n" + std::string(10000, 'X') + "\r\n" + std::string(256, 'Y'));
  EXPECT_EQ(std::tuple(b.LangeZeilen, b.ErsteLange, b.Zeilen[1].size()), std::tuple(2u, 2u, 10000u));
  EXPECT_EQ(EditorTextSchreiben({"a", "", "b"}) + EditorTextSchreiben({}), "a\r\n\r\nb\r\n");
}

// DOS case mapping before and from the caret; the system mapping keeps the length.
TEST(EditorTextTest, LineKeysMapTheCaseAroundTheCaret) {
  using T = TZeilenTaste;
  const std::string zeile = B({0x61, 0x81, 0x84, 0x94, 0x62});
  const std::tuple<T, std::string, std::size_t, std::string> faelle[] = {
      {T::VorCursorGross, zeile, 2, B({0x41, 0x9A, 0x84, 0x94, 0x62})},
      {T::AbCursorKlein, zeile, 2, zeile},
      {T::AbCursorGross, zeile, 2, B({0x61, 0x81, 0x8E, 0x99, 0x42})},
      {T::VorCursorGross, zeile, 0, zeile},
      {T::AbCursorGross, zeile, 5, zeile},
      {T::VorCursorKlein, B({0x41, 0x9A, 0x8E, 0x99}), 4, B({0x61, 0x81, 0x84, 0x94})},
      {T::VorCursorLoeschen, "G01 X5", 4, "X5"},
      {T::AbCursorLoeschen, "G01 X5", 4, "G01 "},
      {T::ZeileGross, toolkit::Ansi("g01 äöü ß µ ÿ"), 0, toolkit::Ansi("G01 ÄÖÜ ß µ Ÿ")}};
  for (const auto& [taste, text, caret, ergebnis] : faelle)
    EXPECT_EQ(ZeileBearbeiten(taste, text, caret), ergebnis) << int(taste) << " " << caret;
  EXPECT_EQ(AnsiKlein(toolkit::Ansi("G01 ÄÖÜ Ÿ")), toolkit::Ansi("g01 äöü ÿ"));
}

TEST(EditorTextTest, ShiftWinsOverCtrlAndAltStopsTheKeys) {
  EXPECT_EQ(std::vector({ZeilenTasteFuer(2, true, true, false), ZeilenTasteFuer(3, false, true, false),
                         ZeilenTasteFuer(5, false, false, false), ZeilenTasteFuer(2, false, false, true),
                         ZeilenTasteFuer(6, false, false, false)}),
            std::vector<std::optional<TZeilenTaste>>({TZeilenTaste::ZeileGross, TZeilenTaste::VorCursorKlein,
                                                      TZeilenTaste::AuswahlLoeschen, std::nullopt, std::nullopt}));
}

TEST(EditorTextTest, FindsWithTheOptions) {
  struct Suche { const char *text, *muster; bool gross, wort, rueck; std::size_t ab, fund; };
  for (const Suche& s : {Suche{"g01 G01 G010", "G01", false, false, false, 0, 0}, {"g01 G01 G010", "G01", true, false, false, 0, 4},
                         {"g01 G01 G010", "G01", true, false, false, 5, 8}, {"G010 xG01 G01", "G01", false, true, false, 0, 10},
                         {"äÖ ÄÖ", "äö", false, false, false, 1, 3}, {"G01 G01 G01", "G01", false, false, true, 8, 4},
                         {"G01 G01 G01", "G01", false, false, true, 0, KeinFund}, {"G01 G010", "G01", false, true, true, 8, 0},
                         {"abc", "", false, false, false, 0, KeinFund}}) {
    const TSuchtext text(toolkit::Ansi(s.text), {s.gross, s.wort, s.rueck});
    const std::string m = toolkit::Ansi(s.muster);
    EXPECT_EQ(s.rueck ? text.Rueckwaerts(m, s.ab) : text.Vorwaerts(m, s.ab), s.fund) << s.text << " ab " << s.ab;
  }
}

TEST(EditorTextTest, ReplaceAllThatGrowsEndsAndReplacesEachMatchOnce) {
  for (auto [t, muster, ersatz, ab, gross, ergebnis] : {std::tuple{std::string("X1 X2"), "X", "XX", 0, false, "XX1 XX2"},
                                                       {"AAAA", "AA", "", 0, false, ""}, {"x1 X2 X3", "X", "Y", 3, true, "x1 Y2 Y3"}}) {
    EXPECT_EQ(AllesErsetzen(t, muster, ersatz, ab, {gross, false, false}), 2u);
    EXPECT_EQ(t, ergebnis);
  }
}

TEST(EditorTextTest, CodeEntryNeedsADigitAndNeverGivesAControlCharacter) {
  const auto eingabe = [](std::vector<int> ziffern) {
    TCodeEingabe c;
    c.Gedrueckt(true, true, false);
    for (int z : ziffern) c.Ziffer(z);
    return c.Beenden();
  };
  EXPECT_EQ(std::vector({eingabe({6, 5}), eingabe({3, 2, 1}), eingabe({2, 5, 2})}),
            std::vector<std::optional<char>>({'A', 'A', static_cast<char>(0xFC)}));
  for (auto ziffern : {std::vector<int>{}, {0}, {2, 5, 6} /* low byte 0 */, {1, 3}, {1, 2, 7}})
    EXPECT_EQ(eingabe(ziffern), std::nullopt) << ziffern.size();
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
  for (auto [liste, nachher] : faelle) EXPECT_EQ((TeileprogrammUmnummerieren(liste), liste), nachher);
  VelkorWinVAR::TNcZeilen lang(70000, "G01 X1");  // counts past 65535 without stopping
  TeileprogrammUmnummerieren(lang);
  EXPECT_EQ(std::tuple(lang[65535], lang.back()), std::tuple("N65536 G01 X1", "N70000 G01 X1"));
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
  EXPECT_EQ(liste[1], "N2 " + std::string(252, 'X'));
}
