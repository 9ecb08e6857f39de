// The milling settings dialog as the operator uses it: entries left, refused, discarded and
// accepted, and what a settings file saved afterwards holds.
#include <QComboBox>
#include <QWindow>

#include "DialogFixture.h"
#include "engine/VelkorWinMOVE.h"
#include "imageprep/VelkorFarbtabellen.h"
#include "support/BildFixture.h"
#include "workspace/VelkorFraesgrund.h"

namespace {

using namespace VelkorWinVAR;

using DialogFraesgrund = DialogMit<TVelkorFraesgrundForm>;

TEST_F(DialogFraesgrund, AcceptedValuesStandInTheSettingsFile) {
  Zeigen([&] {
    EXPECT_FALSE(Knopf("UebernahmeButton")->isEnabled());
    Eingeben("AnlaufEdit", "2,0");
    EXPECT_TRUE(Knopf("UebernahmeButton")->isEnabled());
    Eingeben("WeissTiefeEdit", "-0.75");
    Eingeben("ZyklusendeEdit", "G800X");
    Kind<QComboBox>("FraesbahnComboBox", &form)->setCurrentIndex(3);
    Knopf("UebernahmeButton")->click();
  });
  GespeichertUndGeladen();
  const auto& k = KonfigBlock;
  EXPECT_EQ(std::tuple(k.Anlauffaktor, k.GrauFraestiefe_hell, k.ZyklusendeWort, k.Fraesrichtung, k.bidirektional_bearbeiten),
            std::tuple(2.0, -0.75, "G800", TFraesrichtung::spaltenweise, true));
}

TEST_F(DialogFraesgrund, OutOfRangeFactorIsRefusedAndTheSettingStays) {
  skript.ErwarteHinweis("Der Anlauffaktor muß mindestens 0.0 und höchstens 2.0 betragen!");
  Zeigen([&] {
    Eingeben("AnlaufEdit", "2,01");
    EXPECT_EQ(Kind<QLineEdit>("AnlaufEdit", &form)->text(), "1,000");
    Knopf("AbbruchButton")->click();  // nothing changed: closes without asking
  });
  EXPECT_EQ(KonfigBlock.Anlauffaktor, 1.0);
}

// A value changed back still counts as a change; a notice does not renew the old copies;
// "Nein" keeps the dialog open, Esc closes as "Schließen" does.
TEST_F(DialogFraesgrund, ChangedBackStillAsksAndANoticeDoesNotRenewTheOldCopies) {
  skript.ErwarteHinweis("Falsches Zeichen im Eingabefeld!");
  skript.ErwarteFrage("Geänderte Einstellungen verwerfen?", false);
  skript.ErwarteFrage("Geänderte Einstellungen verwerfen?", true);
  Zeigen([&] {
    Eingeben("AnlaufEdit", "1,5");
    Eingeben("UeberlaufEdit", "x");
    Eingeben("AnlaufEdit", "1,0");
    EXPECT_TRUE(Knopf("UebernahmeButton")->isEnabled());
    Eingeben("UeberlaufEdit", "0,5");
    Eingeben("AnlaufEdit", "1,5");
    Kind<QComboBox>("FraesbahnComboBox", &form)->setCurrentIndex(7);  // zirkular ccw nach außen
    Knopf("AbbruchButton")->click();
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(&form, Qt::Key_Escape);
  });
  EXPECT_EQ(std::tuple(KonfigBlock.Anlauffaktor, KonfigBlock.Ueberlauffaktor, Zirkularrichtung, KonfigBlock.Zirkularsinn),
            std::tuple(1.0, 1.0, 0, 0));
}

// "Farbmodus" counts the picture's colours before its window shows.
TEST_F(DialogFraesgrund, ANestedWindowDoesNotRenewTheOldCopiesAndTheFocusReturnsToARefusedEdit) {
  TVelkorTiefenform tiefen(&form);
  TVelkorModusForm modus(&form);
  QuellImage = testsupport::Bild({"WRB", "RRW"});
  // Each colour window, once up, is seen (with the colours counted then) and closed.
  std::vector<std::pair<QWidget*, int>> gezeigt;
  const auto ansehen = [&] {
    testsupport::Spaeter([&] {
      gezeigt.emplace_back(QApplication::activeModalWidget(), Farbanzahl);
      QApplication::activeModalWidget()->close();
    });
  };
  skript.ErwarteHinweis("Falsches Zeichen im Eingabefeld!");
  skript.ErwarteFrage("Geänderte Einstellungen verwerfen?", true);
  Zeigen([&] {
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    Eingeben("SchwarztiefeEdit", "-4");
    ansehen();
    Knopf("TiefenButton")->click();
    ansehen();
    Knopf("ModusButton")->click();
    // The offscreen platform keeps the closed colour window focused: the dialog is activated
    // by its own window, as a window manager does.
    form.windowHandle()->requestActivate();
    QApplication::processEvents();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    Knopf("UebernahmeButton")->setFocus();
    Eingeben("AnlaufEdit", "x");
    EXPECT_TRUE(Kind<QLineEdit>("AnlaufEdit", &form)->hasFocus());
    Knopf("AbbruchButton")->click();
  });
  EXPECT_EQ(gezeigt, (std::vector<std::pair<QWidget*, int>>{{&tiefen, 0}, {&modus, 3}}));
  EXPECT_EQ(KonfigBlock.GrauFraestiefe_dunkel, -2.5);
}

// What each milling-path item sets is checked without the window; here the item shown for
// the settings and the tracking choice taken.
TEST_F(DialogFraesgrund, MillingPathShownFromTheSettingsAndTrackingTaken) {
  KonfigBlock.Fraesrichtung = TFraesrichtung::zirkular;
  KonfigBlock.Zirkularsinn = 0;
  Zirkularrichtung = 1;
  Zeigen([&] {
    EXPECT_EQ(Kind<QComboBox>("FraesbahnComboBox", &form)->currentText(), QString::fromUtf8("zirkular cw nach außen"));
    Kind<QComboBox>("VerfolgComboBox", &form)->setCurrentIndex(1);
    Knopf("UebernahmeButton")->click();
  });
  EXPECT_EQ(VelkorWinMOVE::HelligkeitVerfolgen, 1);
}

}  // namespace
