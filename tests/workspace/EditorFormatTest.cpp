// The NC editor's display formatting: the font dialog, the style check marks and boxes that
// mirror it, and the alignment. None of it touches the text, its modified mark or undo.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDialog>
#include <QTextDocument>
#include <QTimer>

#include "engine/VelkorWinVAR.h"
#include "qtsupport/DialogSkript.h"
#include "support/TempDir.h"
#include "workspace/VelkorEditUnit.h"

using testsupport::DialogSkript;
using toolkit::qt::TSchrift;

namespace {

class EditorFormatTest : public ::testing::Test {
protected:
  void SetUp() override {
    VelkorWinVAR::KonfigBlock = {};
    VelkorWinVAR::WandlungLaeuft = false;
    dir.write("A.CNC", "N1 G01 X5\r\nN2 G00 Z10\r\n");
    VelkorWinVAR::KonfigBlock.Arbeitsdateiname = dir.file("A.CNC");
    ASSERT_TRUE(form.Vorbereiten());
    form.show();
  }
  QAction* Aktion(const char* name) { return form.findChild<QAction*>(name); }
  // The text, its modified mark and its undo stay as loaded.
  void TextUnberuehrt() {
    EXPECT_EQ(form.Editor()->toPlainText(), "N1 G01 X5\nN2 G00 Z10");
    EXPECT_FALSE(form.Editor()->document()->isModified());
    EXPECT_FALSE(form.Editor()->document()->isUndoAvailable());
    EXPECT_FALSE(Aktion("Rueckgaengig1")->isEnabled());
  }

  DialogSkript skript;
  testsupport::TempDir dir;
  TVelkorEditForm form;
};

}  // namespace

TEST_F(EditorFormatTest, TheFontDialogStartsWithTheDisplayFontAndItsChoiceIsMirrored) {
  TSchrift gewaehlt{"DejaVu Sans Mono", 14, true, false, true};
  skript.Schrift(gewaehlt);
  Aktion("Schriftart1")->trigger();
  ASSERT_EQ(skript.Schriftdialoge.size(), 1u);
  const TSchrift start = skript.Schriftdialoge[0];
  EXPECT_EQ(start.Name, "Arial");
  EXPECT_GT(start.Groesse, 0);  // 16 pixels, told in points
  EXPECT_FALSE(start.Fett || start.Kursiv || start.Unterstrichen);

  const QFont f = form.Editor()->font();
  EXPECT_EQ(std::tuple(f.family(), f.pointSize(), f.bold(), f.italic(), f.underline()),
            std::tuple(QString("DejaVu Sans Mono"), 14, true, false, true));
  EXPECT_EQ(std::tuple(Aktion("Fett1")->isChecked(), Aktion("Kursiv1")->isChecked(),
                       Aktion("Unterstrichen1")->isChecked()),
            std::tuple(true, false, true));
  EXPECT_EQ(form.findChild<QComboBox*>("Schriftgroesse")->currentText(), "14");
  TextUnberuehrt();

  // The check mark changes the display, and the next dialog starts from it.
  Aktion("Fett1")->trigger();
  EXPECT_FALSE(form.Editor()->font().bold());
  skript.Schrift(std::nullopt);  // cancelled: nothing changes
  Aktion("Schriftart1")->trigger();
  ASSERT_EQ(skript.Schriftdialoge.size(), 2u);
  EXPECT_FALSE(skript.Schriftdialoge[1].Fett);
  EXPECT_EQ(skript.Schriftdialoge[1].Groesse, 14);
  EXPECT_EQ(form.Editor()->font().pointSize(), 14);

  // A size the list lacks leaves the size box empty; a size from the box reaches the text.
  skript.Schrift(TSchrift{"DejaVu Sans Mono", 13, false, true, false});
  Aktion("Schriftart1")->trigger();
  EXPECT_EQ(form.findChild<QComboBox*>("Schriftgroesse")->currentIndex(), -1);
  EXPECT_TRUE(Aktion("Kursiv1")->isChecked());
  form.findChild<QComboBox*>("Schriftgroesse")->setCurrentText("20");
  EXPECT_EQ(form.Editor()->font().pointSize(), 20);
  TextUnberuehrt();

  // Closing asks nothing: formatting is no change of the part program.
  form.reject();
  EXPECT_FALSE(form.isVisible());
}

TEST_F(EditorFormatTest, AlignmentIsARadioChoiceThatOutlivesLoading) {
  QTextDocument* doc = form.Editor()->document();
  EXPECT_TRUE(Aktion("Links1")->isChecked());
  EXPECT_FALSE(doc->defaultTextOption().alignment() & (Qt::AlignRight | Qt::AlignHCenter));
  Aktion("Rechts1")->trigger();
  EXPECT_TRUE(doc->defaultTextOption().alignment() & Qt::AlignRight);
  EXPECT_TRUE(Aktion("Rechts1")->isChecked());
  EXPECT_FALSE(Aktion("Links1")->isChecked());
  Aktion("Zentriert1")->trigger();
  EXPECT_TRUE(doc->defaultTextOption().alignment() & Qt::AlignHCenter);
  EXPECT_FALSE(Aktion("Rechts1")->isChecked());
  TextUnberuehrt();

  // Another file keeps the display's alignment.
  dir.write("B.CNC", "N1 M30\r\n");
  skript.DateiOeffnen(dir.file("B.CNC"));
  Aktion("Oeffnen1")->trigger();
  EXPECT_EQ(form.Editor()->toPlainText(), "N1 M30");
  EXPECT_TRUE(form.Editor()->document()->defaultTextOption().alignment() & Qt::AlignHCenter);
  EXPECT_TRUE(Aktion("Zentriert1")->isChecked());
}

TEST_F(EditorFormatTest, TheQtFontDialogGivesBackWhatItWasAcceptedWith) {
  toolkit::qt::DialogeInstallieren(nullptr);  // the real boxes, answered by a timer
  const auto antworten = [](bool annehmen) {
    QTimer::singleShot(0, [annehmen] {
      auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_TRUE(dialog->testOption(QFontDialog::DontUseNativeDialog));
      annehmen ? dialog->accept() : dialog->reject();
    });
  };
  const TSchrift start{"DejaVu Sans", 12, true, true, false};
  antworten(true);
  const auto gewaehlt = toolkit::qt::Dialoge().SchriftWaehlen(start);
  antworten(false);
  const auto abgebrochen = toolkit::qt::Dialoge().SchriftWaehlen(start);
  toolkit::qt::DialogeInstallieren(&skript);
  ASSERT_TRUE(gewaehlt.has_value());
  EXPECT_EQ(gewaehlt->Groesse, 12);
  EXPECT_TRUE(gewaehlt->Fett);
  EXPECT_TRUE(gewaehlt->Kursiv);
  EXPECT_FALSE(gewaehlt->Unterstrichen);
  EXPECT_FALSE(abgebrochen.has_value());
}
