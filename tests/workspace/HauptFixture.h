#pragma once
// The main window's tests: every module reset, the window host installed, the clock fixed
// at 07.12.2025 9:05 with the German separator, a fresh working directory, and the
// program's windows created through the program's own list. Boxes are answered by the
// script each test names; things done while a run goes on are played by a timer.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>

#include "app/Fensterliste.h"
#include "engine/EngineReset.h"
#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinVAR.h"
#include "imageio/RasterGraphics.h"
#include "imageprep/VelkorBAUnit.h"
#include "imageprep/VelkorBildInfoUnit.h"
#include "qtsupport/DialogSkript.h"
#include "qtsupport/Fensterhilfen.h"
#include "support/EngineFixture.h"
#include "support/TempDir.h"
#include "toolkit/Bildablage.h"
#include "toolkit/Clock.h"
#include "toolkit/LineFile.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/Arbeitsdatei_Codec.h"
#include "workspace/FensterHost.h"
#include "workspace/Hauptzustand.h"
#include "workspace/Teileprogramm.h"
#include "workspace/VelkorWinMain.h"

namespace hauptfenster {

using testsupport::ModalOffen;

class HauptFixture : public ::testing::Test {
protected:
  void SetUp() override {
    engine::ResetAllModules();
    RasterGraphics::ResetState();
    toolkit::SetFixedClock({2025, 12, 7, 9, 5, 0, 0});
    toolkit::SetDecimalSeparator(',');
    toolkit::SetShortDateFormat("%d.%m.%Y");
    toolkit::BildablageLeeren();
    workspace::HauptzustandZuruecksetzen();
    workspace::KonfigSpeichernBeimEnde = false;
    workspace::TeileprogrammGeaendert = false;
    engine::InstallHost(&workspace::FensterHost());
  }
  void TearDown() override {
    haupt.reset();  // deleting the windows runs no exit sequence: nothing written, nothing asked
    engine::InstallHost(nullptr);
    toolkit::SetClock(nullptr);
    toolkit::SetDecimalSeparator('.');
    workspace::HauptzustandZuruecksetzen();
    engine::ResetAllModules();
  }

  // A settings file of the start values with these changes; the modules are reset after,
  // so that only the file brings them.
  void Einstellungen(const std::function<void(VelkorWinVAR::TKonfigBlock&)>& aendern) {
    aendern(VelkorWinVAR::KonfigBlock);
    ASSERT_TRUE(VelkorWinCNF::KonfigurationSpeichern("VelkorWin.CNF"));
    engine::ResetAllModules();
  }
  // A text file of UTF-8 lines, written in Windows-1252 with CR LF.
  void Datei(const std::string& name, const std::vector<std::string>& zeilen) {
    std::vector<std::string> ansi;
    for (const auto& z : zeilen) ansi.push_back(toolkit::Ansi(z));
    ASSERT_TRUE(toolkit::WriteLineFile(dir.file(name), ansi));
  }
  // The example folder's files, as the program is shipped.
  void Beispiele() {
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(VELKOR_SOURCE_DIR) / "examples"))
      if (e.path().filename() != "erzeugen") std::filesystem::copy_file(e.path(), dir.path() / e.path().filename());
  }
  // An image work file `cfg` of the settings that stand, naming the part program `programm`.
  void Arbeitsdatei(const std::string& cfg, const std::string& programm) {
    std::string& name = VelkorWinVAR::KonfigBlock.Arbeitsdateiname;
    const std::string bisher = std::exchange(name, programm);
    auto zeilen = workspace::ArbeitsdateiZeilen();
    const bool geschrieben = VelkorWinFileUtils::BildEinstellDateiSpeichern(zeilen, cfg);
    name = bisher;
    ASSERT_TRUE(geschrieben) << cfg;
  }
  std::vector<std::string> Zeilen(const std::string& name) const {
    std::vector<std::string> z = toolkit::SplitLines(dir.read(name));
    for (auto& zeile : z) zeile = toolkit::Cp1252ToUtf8(zeile);
    return z;
  }

  // Creates the windows, shows the main window and lets its first activation run. Without
  // `bildfenster` the image section and information windows are not there: a run takes the
  // whole picture and shows no information.
  void Starten(bool bildfenster = false) {
    haupt.reset(FensterErzeugen());
    form = qobject_cast<TVelkorMainForm*>(haupt.get());
    ASSERT_NE(form, nullptr);
    if (!bildfenster) {
      delete toolkit::qt::Fenster<TVelkorBAForm>();
      delete toolkit::qt::Fenster<TVelkorBildinfoForm>();
      delete toolkit::qt::Fenster<TVelkorGrauBildinfoForm>();
    }
    haupt->show();
    for (int i = 0; i < 100 && !form->Aktiviert(); ++i) QApplication::processEvents();
    ASSERT_TRUE(form->Aktiviert());
  }
  void Ausloesen(const std::string& name) {
    QAction* a = form->Aktion(name);
    ASSERT_NE(a, nullptr) << name;
    a->trigger();
  }
  void Sobald(std::function<bool()> bedingung, std::function<void()> tat) {
    testsupport::Sobald(haupt.get(), std::move(bedingung), std::move(tat));
  }

  testsupport::TempDir dir{true};
  std::unique_ptr<QWidget> haupt;
  TVelkorMainForm* form = nullptr;
};

}  // namespace hauptfenster
