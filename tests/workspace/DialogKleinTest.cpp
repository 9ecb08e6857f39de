// The smaller dialogs: simulation limits, path display, mirror writing, engraving text,
// disclaimer and about box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinVAR.h"
#include "qtsupport/DialogSkript.h"
#include "support/EngineFixture.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/Hauptzustand.h"
#include "workspace/VelkorBahndarstellung.h"
#include "workspace/VelkorHaftung.h"
#include "workspace/VelkorSimuGrenz.h"
#include "workspace/VelkorWinMain.h"
#include "workspace/VelkorZeichensatzWahl.h"

namespace {

using namespace VelkorWinVAR;
using testsupport::DialogSkript;


class DialogKlein : public testsupport::EngineFixture {
protected:
  static void Eingeben(QWidget& form, const char* name, const char* text) {
    auto* e = form.findChild<QLineEdit*>(name);
    ASSERT_NE(e, nullptr) << name;
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, QString::fromUtf8(text));
    QFocusEvent weg(QEvent::FocusOut);
    QApplication::sendEvent(e, &weg);
  }
  template <typename T = QPushButton>
  static T* Teil(QWidget& form, const char* name) {
    auto* t = form.findChild<T*>(name);
    EXPECT_NE(t, nullptr) << name;
    return t;
  }
  // Shows the window through the window list and runs `tat` while it is open.
  static void Zeigen(QDialog& form, const char* klasse, std::function<void()> tat) {
    QTimer::singleShot(0, &form, [&form, tat] {
      tat();
      EXPECT_FALSE(form.isVisible());
      if (form.isVisible()) form.QDialog::done(QDialog::Rejected);
    });
    ASSERT_TRUE(toolkit::qt::FensterZeigen(klasse));
  }
  DialogSkript skript;
};

