// The smaller dialogs: simulation limits, path display, mirror writing, engraving text,
// disclaimer and about box.
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <filesystem>

#include "DialogFixture.h"
#include "workspace/Hauptzustand.h"
#include "workspace/VelkorBahndarstellung.h"
#include "workspace/VelkorHaftung.h"
#include "workspace/VelkorSimuGrenz.h"
#include "workspace/VelkorWinMain.h"
#include "workspace/VelkorZeichensatzWahl.h"

namespace {

using namespace VelkorWinVAR;
using testsupport::InDerMitte;

// The main window stands in the top left corner of the screen; every dialog here opens in
// the middle of the screen all the same.
class DialogKlein : public DialogFixture {
protected:
  DialogKlein() {
    haupt.setGeometry(0, 0, 300, 200);
    haupt.show();
  }
  QWidget haupt;
};

TEST_F(DialogKlein, SimulationLimitsRefuseBadEntriesAndNoPutsEverythingBack) {
  TVelkorSimuGrenzForm form(&haupt);
  skript.ErwarteHinweis("Falsches Zeichen im Eingabefeld!");
  skript.ErwarteHinweis("Der Wert muß größer als Null sein!");
  skript.ErwarteHinweis("Die untere und die obere Simulationsgrenze dürfen nicht gleich sein!");
  skript.ErwarteTasten("Geänderte Werte speichern?", 1);
  Zeigen(form, [&] {
    InDerMitte(form);
    Eingeben(form, "xminEdit", "abc");
    EXPECT_EQ(KonfigBlock.SimuGrenzeMin.X, -200.0);
    Eingeben(form, "WeitexEdit", "0");
    Eingeben(form, "xminEdit", "300");  // equal to xmax
    Eingeben(form, "xminEdit", "-10,5");
    Eingeben(form, "WeitezEdit", "0,5");
    EXPECT_EQ(KonfigBlock.SimuGrenzeMin.X, -10.5);
    Kind<QCheckBox>("AutografikbereichCheckBox", &form)->click();
    EXPECT_TRUE(Kind<QLineEdit>("zmaxEdit", &form)->isReadOnly());
    Kind<QPushButton>("BeendenButton", &form)->click();
  });
  EXPECT_EQ(std::tuple(KonfigBlock.SimuGrenzeMin.X, KonfigBlock.SkaleneinheitZ, GrafikbereichAutomatisch),
            std::tuple(-200.0, 50.0, false));
}

TEST_F(DialogKlein, SimulationLimitsKeptOnYesAndOnAClosedBoxAndSaved) {
  TVelkorSimuGrenzForm form;
  skript.ErwarteTasten("Geänderte Werte speichern?", 0);
  skript.ErwarteTasten("Geänderte Werte speichern?", -1);
  Zeigen(form, [&] {
    Eingeben(form, "ymaxEdit", "120");
    Eingeben(form, "zminEdit", "400");  // above its maximum: allowed
    Kind<QPushButton>("BeendenButton", &form)->click();
  });
  Zeigen(form, [&] {
    EXPECT_FALSE(Kind<QPushButton>("UebernahmeButton", &form)->isEnabled());
    Kind<QCheckBox>("AutografikbereichCheckBox", &form)->click();
    Kind<QPushButton>("BeendenButton", &form)->click();
  });
  EXPECT_TRUE(GrafikbereichAutomatisch);
  GespeichertUndGeladen();
  EXPECT_EQ(std::tuple(KonfigBlock.SimuGrenzeMax.Y, KonfigBlock.SimuGrenzeMin.Z), std::tuple(120.0, 400.0));
}

TEST_F(DialogKlein, PathDisplayMirrorWritingAndItalicAngleTakeTheChoice) {
  TVelkorBahndarstellungsForm bahn(&haupt);
  TVelkorSpiegelschriftForm spiegel(&haupt);
  TVelkorZeichensatzForm zeichensatz;
  Zeigen(bahn, [&] {
    InDerMitte(bahn);
    EXPECT_TRUE(Kind<QRadioButton>("Fraeserbahn", &bahn)->isChecked());
    Kind<QRadioButton>("Mittelpunktbahn", &bahn)->click();
    Kind<QPushButton>("EndeButton", &bahn)->click();
  });
  Zeigen(bahn, [&] {
    EXPECT_TRUE(Kind<QRadioButton>("Mittelpunktbahn", &bahn)->isChecked());
    Kind<QPushButton>("EndeButton", &bahn)->click();
  });
  Zeigen(spiegel, [&] {
    InDerMitte(spiegel);
    Kind<QRadioButton>("ein", &spiegel)->click();
    Kind<QPushButton>("EndeButton", &spiegel)->click();
  });
  Zeigen(zeichensatz, [&] {
    Eingeben(zeichensatz, "KursivEdit", "-12,5");
    Kind<QPushButton>("UebernahmeButton", &zeichensatz)->click();
  });
  GespeichertUndGeladen();
  EXPECT_EQ(std::tuple(KonfigBlock.Fraeserbahn, KonfigBlock.Spiegelschrift, KonfigBlock.Kursivwinkel), std::tuple(false, true, -12.5));
}

TEST_F(DialogKlein, FontFromAnotherFolderLeavesTheWorkingFolderAndCanBeDiscarded) {
  TVelkorZeichensatzForm form(&haupt);
  KonfigBlock.Gravurzeichensatz = "fonts/ROMAN.FNT";
  const auto ordner = std::filesystem::current_path();
  skript.DateiOeffnen(std::string("/other/SCRI.FNT"));
  skript.ErwarteFrage("Geänderte Einstellungen verwerfen?", true);
  Zeigen(form, [&] {
    InDerMitte(form);
    EXPECT_EQ(Kind<QLineEdit>("ZeichensatzEdit", &form)->text(), "ROMAN");
    Kind<QPushButton>("ZeichensatzButton", &form)->click();
    EXPECT_EQ(Kind<QLineEdit>("ZeichensatzEdit", &form)->text(), "SCRI");
    EXPECT_TRUE(Kind<QPushButton>("UebernahmeButton", &form)->isEnabled());
    Eingeben(form, "KursivEdit", "15");
    Kind<QRadioButton>("ein", &form)->click();
    EXPECT_EQ(KonfigBlock.Gravurzeichensatz, "/other/SCRI.FNT");
    Kind<QPushButton>("AbbruchButton", &form)->click();
  });
  EXPECT_EQ(std::filesystem::current_path(), ordner);
  EXPECT_EQ(skript.Dateidialoge.at(0).Filter, "Zeichensatzdateien|*.FNT");
  EXPECT_EQ(std::tuple(KonfigBlock.Gravurzeichensatz, KonfigBlock.Kursivwinkel, KonfigBlock.Spiegelschrift),
            std::tuple("fonts/ROMAN.FNT", 0.0, false));
}

TEST_F(DialogKlein, DisclaimerDecidesWhetherTheExitSaves) {
  TVelkorkeineHaftungForm form(&haupt);
  workspace::KonfigSpeichernBeimEnde = true;
  Zeigen(form, [&] {
    InDerMitte(form);
    EXPECT_FALSE(workspace::KonfigSpeichernBeimEnde);
    Kind<QPushButton>("AblehnButton", &form)->click();
  });
  EXPECT_FALSE(workspace::KonfigSpeichernBeimEnde);
  Zeigen(form, [&] { Kind<QPushButton>("OKButton", &form)->click(); });
  EXPECT_TRUE(workspace::KonfigSpeichernBeimEnde);
  Zeigen(form, [&] { QTest::keyClick(&form, Qt::Key_Escape); });
  EXPECT_FALSE(workspace::KonfigSpeichernBeimEnde);
}

TEST_F(DialogKlein, AboutBoxShowsTheProgramAndNoContactData) {
  TCopyrightForm form(&haupt);
  workspace::Versionszeile = "Velkor 26.12.7 Qt";
  Zeigen(form, [&] {
    InDerMitte(form);
    EXPECT_EQ(Kind<QLabel>("VersionLabel", &form)->text(), "Velkor 26.12.7 Qt");
    for (auto* l : form.findChildren<QLabel*>()) {
      EXPECT_TRUE(l->text().startsWith("Velkor")) << l->text().toStdString();
      EXPECT_FALSE(l->text().contains(QRegularExpression("[0-9]{4,}|@|Str\\.|Tel"))) << l->text().toStdString();
    }
    Kind<QPushButton>("EndButton", &form)->click();
  });
  workspace::Versionszeile.clear();
}

}  // namespace
