// Printed pages: the pure page layout, and the tool list, the editor's text and the font
// table printed into PDF files whose text pdftotext reads back.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <cstdio>
#include <memory>

#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "qtsupport/DialogSkript.h"
#include "qtsupport/Fensterhilfen.h"
#include "support/TempDir.h"
#include "toolkit/Clock.h"
#include "toolkit/NumberFormat.h"
#include "workspace/Druck.h"
#include "workspace/FontView.h"
#include "workspace/Teileprogramm_Befehle.h"
#include "workspace/VelkorEditUnit.h"
#include "workspace/VelkorWkzUnit.h"

using namespace workspace;

namespace {

using Texte = std::vector<std::string>;

// The pages of a PDF file as pdftotext reads them (it ends each page with a form feed).
Texte Seiten(const std::string& pdf) {
  const std::string befehl = "pdftotext -layout '" + pdf + "' -";
  std::unique_ptr<FILE, int (*)(FILE*)> aus(popen(befehl.c_str(), "r"), pclose);
  Texte seiten(1);
  for (int c; aus && (c = std::fgetc(aus.get())) != EOF;) c == '\f' ? seiten.emplace_back() : seiten.back() += char(c);
  if (seiten.back().find_first_not_of(" \n") == std::string::npos) seiten.pop_back();
  return seiten;
}

// The texts of `gesucht` that `text` lacks.
std::vector<std::string> Fehlt(const std::string& text, const std::vector<std::string>& gesucht) {
  std::vector<std::string> fehlt;
  for (const auto& g : gesucht)
    if (text.find(g) == std::string::npos) fehlt.push_back(g);
  return fehlt;
}

class DruckTest : public ::testing::Test {
protected:
  void SetUp() override {
    toolkit::SetFixedClock({2026, 12, 7, 9, 5, 0, 0});
    toolkit::SetShortDateFormat("%d.%m.%Y");
    toolkit::SetDecimalSeparator(',');
  }
  void TearDown() override { toolkit::SetClock(nullptr); }
  testsupport::DialogSkript skript;
  testsupport::TempDir dir;
};

}  // namespace

TEST_F(DruckTest, RowsPerPageAndPages) {
  EXPECT_EQ(WerkzeugZeilenProSeite(2970), 73);  // 130 + 73 x 36 = 2758 stays above the rule at 2770
  EXPECT_EQ(std::tuple(SeitenAufteilen(100, 72), SeitenAufteilen(0, 72), SeitenAufteilen(144, 72).size()),
            std::tuple(std::vector<TDruckSeite>{{0, 72}, {72, 28}}, std::vector<TDruckSeite>{{0, 0}}, 2u));
  EXPECT_EQ(ZeilenUmbrechen({"abcdefg", "", "ab"}, 3), (std::vector<std::string>{"abc", "def", "g", "", "ab"}));
}

TEST_F(DruckTest, ToolListPrintsTwoPagesWithTheHeaderOnEach) {
  VelkorWinVAR::WkzEingabemodus = false;
  VelkorWinWkz::WkzListe.clear();
  for (int n = 1; n <= 100; ++n)
    VelkorWinWkz::WkzListe.push_back({static_cast<std::uint8_t>(n), "Werkzeug " + std::to_string(n), 40.0 + n, 0, n / 10.0, 0});
  TVelkorWkzForm form;
  form.Vorbereiten();
  const std::string pdf = dir.file("liste.pdf");
  skript.Drucker(pdf);
  auto* drucken = testsupport::Kind<QPushButton>("ListeDruckenButton", &form);
  drucken->click();
  const auto seiten = Seiten(pdf);
  ASSERT_EQ(seiten.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i)  // the header row on each page
    EXPECT_EQ(Fehlt(seiten[i], {"Velkor - Werkzeugeliste", "Durchmesser [mm]",
                                "Seite: " + std::to_string(i + 1) + " von 2 (Druck: 07.12.2026 9:5)"}), Texte{});
  EXPECT_EQ(std::tuple(Fehlt(seiten[0], {"Werkzeug 72", "Werkzeug 73"}), Fehlt(seiten[1], {"Werkzeug 100", "140,00"})),
            std::tuple(Texte{"Werkzeug 73"}, Texte{}));
  VelkorWinWkz::WkzListe.clear();

  skript.Drucker(std::nullopt);
  skript.ErwarteHinweis("Drucken abgebrochen!");
  drucken->click();
}

TEST_F(DruckTest, EditorTextPrintsEveryLineWithPageNumbers) {
  std::string programm;
  for (int n = 1; n <= 150; ++n) programm += "N" + std::to_string(n) + " G01 X" + std::to_string(n) + " Y-5\r\n";
  programm += std::string(150, 'L') + "ENDE\r\n";  // a long line continues on the next printed line
  dir.write("DRUCK.CNC", programm);
  VelkorWinVAR::KonfigBlock = {};
  VelkorWinVAR::KonfigBlock.Arbeitsdateiname = dir.file("DRUCK.CNC");
  TVelkorEditForm form;
  ASSERT_TRUE(form.Vorbereiten());
  const std::string pdf = dir.file("text.pdf");
  skript.Drucker(pdf);
  testsupport::Kind<QAction>("Drucken1", &form)->trigger();
  const auto seiten = Seiten(pdf);
  ASSERT_EQ(seiten.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_NE(seiten[i].find("Seite: " + std::to_string(i + 1) + " von 3"), std::string::npos);
  EXPECT_EQ(Fehlt(seiten[0] + seiten[1] + seiten[2], {"N1 G01 X1 Y-5", "N65 G01 X65 Y-5", "N66 G01 X66 Y-5", "N150 G01 X150 Y-5", "ENDE"}),
            Texte{});
  skript.Drucker(std::nullopt);  // the editor's cancelled choice gives no notice
  testsupport::Kind<QAction>("Drucken1", &form)->trigger();
}

TEST_F(DruckTest, FontTablePrintsWithPageNumbers) {
  workspace::ViewerZeichensatzName = std::string(VELKOR_SOURCE_DIR) + "/fonts/ROMANS.FNT";
  TFontViewForm form;
  form.Vorbereiten();
  const std::string pdf = dir.file("tabelle.pdf");
  skript.Drucker(pdf);
  form.Drucken();
  const auto seiten = Seiten(pdf);
  ASSERT_GE(seiten.size(), 1u);
  EXPECT_EQ(Fehlt(seiten[0], {"Seite: 1 von " + std::to_string(seiten.size()), "Zeichensatzausdruck"}), Texte{});
  skript.Drucker(std::nullopt);
  skript.ErwarteHinweis("Drucken abgebrochen!");
  form.Drucken();
}