TEST_F(DialogKlein, SimulationLimitsRefuseBadEntriesAndNoPutsEverythingBack) {
  TVelkorSimuGrenzForm form;
  skript.ErwarteHinweis("Falsches Zeichen im Eingabefeld!");
  skript.ErwarteHinweis("Der Wert muß größer als Null sein!");
  skript.ErwarteHinweis("Die untere und die obere Simulationsgrenze dürfen nicht gleich sein!");
  skript.ErwarteTasten("Geänderte Werte speichern?", 1);
  Zeigen(form, "TVelkorSimuGrenzForm", [&] {
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
  EXPECT_EQ(KonfigBlock.SimuGrenzeMin.X, -200.0);
  EXPECT_EQ(KonfigBlock.SkaleneinheitZ, 50.0);
  EXPECT_FALSE(GrafikbereichAutomatisch);
}

TEST_F(DialogKlein, SimulationLimitsKeptOnYesAndOnAClosedBoxAndSaved) {
  TVelkorSimuGrenzForm form;
  skript.ErwarteTasten("Geänderte Werte speichern?", 0);
  skript.ErwarteTasten("Geänderte Werte speichern?", -1);
  Zeigen(form, "TVelkorSimuGrenzForm", [&] {
    Eingeben(form, "ymaxEdit", "120");
    Eingeben(form, "zminEdit", "400");  // above its maximum: allowed
    Teil(form, "BeendenButton")->click();
  });
  Zeigen(form, "TVelkorSimuGrenzForm", [&] {
    EXPECT_FALSE(Teil(form, "UebernahmeButton")->isEnabled());
    Teil<QCheckBox>(form, "AutografikbereichCheckBox")->click();
    Teil(form, "BeendenButton")->click();
  });
  EXPECT_TRUE(GrafikbereichAutomatisch);
  ASSERT_TRUE(VelkorWinCNF::KonfigurationSpeichern("V.CNF"));
  KonfigBlock = TKonfigBlock{};
  ASSERT_TRUE(VelkorWinCNF::KonfigurationLaden("V.CNF"));
  EXPECT_EQ(KonfigBlock.SimuGrenzeMax.Y, 120.0);
  EXPECT_EQ(KonfigBlock.SimuGrenzeMin.Z, 400.0);
}

TEST_F(DialogKlein, PathDisplayAndMirrorWritingTakeTheChoice) {
  TVelkorBahndarstellungsForm bahn;
  TVelkorSpiegelschriftForm spiegel;
  Zeigen(bahn, "TVelkorBahndarstellungsForm", [&] {
    EXPECT_TRUE(Teil<QRadioButton>(bahn, "Fraeserbahn")->isChecked());
    Teil<QRadioButton>(bahn, "Mittelpunktbahn")->click();
    Teil(bahn, "EndeButton")->click();
  });
  EXPECT_FALSE(KonfigBlock.Fraeserbahn);
  Zeigen(bahn, "TVelkorBahndarstellungsForm", [&] {
    EXPECT_TRUE(Teil<QRadioButton>(bahn, "Mittelpunktbahn")->isChecked());
    Teil(bahn, "EndeButton")->click();
  });
  Zeigen(spiegel, "TVelkorSpiegelschriftForm", [&] {
    Teil<QRadioButton>(spiegel, "ein")->click();
    Teil(spiegel, "EndeButton")->click();
  });
  EXPECT_TRUE(KonfigBlock.Spiegelschrift);
  ASSERT_TRUE(VelkorWinCNF::KonfigurationSpeichern("V.CNF"));
  KonfigBlock = TKonfigBlock{};
  ASSERT_TRUE(VelkorWinCNF::KonfigurationLaden("V.CNF"));
  EXPECT_FALSE(KonfigBlock.Fraeserbahn);
  EXPECT_TRUE(KonfigBlock.Spiegelschrift);
}

TEST_F(DialogKlein, FontFromAnotherFolderLeavesTheWorkingFolderAndCanBeDiscarded) {
  TVelkorZeichensatzForm form;
  KonfigBlock.Gravurzeichensatz = "fonts/ROMAN.FNT";
  const auto ordner = std::filesystem::current_path();
  skript.DateiOeffnen(std::string("/other/SCRI.FNT"));
  skript.ErwarteFrage("Geänderte Einstellungen verwerfen?", true);
  Zeigen(form, "TVelkorZeichensatzForm", [&] {
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
  ASSERT_EQ(skript.Dateidialoge.size(), 1u);
  EXPECT_EQ(skript.Dateidialoge[0].Filter, "Zeichensatzdateien|*.FNT");
  EXPECT_EQ(KonfigBlock.Gravurzeichensatz, "fonts/ROMAN.FNT");
  EXPECT_EQ(KonfigBlock.Kursivwinkel, 0.0);
  EXPECT_FALSE(KonfigBlock.Spiegelschrift);
}

TEST_F(DialogKlein, FontSettingsAcceptedAreSaved) {
  TVelkorZeichensatzForm form;
  Zeigen(form, "TVelkorZeichensatzForm", [&] {
    Eingeben(form, "KursivEdit", "-12,5");
    Teil(form, "UebernahmeButton")->click();
  });
  ASSERT_TRUE(VelkorWinCNF::KonfigurationSpeichern("V.CNF"));
  KonfigBlock = TKonfigBlock{};
  ASSERT_TRUE(VelkorWinCNF::KonfigurationLaden("V.CNF"));
  EXPECT_EQ(KonfigBlock.Kursivwinkel, -12.5);
}

TEST_F(DialogKlein, DisclaimerDecidesWhetherTheExitSaves) {
  TVelkorkeineHaftungForm form;
  QStringList zeilen;
  for (const char* z : {" Wichtiger Hinweis: Haftungsausschluss", "", " Als Programmbenutzer ist mir bekannt, dass der Autor ",
                        " dieses Programms nicht für Schäden an Soft- oder ", " Hardware und nicht für Vermögensschäden haftet, die",
                        " die durch  Benutzung dieser Software entstehen könnten.", "",
                        " Ich darf das Programm nur dann benutzen, wenn ich dem ", " zustimme!", ""})
    zeilen << QString::fromUtf8(z);
  EXPECT_EQ(Teil<QPlainTextEdit>(form, "Memo")->toPlainText(), zeilen.join('\n'));
  workspace::KonfigSpeichernBeimEnde = true;
  Zeigen(form, "TVelkorkeineHaftungForm", [&] {
    EXPECT_FALSE(workspace::KonfigSpeichernBeimEnde);
    Teil(form, "AblehnButton")->click();
  });
  EXPECT_FALSE(workspace::KonfigSpeichernBeimEnde);
  Zeigen(form, "TVelkorkeineHaftungForm", [&] { Teil(form, "OKButton")->click(); });
  EXPECT_TRUE(workspace::KonfigSpeichernBeimEnde);
  Zeigen(form, "TVelkorkeineHaftungForm", [&] { QTest::keyClick(&form, Qt::Key_Escape); });
  EXPECT_FALSE(workspace::KonfigSpeichernBeimEnde);
}

TEST_F(DialogKlein, AboutBoxShowsTheProgramAndNoContactData) {
  TCopyrightForm form;
  workspace::Versionszeile = "Velkor 26.12.7 Qt";
  Zeigen(form, "TCopyrightForm", [&] {
    EXPECT_EQ(Teil<QLabel>(form, "VersionLabel")->text(), "Velkor 26.12.7 Qt");
    EXPECT_EQ(form.windowTitle(), "VelkorWin: Programmierer");
    for (auto* l : form.findChildren<QLabel*>()) {
      EXPECT_TRUE(l->text().startsWith("Velkor")) << l->text().toStdString();
      EXPECT_FALSE(l->text().contains(QRegularExpression("[0-9]{4,}|@|Str\\.|Tel"))) << l->text().toStdString();
    }
    Teil(form, "EndButton")->click();
  });
  workspace::Versionszeile.clear();
}

}  // namespace
