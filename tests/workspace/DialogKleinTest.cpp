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
using DialogKlein = DialogFixture;

TEST_F(DialogKlein, SimulationLimitsRefuseBadEntriesAndNoPutsEverythingBack) {
  TVelkorSimuGrenzForm form;
  skript.ErwarteHinweis("Falsches Zeichen im Eingabefeld!");
  skript.ErwarteHinweis("Der Wert muß größer als Null sein!");
  skript.ErwarteHinweis("Die untere und die obere Simulationsgrenze dürfen nicht gleich sein!");
  skript.ErwarteTasten("Geänderte Werte speichern?", 1);
  Zeigen(form, [&] {
    Eingeben(form, "xminEdit", "abc");
    EXPECT_EQ(KonfigBlock.SimuGrenzeMin.X, -200.0);
    Eingeben(form, "WeitexEdit", "0");
    Eingeben(form, "xminEdit", "300");  // equal to xmax
    Eingeben(form, "xminEdit", "-10,5");
    Eingeben(form, "WeitezEdit", "0,5");
    EXPECT_EQ(KonfigBlock.SimuGrenzeMin.X, -10.5);
    Teil<QCheckBox>(form, "AutografikbereichCheckBox")->click();
    EXPECT_TRUE(Teil<QLineEdit>(form, "zmaxEdit")->isReadOnly());
    Teil(form, "BeendenButton")->click();
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
    Teil(form, "BeendenButton")->click();
  });
  Zeigen(form, [&] {
    EXPECT_FALSE(Teil(form, "UebernahmeButton")->isEnabled());
    Teil<QCheckBox>(form, "AutografikbereichCheckBox")->click();
    Teil(form, "BeendenButton")->click();
  });
  EXPECT_TRUE(GrafikbereichAutomatisch);
  GespeichertUndGeladen();
  EXPECT_EQ(std::tuple(KonfigBlock.SimuGrenzeMax.Y, KonfigBlock.SimuGrenzeMin.Z), std::tuple(120.0, 400.0));
}

TEST_F(DialogKlein, PathDisplayMirrorWritingAndItalicAngleTakeTheChoice) {
  TVelkorBahndarstellungsForm bahn;
  TVelkorSpiegelschriftForm spiegel;
  TVelkorZeichensatzForm zeichensatz;
  Zeigen(bahn, [&] {
    EXPECT_TRUE(Teil<QRadioButton>(bahn, "Fraeserbahn")->isChecked());
    Teil<QRadioButton>(bahn, "Mittelpunktbahn")->click();
    Teil(bahn, "EndeButton")->click();
  });
  Zeigen(bahn, [&] {
    EXPECT_TRUE(Teil<QRadioButton>(bahn, "Mittelpunktbahn")->isChecked());
    Teil(bahn, "EndeButton")->click();
  });
  Zeigen(spiegel, [&] {
    Teil<QRadioButton>(spiegel, "ein")->click();
    Teil(spiegel, "EndeButton")->click();
  });
  Zeigen(zeichensatz, [&] {
    Eingeben(zeichensatz, "KursivEdit", "-12,5");
    Teil(zeichensatz, "UebernahmeButton")->click();
  });
  GespeichertUndGeladen();
  EXPECT_EQ(std::tuple(KonfigBlock.Fraeserbahn, KonfigBlock.Spiegelschrift, KonfigBlock.Kursivwinkel), std::tuple(false, true, -12.5));
}

TEST_F(DialogKlein, FontFromAnotherFolderLeavesTheWorkingFolderAndCanBeDiscarded) {
  TVelkorZeichensatzForm form;
  KonfigBlock.Gravurzeichensatz = "fonts/ROMAN.FNT";
  const auto ordner = std::filesystem::current_path();
  skript.DateiOeffnen(std::string("/other/SCRI.FNT"));
  skript.ErwarteFrage("Geänderte Einstellungen verwerfen?", true);
  Zeigen(form, [&] {
    EXPECT_EQ(Teil<QLineEdit>(form, "ZeichensatzEdit")->text(), "ROMAN");
    Teil(form, "ZeichensatzButton")->click();
    EXPECT_EQ(Teil<QLineEdit>(form, "ZeichensatzEdit")->text(), "SCRI");
    EXPECT_TRUE(Teil(form, "UebernahmeButton")->isEnabled());
    Eingeben(form, "KursivEdit", "15");
    Teil<QRadioButton>(form, "ein")->click();
    EXPECT_EQ(KonfigBlock.Gravurzeichensatz, "/other/SCRI.FNT");
    Teil(form, "AbbruchButton")->click();
  });
  EXPECT_EQ(std::filesystem::current_path(), ordner);
  EXPECT_EQ(skript.Dateidialoge.at(0).Filter, "Zeichensatzdateien|*.FNT");
  EXPECT_EQ(std::tuple(KonfigBlock.Gravurzeichensatz, KonfigBlock.Kursivwinkel, KonfigBlock.Spiegelschrift),
            std::tuple("fonts/ROMAN.FNT", 0.0, false));
}

TEST_F(DialogKlein, DisclaimerDecidesWhetherTheExitSaves) {
  TVelkorkeineHaftungForm form;
  workspace::KonfigSpeichernBeimEnde = true;
  Zeigen(form, [&] {
    EXPECT_FALSE(workspace::KonfigSpeichernBeimEnde);
    Teil(form, "AblehnButton")->click();
  });
  EXPECT_FALSE(workspace::KonfigSpeichernBeimEnde);
  Zeigen(form, [&] { Teil(form, "OKButton")->click(); });
  EXPECT_TRUE(workspace::KonfigSpeichernBeimEnde);
  Zeigen(form, [&] { QTest::keyClick(&form, Qt::Key_Escape); });
  EXPECT_FALSE(workspace::KonfigSpeichernBeimEnde);
}

TEST_F(DialogKlein, AboutBoxShowsTheProgramAndNoContactData) {
  TCopyrightForm form;
  workspace::Versionszeile = "Velkor 26.12.7 Qt";
  Zeigen(form, [&] {
    EXPECT_EQ(Teil<QLabel>(form, "VersionLabel")->text(), "Velkor 26.12.7 Qt");
    for (auto* l : form.findChildren<QLabel*>()) {
      EXPECT_TRUE(l->text().startsWith("Velkor")) << l->text().toStdString();
      EXPECT_FALSE(l->text().contains(QRegularExpression("[0-9]{4,}|@|Str\\.|Tel"))) << l->text().toStdString();
    }
    Teil(form, "EndButton")->click();
  });
  workspace::Versionszeile.clear();
}

}  // namespace
