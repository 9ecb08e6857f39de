// Buffered NC blocks that cannot be saved stay with the program they were made for: the
// windows' commands that would go on after the question (the switch to direct saving, the
// simulation window's restart, loading another part program) stop there, with the blocks,
// the program, its target and the setting as they were, after the save's one notice.
#include <optional>

#include "DialogFixture.h"

#include "engine/VelkorWinFileUtils.h"
#include "workspace/Teileprogramm_Befehle.h"
#include "workspace/VelkorGrafikUnit.h"
#include "workspace/VelkorGrundeinstell.h"
#include "workspace/VelkorWinMain.h"

namespace {

using namespace VelkorWinVAR;

class PufferSicherung : public DialogFixture {
protected:
  void SetUp() override {
    DialogFixture::SetUp();
    haupt.emplace();  // the simulation window's restart runs its pass through the main window
    KonfigBlock.DirektSpeichern = false;
    KonfigBlock.Arbeitsdateiname = "TEIL.CNC";
    KonfigBlock.Zieldateiname = "fehlt/TEIL.CVT";
    TeileprogrammListe = TNcZeilen{"N10 G90 G00 X0 Y0 Z10", "N20 M30"};
    VelkorWinFileUtils::NcSatzPuffer.push_back("N1 G00 X0");
    dir.write("NEU.CNC", "N1 M30\r\n");
    host.Antworten = {"Ja"};
  }
  // The one question, the save's tone and notice; nothing changed, nothing written.
  void ErwarteUnveraendert() {
    EXPECT_EQ(host.Protokoll, (std::vector<std::string>{
                                  "confirm: Die erzeugten NC-Sätze speichern? -> Ja", "tone: 440 200",
                                  "notice: Fehler beim Speichern in fehlt/TEIL.CVT: Datei oder Verzeichnis nicht gefunden"}));
    EXPECT_EQ(std::tuple(VelkorWinFileUtils::NcSatzPuffer.Zeilen(), KonfigBlock.Arbeitsdateiname,
                         KonfigBlock.Zieldateiname, TeileprogrammListe, KonfigBlock.DirektSpeichern, WandlungLaeuft,
                         std::distance(std::filesystem::directory_iterator(dir.path()), {})),
              std::tuple(TNcZeilen{"N1 G00 X0"}, "TEIL.CNC", "fehlt/TEIL.CVT",
                         std::optional(TNcZeilen{"N10 G90 G00 X0 Y0 Z10", "N20 M30"}), false, false, 1));
  }
  std::optional<TVelkorMainForm> haupt;
};

TEST_F(PufferSicherung, TheSwitchToDirectSavingWaitsForTheBlocks) {
  TVelkorGrundeinstellForm form;
  Zeigen(form, [&] {
    auto* box = Teil<QCheckBox>(form, "direkt_speichernCheckBox");
    box->click();
    EXPECT_FALSE(box->isChecked());
    Teil(form, "AbbruchButton")->click();  // nothing changed: closes without a question
  });
  ErwarteUnveraendert();
}

TEST_F(PufferSicherung, TheSimulationRestartRunsNoPass) {
  TVelkorGrafikForm form(nullptr);
  skript.ErwarteFrage("Konvertierung neu beginnen?", true);
  form.GrafikImageClick();
  ErwarteUnveraendert();
}

TEST_F(PufferSicherung, LoadingAnotherProgramLoadsNothing) {
  skript.DateiOeffnen(dir.file("NEU.CNC"));
  EXPECT_FALSE(workspace::Laden1Click().Geaendert);
  ErwarteUnveraendert();
}

}  // namespace
