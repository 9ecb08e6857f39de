// The small windows of the main program: the circular-sense dialog with its three answers
// (the item chosen kept between showings) and the programmed-stop notice's captions.
#include <QComboBox>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QLabel>
#include <QPushButton>

#include "HauptFixture.h"
#include "workspace/HinweisForm.h"
#include "workspace/UserDialog.h"

namespace hauptfenster {
namespace {

struct TAntwortFall {
  const char* name;
  const char* knopf;
  int eintrag;
  engine::TZirkularAntwort antwort;
  const char* richtung;
};

class HauptUserDialog : public HauptFixture, public ::testing::WithParamInterface<TAntwortFall> {};

TEST_P(HauptUserDialog, AntwortUndRichtung) {
  testsupport::DialogSkript skript;
  Starten();
  ASSERT_NE(UserDialog, nullptr);
  EXPECT_EQ(UserDialog->windowTitle().toStdString(), "Zirkularrichtungssinn bestätigen");
  const TAntwortFall fall = GetParam();
  Sobald([] { return UserDialog->isVisible(); },
         [&] {
           UserDialog->findChild<QComboBox*>("Z_RichtungComboBox")->setCurrentIndex(fall.eintrag);
           UserDialog->findChild<QPushButton*>(fall.knopf)->click();
         });
  std::string richtung;
  EXPECT_EQ(engine::Host().askCircularSense(richtung), fall.antwort);
  EXPECT_EQ(richtung, fall.richtung);
  EXPECT_EQ(UserDialog->Z_Richtung, fall.richtung);
}

INSTANTIATE_TEST_SUITE_P(
    Knoepfe, HauptUserDialog,
    ::testing::Values(TAntwortFall{"Uebernehmen", "OKButton", 1, engine::TZirkularAntwort::Uebernehmen, "contraclockwise"},
                      TAntwortFall{"Abbrechen", "AbbruchButton", 0, engine::TZirkularAntwort::Abbrechen, "clockwise"},
                      TAntwortFall{"Hilfe", "HilfeButton", 1, engine::TZirkularAntwort::Hilfe, "contraclockwise"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HauptFixture, HinweisfensterBeschriftungen) {
  testsupport::DialogSkript skript;
  Starten();
  ASSERT_NE(HinweisForm, nullptr);
  EXPECT_EQ(HinweisForm->windowTitle().toStdString(), "VelkorWin - Hinweis");
  std::vector<std::string> texte;
  for (const QLabel* l : HinweisForm->findChildren<QLabel*>()) texte.push_back(l->text().toStdString());
  for (const char* t :
       {"Programmierter Wandlungsstopp in Satz ", "Sie können Schrifteinstellungen ändern! ", "Weiter: Eingabetaste "})
    EXPECT_NE(std::find(texte.begin(), texte.end(), t), texte.end()) << t;
  EXPECT_EQ(HinweisForm->findChild<QPushButton*>("FortsetzButton")->text().toStdString(), "Wandlung fortsetzen");
}

// The menu tree as a text: "caption" per entry, "-" per separator, submenus indented.
void Baum(const QMenu* menu, const std::string& einzug, std::vector<std::string>& zeilen) {
  for (const QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      zeilen.push_back(einzug + "-");
      continue;
    }
    zeilen.push_back(einzug + a->text().toStdString());
    if (a->menu()) Baum(a->menu(), einzug + "  ", zeilen);
  }
}

TEST_F(HauptFixture, MenuebaumMitAllenBeschriftungen) {
  testsupport::DialogSkript skript;
  Starten();
  std::vector<std::string> zeilen;
  for (const QAction* a : form->menuBar()->actions()) {
    zeilen.push_back(a->text().toStdString());
    if (a->menu()) Baum(a->menu(), "  ", zeilen);
  }
  const std::vector<std::string> erwartet = {
      "Datei", "  Beenden", "Werkzeuge", "  Werkzeugliste", "  Werkzeugeingabe", "Einrichtebetrieb",
      "  Kommastellen", "  -", "  Schrifteinstellungen", "    Zeichensatz zeigen", "    Zeichensatz wählen",
      "    Spiegelschrift ein /aus", "    -", "    alle Schrifteinstellungen", "  -", "  Grundeinstellungen",
      "  Fräsgrundeinstellungen", "  -", "  Einstelldatei", "    Laden", "    Speichern", "  Grafiksimulation",
      "    Grafikgrenzen", "    Darstelungsart", "    -", "    Grafik ein", "    Grafik aus", "  Farbe",
      "    Fräs-/ Sticheltiefe", "    Modus für Farbe", "    Farbe verfolgen", "    Farbfläche ausschneiden",
      "    Farbextrabehandlung", "Teileprogramm", "  Laden", "  Editieren", "Bildinformation", "Wandlung",
      "Hinweise", "  Haftungsausschluss", "  Copyright"};
  EXPECT_EQ(zeilen, erwartet);
  std::vector<std::string> popup;
  Baum(form->Popup(), "", popup);
  EXPECT_EQ(popup, (std::vector<std::string>{"Bild gespiegelt wandeln", "Spiegelschrift", "Kreisschrift nach innen",
                                              "Alle Schrifteinstellungen", "-", "Wandlung fortsetzen"}));
  EXPECT_EQ(form->Aktion("Wdlgfortsetzen1")->shortcut(), QKeySequence("Ctrl+G"));
  EXPECT_EQ(form->findChild<QPushButton*>("AbbruchButton")->text().toStdString(), "Abbrechen");
  EXPECT_EQ(form->findChild<QPushButton*>("EndeButton")->text().toStdString(), "Beenden");
  EXPECT_EQ(form->centralWidget()->size(), QSize(753, 540));
  EXPECT_EQ(form->findChild<QFrame*>("ImgPanel")->size(), QSize(744, 441));
}

}  // namespace
}  // namespace hauptfenster
