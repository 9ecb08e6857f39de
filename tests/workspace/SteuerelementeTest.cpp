// The controls' builders and the guarded connection: what escapes a handler is shown in a
// notice and ends that action only; the connection ends with its receiver; a dialog's buttons
// take Enter only where they are built for it.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <stdexcept>

#include "qtsupport/DialogSkript.h"
#include "toolkit/qt/Steuerelemente.h"

namespace {

using namespace toolkit::qt;
using enum TArt;

class Zaehler : public QObject {
public:
  void Klick() { ++klicks; }
  int klicks = 0;
};

TEST(Verbinden, EinFehlerImHandlerWirdGemeldetUndBeendetNurDieseAktion) {
  testsupport::DialogSkript skript;
  skript.ErwarteHinweis("Datei kaputt!").ErwarteHinweis("Unbekannter Fehler!");
  QWidget fenster;
  Zaehler ziel;
  auto* knopf = Knopf(&fenster, "K", "Los");
  int versuche = 0;
  Verbinden(knopf, &QPushButton::clicked, &ziel, [&] {
    if (++versuche == 1) throw std::runtime_error("Datei kaputt!");
    if (versuche == 2) throw 42;
  });
  Verbinden(knopf, &QPushButton::clicked, &ziel, &Zaehler::Klick);  // the next handler still runs
  for (int i = 0; i < 3; ++i) knopf->click();
  EXPECT_EQ(versuche, 3);
  EXPECT_EQ(ziel.klicks, 3);
  EXPECT_EQ(skript.Offen(), 0u);
}

// The connection ends with its receiver. (That a handler takes the signal's arguments or
// none the compiler holds: the windows connect both kinds.)
TEST(Verbinden, DieVerbindungEndetMitIhremEmpfaenger) {
  QWidget fenster;
  auto kurzlebig = std::make_unique<Zaehler>();
  const auto verbindung = Verbinden(Knopf(&fenster, "K", "Los"), &QPushButton::clicked, kurzlebig.get(), &Zaehler::Klick);
  EXPECT_TRUE(verbindung);
  kurzlebig.reset();
  EXPECT_FALSE(verbindung);
}

// A field in a rectangle takes that size; read-only and out of the focus chain only where it
// is built so. (A control at a point takes the size its caption needs: the window review
// finds every caption cut off.)
TEST(Bausteine, OrtUndArt) {
  QWidget fenster;
  auto* feld = Feld(&fenster, "X", {1, 2, 30, 40}, NurLesen | OhneFokus);
  EXPECT_EQ(std::tuple(feld->geometry(), feld->isReadOnly(), feld->focusPolicy()),
            std::tuple(QRect(1, 2, 30, 40), true, Qt::NoFocus));
  auto* offen = Feld(&fenster, "Y");
  EXPECT_EQ(std::tuple(offen->isReadOnly(), offen->focusPolicy()), std::tuple(false, Qt::StrongFocus));
}

// In a dialog Enter presses the focused button only where it is built for it; elsewhere the
// default button.
TEST(Bausteine, EingabetasteImDialog) {
  QDialog dialog;
  auto* ok = Knopf(&dialog, "OK", "OK", {}, Eingabetaste);
  auto* nein = Knopf(&dialog, "Nein", "Nein");
  auto* abbrechen = Knopf(&dialog, "Abbrechen", "Abbrechen", {}, Eingabetaste);
  ok->setDefault(true);
  QStringList gedrueckt;
  for (auto* k : {ok, nein, abbrechen})
    QObject::connect(k, &QPushButton::clicked, [&gedrueckt, k] { gedrueckt << k->objectName(); });
  dialog.show();
  for (auto* k : {nein, abbrechen}) {
    k->setFocus();
    QTest::keyClick(k, Qt::Key_Return);
  }
  EXPECT_EQ(gedrueckt.join(',').toStdString(), "OK,Abbrechen");
}

}  // namespace
