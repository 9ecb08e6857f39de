// The menu entries of the image work file with their file dialogs: what is written, what is
// refused, and files loaded through the program's own part-program reader (every value
// coming back is the codec test's round trip).
#include <gtest/gtest.h>

#include "engine/EngineHost.h"
#include "engine/VelkorWinVAR.h"
#include "qtsupport/DialogSkript.h"
#include "support/EngineFixture.h"
#include "toolkit/LineFile.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"
#include "workspace/Arbeitsdatei.h"
#include "workspace/Arbeitsdatei_Codec.h"

namespace {

using namespace VelkorWinVAR;
using testsupport::DialogSkript;

// The engine's boxes shown as the program shows them: through the dialog service.
class DialogHost : public engine::EngineHost {
public:
  DialogHost() { engine::InstallHost(this); }
  ~DialogHost() override { engine::InstallHost(nullptr); }
  void notice(const std::string& text) override { toolkit::qt::Hinweis(text); }
  bool confirm(const std::string& text) override { return toolkit::qt::Frage(text); }
};

class ArbeitsdateiFenster : public testsupport::EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
  }
  DialogHost weiter;
  DialogSkript skript;
};

TEST_F(ArbeitsdateiFenster, CancelledDialogsWriteAndReadNothing) {
  skript.DateiSpeichern(std::nullopt).DateiOeffnen(std::nullopt);
  workspace::Speichern1Click();
  KonfigBlock.Anlauffaktor = 1.5;
  workspace::Laden2Click();
  EXPECT_EQ(std::tuple(std::filesystem::is_empty(dir.path()), KonfigBlock.Anlauffaktor), std::tuple(true, 1.5));
  ASSERT_EQ(skript.Dateidialoge.size(), 2u);
  const auto &s = skript.Dateidialoge[0], &l = skript.Dateidialoge[1];
  EXPECT_EQ(std::tuple(s.Dateiname, s.Filter, l.Titel, l.StandardErweiterung),
            std::tuple("TEIL.CFG", "CFG-Dateien|*.CFG", "Velkor - Config-Datei laden", ".CFG"));
}

TEST_F(ArbeitsdateiFenster, ExtraColourFileOnlyForManyColoursOrGrey) {
  skript.DateiSpeichern(dir.file("A.CFG"));
  Farbanzahl = 16;
  workspace::Speichern1Click();
  EXPECT_EQ(std::tuple(toolkit::SplitLines(dir.read("A.CFG")).size(), dir.exists("A.NOP")), std::tuple(90u, false));

  skript.DateiSpeichern(dir.file("B.CFG"));
  skript.ErwarteHinweis("Extrafarben noch nicht aktiviert!");
  KonfigBlock.Graubildwandlung = true;
  workspace::Speichern1Click();
  EXPECT_EQ(std::tuple(dir.exists("B.CFG"), dir.exists("B.NOP")), std::tuple(true, false));
}

TEST_F(ArbeitsdateiFenster, DamagedFilesGiveTheirNoticeAndLoseNothing) {
  dir.write("LEER.CFG", "");
  skript.DateiOeffnen(dir.file("LEER.CFG"));
  skript.ErwarteHinweis("Fehler beim Laden der Bildkonfigurationsdatei " + dir.file("LEER.CFG") + " !");
  workspace::Laden2Click();
  EXPECT_EQ(KonfigBlock.Arbeitsdateiname, "TEIL.CNC");  // an empty file changes nothing

  // Lines ended by CR alone or by LF alone, the first of two equal keys winning.
  dir.write("TEIL.CNC", "N10 G00 X0\r\n");
  dir.write("SCRI.FNT", "x");
  KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
  KonfigBlock.Gravurzeichensatz = "SCRI.FNT";
  auto zeilen = workspace::ArbeitsdateiZeilen();
  std::string cr = "Kopf\r", lf = "Kopf\nAnlauffaktor=0.25\n";
  for (auto z : zeilen) {
    if (z.rfind("Anlauffaktor=", 0) == 0) z = "Anlauffaktor=0,5";
    cr += z + "\r";
    lf += z + "\n";
  }
  dir.write("CR.CFG", cr);
  dir.write("LF.CFG", lf);
  skript.DateiOeffnen(dir.file("CR.CFG")).DateiOeffnen(dir.file("LF.CFG"));
  TeileprogrammListe.reset();
  workspace::Laden2Click();
  ASSERT_TRUE(TeileprogrammListe.has_value());  // the part program the file names, read again
  EXPECT_EQ(std::tuple(KonfigBlock.Anlauffaktor, TeileprogrammListe->size()), std::tuple(0.5, 1u));
  workspace::Laden2Click();
  EXPECT_EQ(std::tuple(KonfigBlock.Anlauffaktor, dir.read("LF.CFG")), std::tuple(0.25, lf));
  EXPECT_EQ(skript.Protokoll.size(), 4u);  // the dialogs and the one notice
}

}  // namespace
