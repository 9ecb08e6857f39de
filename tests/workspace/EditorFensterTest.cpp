// Journeys through the NC editor window: loading and saving byte for byte, find and replace,
// the editing keys, the file commands and closing with unsaved changes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "engine/VelkorWinVAR.h"
#include "qtsupport/DialogSkript.h"
#include "support/TempDir.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Fensterliste.h"
#include "toolkit/qt/QtText.h"
#include "workspace/Teileprogramm.h"
#include "workspace/Teileprogramm_Befehle.h"
#include "workspace/VelkorEditUnit.h"

using testsupport::DialogSkript;
using VelkorWinVAR::KonfigBlock;

namespace {

const char* const Schliessfrage = "Die Änderungen am Teileprogramm speichern?";

class EditorFensterTest : public ::testing::Test {
protected:
  void SetUp() override {
    KonfigBlock = {};
    VelkorWinVAR::WandlungLaeuft = false;
    workspace::TeileprogrammGeaendert = false;
  }
  void Oeffnen(const std::string& name, const std::string& bytes) {
    dir.write(name, bytes);
    KonfigBlock.Arbeitsdateiname = dir.file(name);
    ASSERT_TRUE(form.Vorbereiten());
    form.show();
  }
  QString Text() const { return const_cast<TVelkorEditForm&>(form).Editor()->toPlainText(); }
  void Aktion(const char* name) { form.findChild<QAction*>(name)->trigger(); }
  void Caret(int pos) {
    QTextCursor c = form.Editor()->textCursor();
    c.setPosition(pos);
    form.Editor()->setTextCursor(c);
  }
  void Taste(QEvent::Type art, int key, Qt::KeyboardModifiers m = Qt::NoModifier, bool wiederholt = false) {
    QKeyEvent e(art, key, m, QString(), wiederholt);
    QApplication::sendEvent(form.Editor(), &e);
  }

  DialogSkript skript;  // every box of a test is expected; none can wait for a click
  testsupport::TempDir dir;
  TVelkorEditForm form;
};

}  // namespace

TEST_F(EditorFensterTest, EveryByteFrom20ToFFSurvivesLoadAndSave) {
  std::string bytes;
  for (int b = 0x20; b <= 0xFF; ++b) {
    bytes += static_cast<char>(b);
    if (b % 16 == 15) bytes += "\r\n";
  }
  Oeffnen("ALLE.CNC", bytes);
  skript.ErwarteFrage("Das Teileprogramm speichern?", true);
  Aktion("Speichern1");
  EXPECT_EQ(dir.read("ALLE.CNC"), bytes);
  EXPECT_TRUE(workspace::TeileprogrammGeaendert);  // it wrote Arbeitsdateiname
  EXPECT_EQ(KonfigBlock.Zieldateiname, "ALLE.CVT");
}

TEST_F(EditorFensterTest, FindForwardThenBackwardFromTheSelection) {
  Oeffnen("A.CNC", "g01 G01\r\nG010 G01\r\n");
  form.SuchenStarten(false);
  ASSERT_TRUE(form.Weitersuchen("G01", {true, true, false}));
  EXPECT_EQ(form.Editor()->textCursor().selectionStart(), 4);
  ASSERT_TRUE(form.Weitersuchen("G01", {true, true, false}));
  EXPECT_EQ(form.Editor()->textCursor().selectionStart(), 13);
  ASSERT_TRUE(form.Weitersuchen("g01", {false, false, true}));
  EXPECT_EQ(form.Editor()->textCursor().selectionStart(), 8);
}

TEST_F(EditorFensterTest, ReplaceActsOnlyOnTheFoundTextAndReplaceAllEnds) {
  Oeffnen("A.CNC", "G01 X5 G01\r\n");
  form.SuchenStarten(false);
  ASSERT_TRUE(form.Weitersuchen("G01", {}));
  QTextCursor c = form.Editor()->textCursor();
  c.setPosition(4);
  c.setPosition(6, QTextCursor::KeepAnchor);  // "X5" chosen by hand
  form.Editor()->setTextCursor(c);
  form.Ersetzen("G01", "G00", {});
  EXPECT_EQ(Text(), "G01 X5 G01");
  EXPECT_EQ(form.Editor()->textCursor().selectedText(), "G01");  // the next match
  skript.ErwarteHinweis("Keine weitere Übereinstimmung!");
  form.Ersetzen("G01", "G00", {});
  EXPECT_EQ(Text(), "G01 X5 G00");
  EXPECT_EQ(skript.Offen(), 0u);

  form.Editor()->setPlainText("X1 X2");
  Caret(0);
  form.SuchenStarten(false);
  skript.ErwarteHinweis("Keine weitere Übereinstimmung!");
  form.AllesErsetzen("X", "XX", {});
  EXPECT_EQ(Text(), "XX1 XX2");
  EXPECT_EQ(skript.Protokoll.size(), 2u);  // the notice came once
  form.Editor()->undo();
  EXPECT_EQ(Text(), "X1 X2");
}

