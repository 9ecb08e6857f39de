// The basic settings and the decimal-places dialogs as the operator uses them.
#include "DialogFixture.h"

#include "engine/VelkorWinFileUtils.h"
#include "workspace/VelkorGrundeinstell.h"
#include "workspace/VelkorStellen.h"

namespace {

using namespace VelkorWinVAR;

using DialogGrundeinstell = DialogMit<TVelkorGrundeinstellForm>;
using DialogStellen = DialogMit<TVelkorStellenForm>;

// What each entry refuses is the rule test's; here each edit reaches its rule, a refusal
// puts the old text back and keeps the setting, and the accepted entries are saved.
TEST_F(DialogGrundeinstell, RefusedEntriesKeepTheSettingAndAcceptedOnesAreSaved) {
  skript.ErwarteHinweis("Die Namenserweiterung muß mindestens 1 Zeichen lang sein!");
  skript.ErwarteHinweis("Der Wert muß zwischen 0 und 65535 liegen!");
  skript.ErwarteHinweis("Der Steuerungsname darf maximal 20 Zeichen lang sein!");
  Zeigen([&] {
    Eingeben("QuellExtEdit", "");
    EXPECT_EQ(KonfigBlock.QuellExt, "CNC");
    EXPECT_EQ(Kind<QLineEdit>("QuellExtEdit", &form)->text(), "CNC");
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
  GespeichertUndGeladen();
  const auto& k = KonfigBlock;
  EXPECT_EQ(std::tuple(k.QuellExt, k.ZielExt, k.Steuerungsbezeichnung), std::tuple("CNC", "NC", "Fanuc"));
  EXPECT_EQ(std::tuple(int(k.TextzyklusNummer), int(k.GrafikzyklusNummer), int(k.SatznummernInkrement),
                       k.NurGeaenderteAdressen, k.MitSatznummern),
            std::tuple(0, 190, 1, false, false));
}

// Switching to direct saving with NC blocks waiting: "Ja" writes them to the target file,
// "Nein" drops them; discarding the dialog afterwards does not bring them back. The question
// is the engine's, asked through its host.
TEST_F(DialogGrundeinstell, DirectSavingWritesOrDropsTheWaitingBlocks) {
  for (bool speichern : {true, false}) {
    SCOPED_TRACE(speichern);
    KonfigBlock.DirektSpeichern = false;
    KonfigBlock.Zieldateiname = "TEIL.CVT";
    testsupport::GepufferteSaetze({"N10 G00 X0"}, "TEIL.CVT");
    host.Anzeigen.clear();
    host.Protokoll.clear();
    host.Antworten = {speichern ? "Ja" : "Nein"};
    if (!speichern) skript.ErwarteFrage("Geänderte Einstellungen verwerfen?", true);
    Zeigen([&] {
      Box("direkt_speichernCheckBox")->click();
      EXPECT_TRUE(VelkorWinFileUtils::NcSatzPuffer.empty());
      Knopf(speichern ? "UebernahmeButton" : "AbbruchButton")->click();
    });
    EXPECT_EQ(KonfigBlock.DirektSpeichern, speichern);
    const std::vector<std::pair<engine::TSatzAnzeige, std::string>> geleert = {
        {engine::TSatzAnzeige::HauptQuelle, ""}, {engine::TSatzAnzeige::HauptZiel, ""}};
    EXPECT_EQ(host.Anzeigen, geleert);
    EXPECT_EQ(host.Protokoll,
              std::vector<std::string>{std::string("confirm: Die erzeugten NC-Sätze speichern? -> ") + (speichern ? "Ja" : "Nein")});
  }
  EXPECT_EQ(Zeilen("TEIL.CVT"), std::vector<std::string>{"N10 G00 X0"});  // written once
}

TEST_F(DialogStellen, RefusedEntriesKeepTheSettingAndAbbrechenPutsBothBack) {
  skript.ErwarteHinweis("Der Wert muß größer als Null sein!");
  skript.ErwarteHinweis("Falsches Zeichen im Eingabefeld!");
  skript.ErwarteFrage("Geänderte Einstellungen verwerfen?", true);
  Zeigen([&] {
    Eingeben("Ges_St_Edit", "0");
    EXPECT_EQ(KonfigBlock.Gesamtstellen, 10);
    Eingeben("Nk_St_Edit", "2,5");
    Eingeben("Ges_St_Edit", "8");
    Eingeben("Nk_St_Edit", "1");
    Knopf("AbbruchButton")->click();
  });
  EXPECT_EQ(std::tuple(int(KonfigBlock.Gesamtstellen), int(KonfigBlock.Nachkommastellen)), std::tuple(10, 3));
  Zeigen([&] {
    Eingeben("Ges_St_Edit", "12");
    Eingeben("Nk_St_Edit", "4");
    Knopf("UebernahmeButton")->click();
  });
  GespeichertUndGeladen();
  EXPECT_EQ(std::tuple(int(KonfigBlock.Gesamtstellen), int(KonfigBlock.Nachkommastellen)), std::tuple(12, 4));
}

}  // namespace
