// The basic settings and the decimal-places dialogs as the operator uses them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinVAR.h"
#include "qtsupport/DialogSkript.h"
#include "support/EngineFixture.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/VelkorGrundeinstell.h"
#include "workspace/VelkorStellen.h"

namespace {

using namespace VelkorWinVAR;
using testsupport::DialogSkript;


template <typename Form>
class DialogFixture : public testsupport::EngineFixture {
protected:
  void Eingeben(const char* name, const char* text) {
    auto* e = form.template findChild<QLineEdit*>(name);
    ASSERT_NE(e, nullptr) << name;
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, QString::fromUtf8(text));
    QFocusEvent weg(QEvent::FocusOut);
    QApplication::sendEvent(e, &weg);
  }
  QPushButton* Knopf(const char* name) { return form.template findChild<QPushButton*>(name); }
  QCheckBox* Box(const char* name) { return form.template findChild<QCheckBox*>(name); }
  void Zeigen(const char* klasse, std::function<void()> tat) {
    QTimer::singleShot(0, &form, [&, tat] {
      tat();
      EXPECT_FALSE(form.isVisible());
      if (form.isVisible()) form.done(QDialog::Rejected);
    });
    ASSERT_TRUE(toolkit::qt::FensterZeigen(klasse));
  }
  // The settings file written now and read back into a fresh block.
  void GespeichertUndGeladen() {
    ASSERT_TRUE(VelkorWinCNF::KonfigurationSpeichern("V.CNF"));
    KonfigBlock = TKonfigBlock{};
    ASSERT_TRUE(VelkorWinCNF::KonfigurationLaden("V.CNF"));
  }
  DialogSkript skript;
  Form form;
};

using DialogGrundeinstell = DialogFixture<TVelkorGrundeinstellForm>;
using DialogStellen = DialogFixture<TVelkorStellenForm>;

TEST_F(DialogGrundeinstell, EntriesAreCheckedAndAcceptedOnesSaved) {
  skript.ErwarteHinweis("Die Namenserweiterung muß mindestens 1 Zeichen lang sein!");
  skript.ErwarteHinweis("Die Namenserweiterung darf maximal 3 Zeichen lang sein!");
  skript.ErwarteHinweis("Der Wert muß größer als Null sein!");
  skript.ErwarteHinweis("Der Wert muß zwischen 0 und 65535 liegen!");
  skript.ErwarteHinweis("Der Steuerungsname darf maximal 20 Zeichen lang sein!");
  Zeigen("TVelkorGrundeinstellForm", [&] {
    Eingeben("QuellExtEdit", "");
    EXPECT_EQ(KonfigBlock.QuellExt, "CNC");
    EXPECT_EQ(form.findChild<QLineEdit*>("QuellExtEdit")->text(), "CNC");
    Eingeben("QuellExtEdit", "ABCD");
    Eingeben("TextzyklusEdit", "-5");
    Eingeben("TextzyklusEdit", "0");
    Eingeben("GrafikzyklusEdit", "70000");
    Eingeben("GrafikzyklusEdit", "190");
    Eingeben("SteuerungsEdit", "123456789012345678901");
    Eingeben("SteuerungsEdit", "Fanuc");
    Eingeben("ZielExtEdit", "NC");
    Eingeben("InkrementEdit", "5");  // shown only
    Box("GeometrieadrCheckBox")->click();
    Box("SatznummerCheckBox")->click();
    Knopf("UebernahmeButton")->click();
  });
  EXPECT_EQ(KonfigBlock.TextzyklusNummer, 0);
  EXPECT_EQ(KonfigBlock.GrafikzyklusNummer, 190);
  EXPECT_FALSE(KonfigBlock.NurGeaenderteAdressen);
  GespeichertUndGeladen();
  EXPECT_EQ(KonfigBlock.QuellExt, "CNC");
  EXPECT_EQ(KonfigBlock.ZielExt, "NC");
  EXPECT_EQ(KonfigBlock.Steuerungsbezeichnung, "Fanuc");
  EXPECT_EQ(KonfigBlock.TextzyklusNummer, 0);
  EXPECT_EQ(KonfigBlock.GrafikzyklusNummer, 190);
  EXPECT_EQ(KonfigBlock.SatznummernInkrement, 1);
  EXPECT_FALSE(KonfigBlock.NurGeaenderteAdressen);
  EXPECT_FALSE(KonfigBlock.MitSatznummern);
}