TEST_F(EditorFensterTest, CodeEntryOverwriteAndCtrlAltAlone) {
  Oeffnen("A.CNC", "xyz\r\n");
  Caret(1);
  const auto code = [&](std::vector<int> ziffern) {
    Taste(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    Taste(QEvent::KeyPress, Qt::Key_Alt, Qt::ControlModifier | Qt::AltModifier);
    for (int z : ziffern) {
      const auto m = Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier;
      Taste(QEvent::KeyPress, Qt::Key_0 + z, m);
      Taste(QEvent::KeyRelease, Qt::Key_0 + z, m);
    }
    Taste(QEvent::KeyRelease, Qt::Key_Alt, Qt::ControlModifier);
    Taste(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
  };
  code({6, 5});
  EXPECT_EQ(Text(), "xAyz");
  code({3, 2, 1});
  EXPECT_EQ(Text(), "xAAyz");
  code({});
  EXPECT_EQ(Text(), "xAAyz");
  Taste(QEvent::KeyPress, Qt::Key_Insert);
  Taste(QEvent::KeyRelease, Qt::Key_Insert);
  code({6, 6});
  EXPECT_EQ(Text(), "xAABz");
  EXPECT_EQ(form.Editor()->textCursor().position(), 4);
}

TEST_F(EditorFensterTest, LineKeysActOnReleaseAndOnceDespiteAutoRepeat) {
  Oeffnen("A.CNC", "eins\r\nzwei\r\ndrei\r\n");
  Caret(6);
  Taste(QEvent::KeyPress, Qt::Key_F2);
  for (int i = 0; i < 5; ++i) {
    Taste(QEvent::KeyRelease, Qt::Key_F2, Qt::NoModifier, true);
    Taste(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier, true);
  }
  Taste(QEvent::KeyRelease, Qt::Key_F2);
  EXPECT_EQ(Text(), "eins\ndrei");
  Taste(QEvent::KeyRelease, Qt::Key_F2);  // a release whose press came elsewhere
  EXPECT_EQ(Text(), "eins\ndrei");
  Caret(7);
  Taste(QEvent::KeyPress, Qt::Key_F3, Qt::ShiftModifier);
  Taste(QEvent::KeyRelease, Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(Text(), "eins\nDRei");
  Taste(QEvent::KeyPress, Qt::Key_F4);
  Taste(QEvent::KeyRelease, Qt::Key_F4);
  EXPECT_EQ(Text(), "eins\nDR");
  EXPECT_EQ(form.findChild<QLabel*>("PositionPanel")->text(), "Ze 2  Sp 3");

  form.Editor()->setPlainText(QString::fromUtf8("äöü\nabc def"));
  QTextCursor c = form.Editor()->textCursor();
  c.setPosition(8);
  c.setPosition(11, QTextCursor::KeepAnchor);
  form.Editor()->setTextCursor(c);
  Taste(QEvent::KeyPress, Qt::Key_F5, Qt::ShiftModifier);
  Taste(QEvent::KeyRelease, Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_EQ(Text(), QString::fromUtf8("äöü\nabc DEF"));
  Taste(QEvent::KeyPress, Qt::Key_F5);
  Taste(QEvent::KeyRelease, Qt::Key_F5);
  EXPECT_EQ(Text(), QString::fromUtf8("äöü\nabc "));
}

TEST_F(EditorFensterTest, UndoThroughTheMenuAndTheControlsOwnKey) {
  Oeffnen("A.CNC", "G01\r\n");
  auto* rueck = form.findChild<QAction*>("Rueckgaengig1");
  EXPECT_FALSE(rueck->isEnabled());
  Caret(3);
  QTest::keyClicks(form.Editor(), "X");
  QTest::keyClicks(form.Editor(), "Y");
  EXPECT_TRUE(rueck->isEnabled());
  QTest::keyClick(form.Editor(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "G01");  // typing merges into one step, undone once
  form.Editor()->setFocus();
  Caret(0);
  QTest::keyClicks(form.Editor(), "N");
  rueck->trigger();
  EXPECT_EQ(Text(), "G01");
}

TEST_F(EditorFensterTest, ClosingWithChangesCancelDiscardAndSave) {
  Oeffnen("A.CNC", "G01\r\n");
  Caret(3);
  QTest::keyClicks(form.Editor(), " X5");
  {
    skript.ErwarteTasten(Schliessfrage, 2);
    form.reject();
    EXPECT_TRUE(form.isVisible());
    skript.ErwarteTasten(Schliessfrage, 0);
    skript.DateiSpeichern(std::nullopt);  // the save dialog cancelled: stays open, no write
    form.reject();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(dir.read("A.CNC"), "G01\r\n");
    EXPECT_FALSE(workspace::TeileprogrammGeaendert);
    skript.ErwarteTasten(Schliessfrage, 0);
    skript.DateiSpeichern(dir.file("B.CNC"));
    form.reject();
  }
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(dir.read("B.CNC"), "G01 X5\r\n");
  EXPECT_EQ(dir.read("A.CNC"), "G01\r\n");
  EXPECT_EQ(KonfigBlock.Arbeitsdateiname, dir.file("B.CNC"));
  EXPECT_TRUE(workspace::TeileprogrammGeaendert);

  workspace::TeileprogrammGeaendert = false;
  ASSERT_TRUE(form.Vorbereiten());
  form.show();
  EXPECT_EQ(Text(), "G01 X5");
  QTest::keyClicks(form.Editor(), "N");
  {
    skript.ErwarteTasten(Schliessfrage, 1);
    form.reject();
  }
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(dir.read("B.CNC"), "G01 X5\r\n");
  EXPECT_FALSE(workspace::TeileprogrammGeaendert);
}

TEST_F(EditorFensterTest, NewAndOpenSetTheCaptionAndHandTheFileBack) {
  dir.write("B.CNC", "G00 Z5\r\n");
  Oeffnen("A.CNC", "G01\r\n");
  skript.ErwarteFrage("NC-Sätze löschen und neues Teileprogramm erstellen?", false);
  Aktion("NeuButton");
  EXPECT_EQ(Text(), "G01");
  skript.ErwarteFrage("NC-Sätze löschen und neues Teileprogramm erstellen?", true);
  Aktion("Neu1");
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(form.windowTitle(), "Velkor-Editor: Unbenannt.CNC");
  skript.DateiOeffnen(dir.file("B.CNC"));
  Aktion("OeffnenButton");
  EXPECT_EQ(Text(), "G00 Z5");
  EXPECT_EQ(form.windowTitle(), "Velkor-Editor: B.CNC");
  EXPECT_EQ(KonfigBlock.Arbeitsdateiname, dir.file("B.CNC"));
  EXPECT_TRUE(workspace::TeileprogrammGeaendert);
  ASSERT_FALSE(skript.Dateidialoge.empty());
  EXPECT_EQ(skript.Dateidialoge.back().Titel, toolkit::Ansi("Teiledatei öffnen"));
  skript.ErwarteFrage("Neues Teileprogramm erstellen?", false);
  form.Editor()->clear();
  Aktion("Neu1");
}

TEST_F(EditorFensterTest, ANoticeInsideTheEditorKeepsTheEditAndARunRefusesOpening) {
  Oeffnen("A.CNC", "G01\r\n");
  QTest::keyClicks(form.Editor(), "N1 ");
  {
    skript.ErwarteHinweis("Keine weitere Übereinstimmung!");
    form.SuchenStarten(false);
    form.Weitersuchen("Q", {});
  }
  QApplication::processEvents();
  EXPECT_EQ(Text(), "N1 G01");
  EXPECT_TRUE(form.Editor()->document()->isModified());

  skript.ErwarteTasten(Schliessfrage, 1);
  form.reject();
  VelkorWinVAR::WandlungLaeuft = true;
  skript.ErwarteHinweis("Editieren bei laufender Konvertierung nicht möglich!");
  EXPECT_TRUE(toolkit::qt::FensterZeigen("TVelkorEditForm"));
  EXPECT_FALSE(form.isVisible());
  VelkorWinVAR::WandlungLaeuft = false;
}

TEST_F(EditorFensterTest, ControlCharactersAndLongLinesAreReported) {
  dir.write("N.CNC", std::string("G01\0X\r\n", 7) + std::string(300, 'Y') + "\n");
  KonfigBlock.Arbeitsdateiname = dir.file("N.CNC");
  skript.ErwarteHinweis("Die Datei " + dir.file("N.CNC") + " enthielt 1 Steuerzeichen; sie werden als Leerzeichen gezeigt!");
  skript.ErwarteHinweis("Zeile 2 ist länger als 255 Zeichen (insgesamt 1 Zeilen); die Wandlung liest nur die ersten 255 Zeichen!");
  ASSERT_TRUE(form.Vorbereiten());
  EXPECT_EQ(Text().left(5), "G01 X");
  EXPECT_EQ(Text().size(), 5 + 1 + 300);
  EXPECT_EQ(dir.read("N.CNC").size(), 7u + 301u);  // the file is left alone
}

TEST_F(EditorFensterTest, TheMainWindowTakesTheSavedAndTheClosingSaveBack) {
  dir.write("T.CNC", "G01 X1\r\nG00 Z5\r\n");
  KonfigBlock.Arbeitsdateiname = dir.file("T.CNC");
  VelkorWinVAR::TeileprogrammListe = VelkorWinVAR::TNcZeilen{"G01 X1", "G00 Z5"};
  const auto anhaengen = [&](const char* zeile) {
    QTextCursor c = form.Editor()->textCursor();
    c.movePosition(QTextCursor::End);
    c.insertText(QString("\n") + zeile);
    form.Editor()->setTextCursor(c);
  };
  // "Speichern" to the same file, then closing without further changes.
  QTimer::singleShot(0, &form, [&] {
    anhaengen("G01 X2");
    skript.ErwarteFrage("Das Teileprogramm speichern?", true);
    Aktion("Speichern1");
    form.reject();
  });
  workspace::Editor1Click();
  ASSERT_TRUE(VelkorWinVAR::TeileprogrammListe);
  EXPECT_EQ(*VelkorWinVAR::TeileprogrammListe, (VelkorWinVAR::TNcZeilen{"N1 G01 X1", "N2 G00 Z5", "N3 G01 X2"}));
  EXPECT_EQ(dir.read("T.CNC"), "N1 G01 X1\r\nN2 G00 Z5\r\nN3 G01 X2\r\n");
  EXPECT_TRUE(dir.exists("T.BAK"));
  EXPECT_FALSE(workspace::TeileprogrammGeaendert);
}

TEST_F(EditorFensterTest, OpenWithChangesStopsWhenTheSaveIsCancelledAndNewSavesFirst) {
  dir.write("B.CNC", "G00 Z5\r\n");
  Oeffnen("A.CNC", "G01\r\n");
  Caret(3);
  QTest::keyClicks(form.Editor(), " X1");
  skript.ErwarteTasten(Schliessfrage, 0);
  skript.DateiSpeichern(std::nullopt);
  Aktion("Oeffnen1");  // no open dialog follows
  EXPECT_EQ(Text(), "G01 X1");
  EXPECT_EQ(skript.Offen(), 0u);
  skript.ErwarteFrage("NC-Sätze speichern und neues Teileprogramm erstellen?", true);
  Aktion("Neu1");
  EXPECT_EQ(dir.read("A.CNC"), "G01 X1\r\n");
  EXPECT_TRUE(workspace::TeileprogrammGeaendert);
  EXPECT_EQ(Text(), "");
  QTest::keyClicks(form.Editor(), "G02");
  skript.ErwarteFrage("Das Teileprogramm speichern?", true);
  skript.DateiSpeichern(dir.file("NEU.CNC"));  // an unnamed text is saved through the dialog
  Aktion("Speichern1");
  EXPECT_EQ(dir.read("NEU.CNC"), "G02\r\n");
  EXPECT_FALSE(dir.exists("Unbenannt.CNC"));
  EXPECT_EQ(KonfigBlock.Arbeitsdateiname, dir.file("NEU.CNC"));
  EXPECT_EQ(KonfigBlock.Zieldateiname, "NEU.CVT");
}
