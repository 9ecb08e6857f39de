// The real boxes and file dialogs of the dialog service, not the test script: what the
// operator and a screen reader find in them. Each is opened through the service and looked at
// while it is up (the boxes saved as BoxFrage.png, BoxHinweis.png and BoxTasten.png into the
// build folder), then answered with its own button. scripts/test runs this under xvfb-run on
// the X11 platform too.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>

#include "qtsupport/Fensterhilfen.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"

namespace {

using testsupport::Spaeter;

// While it lives, Qt reports to assistive technology as it does with a screen reader on the
// accessibility bus: the interfaces are then asked for while a box is still being built.
struct Vorlesen {
  Vorlesen() { QAccessible::setActive(true); }
  ~Vorlesen() { QAccessible::setActive(false); }
};

// "Rolle Name" of the open box and of each of its buttons, in order; the box saved as
// `foto` + ".png" into the build folder; then `druecken` pressed.
void Vorgelesen(std::vector<std::string>& gefunden, QString druecken, const char* foto) {
  Spaeter([&gefunden, druecken, foto] {
    QWidget* box = QApplication::activeModalWidget();
    EXPECT_TRUE(box->grab().save(QString::fromStdString(std::string(VELKOR_BINARY_DIR) + "/" + foto + ".png")));
    auto eintrag = [](QObject* o) {
      QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
      const char* rolle = i->role() == QAccessible::PushButton     ? "Knopf"
                          : i->role() == QAccessible::AlertMessage ? "Meldung"
                                                                   : "Rolle";
      return std::string(rolle) + " " + i->text(QAccessible::Name).toStdString();
    };
    gefunden.push_back(eintrag(box));
    QPushButton* gedrueckt = nullptr;
    for (auto* k : box->findChildren<QPushButton*>()) {
      gefunden.push_back(eintrag(k));
      if (k->text() == druecken) gedrueckt = k;
    }
    ASSERT_TRUE(gedrueckt) << druecken.toStdString();
    gedrueckt->click();
  });
}

TEST(QtBoxen, JederKnopfWirdUnterSeinerBeschriftungAlsKnopfVorgelesen) {
  Vorlesen vorlesen;
  auto& boxen = toolkit::qt::QtDialoge();
  std::vector<std::string> gefunden;
  Vorgelesen(gefunden, "&Nein", "BoxFrage");
  EXPECT_FALSE(boxen.Frage(toolkit::Ansi("Die erzeugten NC-Sätze speichern?")));
  Vorgelesen(gefunden, "OK", "BoxHinweis");
  boxen.Hinweis("Wandlung beendet");
  Vorgelesen(gefunden, "Weiter", "BoxTasten");
  EXPECT_EQ(boxen.FrageMitTasten("Was nun?", {"Neu", "Weiter"}), 1);
  EXPECT_EQ(gefunden, (std::vector<std::string>{"Meldung Bestätigung", "Knopf Ja", "Knopf Nein", "Meldung Velkor",
                                                "Knopf OK", "Meldung Bestätigung", "Knopf Neu", "Knopf Weiter"}));
}

// Each filter stands in the dialog's list exactly as the program names it, without the
// pattern added a second time.
TEST(QtBoxen, DateidialogeZeigenIhreFilterWieBenannt) {
  std::vector<std::string> listen;
  auto filter = [&] {
    Spaeter([&listen] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(dialog);
      auto* liste = dialog->findChild<QComboBox*>("fileTypeCombo");
      ASSERT_TRUE(liste);
      std::string eintraege;
      for (int i = 0; i < liste->count(); ++i) eintraege += (i ? "|" : "") + liste->itemText(i).toStdString();
      listen.push_back(eintraege);
      dialog->reject();
    });
  };
  toolkit::qt::TDateiDialog d;
  d.Filter = "Teiledateien [*.CNC]|*.CNC|alle Dateien [*.*]|*.*";
  filter();
  EXPECT_FALSE(toolkit::qt::QtDialoge().DateiOeffnen(d));
  d.Filter = "Zeichensatzdateien (*.FNT)|*.FNT";
  filter();
  EXPECT_FALSE(toolkit::qt::QtDialoge().DateiSpeichern(d));
  EXPECT_EQ(listen,
            (std::vector<std::string>{"Teiledateien [*.CNC]|alle Dateien [*.*]", "Zeichensatzdateien (*.FNT)"}));
}

}  // namespace
