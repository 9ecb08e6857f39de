// Buffered NC blocks that cannot be saved stay with the program they were made for: the
// windows' commands that would go on after the question (the switch to direct saving, the
// simulation window's restart, loading another part program) stop there, with the blocks,
// the program, its target and the setting as they were, after the save's one notice; and
// whatever the editor changes meanwhile, they are saved to their own target only.
#include <QAction>
#include <filesystem>
#include <optional>

#include "DialogFixture.h"

#include "engine/VelkorWinFileUtils.h"
#include "workspace/Teileprogramm_Befehle.h"
#include "workspace/VelkorEditUnit.h"
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
    testsupport::GepufferteSaetze({"N1 G00 X0"}, "fehlt/TEIL.CVT");
    dir.write("NEU.CNC", "N1 M30\r\n");
    host.Antworten = {"Ja"};
  }
  // The one question, the save's tone and notice; nothing changed, nothing written.
  void ErwarteUnveraendert() {
    EXPECT_EQ(host.Protokoll,
              (std::vector<std::string>{
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

// The blocks belong to the run that made them. What the editor changes meanwhile, the target
// ("Speichern unter..."), the program ("Öffnen...") and the program the main window takes
// back from it, never redirects them: once their folder is there again, "Ja" at exit saves
// them to their own target and to no other file.
TEST_F(PufferSicherung, TheEditorNeverRedirectsTheBlocks) {
  host.Antworten.clear();
  dir.write("TEIL.CNC", "N10 G90 G00 X0 Y0 Z10\r\nN20 M30\r\n");
  dir.write("ANDERS.CNC", "N1 M30\r\n");
  TVelkorEditForm editor;
  QTimer::singleShot(0, &editor, [&] {
    skript.DateiSpeichern(dir.file("DREI.CNC"));
    Teil<QAction>(editor, "SpeichernUnter1")->trigger();
    skript.DateiOeffnen(dir.file("ANDERS.CNC"));
    Teil<QAction>(editor, "Oeffnen1")->trigger();
    editor.reject();
  });
  EXPECT_TRUE(workspace::Editor1Click().Geaendert);  // ANDERS.CNC taken back
  EXPECT_EQ(std::tuple(KonfigBlock.Arbeitsdateiname, KonfigBlock.Zieldateiname, TeileprogrammListe),
            std::tuple(dir.file("ANDERS.CNC"), "DREI.CVT", std::optional(TNcZeilen{"N1 M30"})));
  std::filesystem::create_directory(dir.path() / "fehlt");
  host.Antworten = {"Ja"};
  workspace::ProgrammEndeSchreiben();
  EXPECT_EQ(dir.read("fehlt/TEIL.CVT"), "N1 G00 X0\r\n");
  for (const char* datei : {"TEIL.CVT", "DREI.CVT", "ANDERS.CVT"}) EXPECT_FALSE(dir.exists(datei)) << datei;
}

TEST_F(PufferSicherung, LoadingAnotherProgramLoadsNothing) {
  skript.DateiOeffnen(dir.file("NEU.CNC"));
  EXPECT_FALSE(workspace::Laden1Click().Geaendert);
  ErwarteUnveraendert();
}

}  // namespace