TEST_F(DialogGrundeinstell, DirectSavingDropsTheBufferAndDiscardingDoesNotBringItBack) {
  KonfigBlock.DirektSpeichern = false;
  VelkorWinFileUtils::NcSatzPuffer.push_back("N10 G00 X0");
  VelkorWinFileUtils::NcSatzPuffer.push_back("N20 G01 X5");
  skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", false);
  skript.ErwarteFrage("Geänderte Einstellungen verwerfen?", true);
  Zeigen("TVelkorGrundeinstellForm", [&] {
    Box("direkt_speichernCheckBox")->click();
    EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
    EXPECT_TRUE(KonfigBlock.DirektSpeichern);
    Knopf("AbbruchButton")->click();
  });
  EXPECT_FALSE(KonfigBlock.DirektSpeichern);
  EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
  const std::vector<std::pair<engine::TSatzAnzeige, std::string>> geleert = {
      {engine::TSatzAnzeige::HauptQuelle, ""}, {engine::TSatzAnzeige::HauptZiel, ""}};
  EXPECT_EQ(host.Anzeigen, geleert);
}

TEST_F(DialogGrundeinstell, DirectSavingWithYesWritesTheBuffer) {
  KonfigBlock.DirektSpeichern = false;
  KonfigBlock.Zieldateiname = "TEIL.CVT";
  VelkorWinFileUtils::NcSatzPuffer.push_back("N10 G00 X0");
  skript.ErwarteFrage("Die erzeugten NC-Sätze speichern?", true);
  Zeigen("TVelkorGrundeinstellForm", [&] {
    Box("direkt_speichernCheckBox")->click();
    Knopf("UebernahmeButton")->click();
  });
  EXPECT_EQ(Zeilen("TEIL.CVT"), std::vector<std::string>{"N10 G00 X0"});
  EXPECT_TRUE(KonfigBlock.DirektSpeichern);
}

TEST_F(DialogStellen, WholeNumbersAboveZeroWithinAByte) {
  skript.ErwarteHinweis("Der Wert muß größer als Null sein!");
  skript.ErwarteHinweis("Der Wert muß zwischen 1 und 255 liegen!");
  skript.ErwarteHinweis("Falsches Zeichen im Eingabefeld!");
  Zeigen("TVelkorStellenForm", [&] {
    Eingeben("Ges_St_Edit", "0");
    EXPECT_EQ(KonfigBlock.Gesamtstellen, 10);
    Eingeben("Ges_St_Edit", "256");
    Eingeben("Nk_St_Edit", "2,5");
    Eingeben("Ges_St_Edit", "12");
    Eingeben("Nk_St_Edit", "4");
    Knopf("UebernahmeButton")->click();
  });
  GespeichertUndGeladen();
  EXPECT_EQ(KonfigBlock.Gesamtstellen, 12);
  EXPECT_EQ(KonfigBlock.Nachkommastellen, 4);
}

TEST_F(DialogStellen, AbbrechenWithYesPutsBothBack) {
  skript.ErwarteFrage("Geänderte Einstellungen verwerfen?", true);
  Zeigen("TVelkorStellenForm", [&] {
    EXPECT_EQ(Knopf("AbbruchButton")->text(), "Abbrechen");
    Eingeben("Ges_St_Edit", "8");
    Eingeben("Nk_St_Edit", "1");
    Knopf("AbbruchButton")->click();
  });
  EXPECT_EQ(KonfigBlock.Gesamtstellen, 10);
  EXPECT_EQ(KonfigBlock.Nachkommastellen, 3);
}

}  // namespace
