// The N renumbering of a part program's lines.
#include <gtest/gtest.h>

#include "qtsupport/DialogSkript.h"
#include "workspace/Umnummerieren.h"

using workspace::TeileprogrammUmnummerieren;

namespace {

struct Fall {
  std::vector<std::string> vorher, nachher;
};
class UmnummerierenTest : public ::testing::TestWithParam<Fall> {};
}  // namespace

TEST_P(UmnummerierenTest, NumbersEveryBlockButCommentsAndProgramStart) {
  auto liste = GetParam().vorher;
  TeileprogrammUmnummerieren(liste);
  EXPECT_EQ(liste, GetParam().nachher);
}

INSTANTIATE_TEST_SUITE_P(
    Zeilen, UmnummerierenTest,
    ::testing::Values(Fall{{"%", "N5 (KOMMENTAR)", "N5 G01 X1", "G00 Z5", ""},
                           {"%", "N5 (KOMMENTAR)", "N1 G01 X1", "N2 G00 Z5", "N3 "}},
                      Fall{{"(A) B)"}, {"N1 (A) B)"}}, Fall{{"G01 N5"}, {"N1 G01 N5"}},
                      Fall{{"N0010 G01 X5", " G00", "N20 (HALTER)", "N", "(", "%Rest"},
                           {"N1 G01 X5", "N2  G00", "N20 (HALTER)", "N3 ", "N4 (", "%Rest"}}));

TEST(UmnummerierenLeerTest, EmptyListGivesTheNoticeAndStays) {
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Anfangszeile beim Umnummeriren nicht gefunden!");
  VelkorWinVAR::TNcZeilen liste;
  TeileprogrammUmnummerieren(liste);
  EXPECT_TRUE(liste.empty());
}

TEST(UmnummerierenLeerTest, CountsPast65535WithoutStopping) {
  VelkorWinVAR::TNcZeilen liste(70000, "G01 X1");
  TeileprogrammUmnummerieren(liste);
  EXPECT_EQ(liste[65535], "N65536 G01 X1");
  EXPECT_EQ(liste.back(), "N70000 G01 X1");
}

TEST(UmnummerierenLeerTest, LinesCutTo255AreReported) {
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Beim Umnummerieren wurden 1 Zeilen auf 255 Zeichen gekürzt (die erste: Zeile 2)!");
  VelkorWinVAR::TNcZeilen liste = {"G00", std::string(253, 'X')};
  TeileprogrammUmnummerieren(liste);
  EXPECT_EQ(liste[1].size(), 255u);
  EXPECT_EQ(liste[1].substr(0, 4), "N2 X");
}
