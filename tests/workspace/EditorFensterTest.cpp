// Journeys through the NC editor window: loading and saving byte for byte, find and replace,
// the editing keys, the file commands, closing with unsaved changes and the display format
// (font, style marks, alignment).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "engine/VelkorWinVAR.h"
#include "qtsupport/DialogSkript.h"
#include "qtsupport/Fensterhilfen.h"
#include "support/TempDir.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Fensterliste.h"
#include "toolkit/qt/QtText.h"
#include "workspace/Teileprogramm.h"
#include "workspace/Teileprogramm_Befehle.h"
#include "workspace/VelkorEditUnit.h"

using testsupport::DialogSkript;
using toolkit::qt::TSchrift;
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
  QString Text() { return form.Editor()->toPlainText(); }
  QAction* Menue(const char* name) { return testsupport::Kind<QAction>(name, &form); }
  void Aktion(const char* name) { Menue(name)->trigger(); }
  void Tippen(const char* text) { QTest::keyClicks(form.Editor(), text); }
  // The text, its modified mark and its undo stay as loaded.
  void TextUnberuehrt(const QString& text) {
    const auto* d = form.Editor()->document();
    EXPECT_EQ(std::tuple(Text(), d->isModified(), d->isUndoAvailable(), Menue("Rueckgaengig1")->isEnabled()),
              std::tuple(text, false, false, false));
  }
  void Caret(int pos, int bis = -1) {
    QTextCursor c = form.Editor()->textCursor();
    c.setPosition(pos);
    if (bis >= 0) c.setPosition(bis, QTextCursor::KeepAnchor);
    form.Editor()->setTextCursor(c);
  }
  void Taste(QEvent::Type art, int key, Qt::KeyboardModifiers m = Qt::NoModifier, bool wiederholt = false) {
    QKeyEvent e(art, key, m, QString(), wiederholt);
    QApplication::sendEvent(form.Editor(), &e);
  }
  void Klick(int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
    Taste(QEvent::KeyPress, key, m);
    Taste(QEvent::KeyRelease, key, m);
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
}

TEST_F(EditorFensterTest, FindForwardThenBackwardFromTheSelection) {
  Oeffnen("A.CNC", "g01 G01\r\nG010 G01\r\n");
  form.SuchenStarten(false);
  std::vector<int> funde;
  for (auto [muster, optionen] : {std::pair{"G01", workspace::TSuchOptionen{true, true, false}},
                                  {"G01", {true, true, false}}, {"g01", {false, false, true}}}) {
    EXPECT_TRUE(form.Weitersuchen(muster, optionen));
    funde.push_back(form.Editor()->textCursor().selectionStart());
  }
  EXPECT_EQ(funde, (std::vector<int>{4, 13, 8}));
}

TEST_F(EditorFensterTest, ReplaceActsOnlyOnTheFoundTextAndReplaceAllEnds) {
  Oeffnen("A.CNC", "G01 X5 G01\r\n");
  form.SuchenStarten(false);
  ASSERT_TRUE(form.Weitersuchen("G01", {}));
  Caret(4, 6);  // "X5" chosen by hand
  form.Ersetzen("G01", "G00", {});
  EXPECT_EQ(Text(), "G01 X5 G01");
  EXPECT_EQ(form.Editor()->textCursor().selectedText(), "G01");  // the next match
  skript.ErwarteHinweis("Keine weitere Übereinstimmung!");
  form.Ersetzen("G01", "G00", {});
  EXPECT_EQ(Text(), "G01 X5 G00");

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
    for (int z : ziffern) Klick(Qt::Key_0 + z, Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier);
    Taste(QEvent::KeyRelease, Qt::Key_Alt, Qt::ControlModifier);
    Taste(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
  };
  code({6, 5});
  code({});
  EXPECT_EQ(Text(), "xAyz");
  Klick(Qt::Key_Insert);
  code({6, 6});
  EXPECT_EQ(Text(), "xABz");
  EXPECT_EQ(form.Editor()->textCursor().position(), 3);
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
  Taste(QEvent::KeyRelease, Qt::Key_F2);  // a release whose press came elsewhere
  EXPECT_EQ(Text(), "eins\ndrei");
  Caret(7);
  Klick(Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(Text(), "eins\nDRei");
  Klick(Qt::Key_F4);
  EXPECT_EQ(Text(), "eins\nDR");
  EXPECT_EQ(testsupport::Kind<QLabel>("PositionPanel", &form)->text(), "Ze 2  Sp 3");

  form.Editor()->setPlainText(QString::fromUtf8("äöü\nabc def"));
  Caret(8, 11);
  Klick(Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_EQ(Text(), QString::fromUtf8("äöü\nabc DEF"));
  Klick(Qt::Key_F5);
  EXPECT_EQ(Text(), QString::fromUtf8("äöü\nabc "));
}

TEST_F(EditorFensterTest, UndoThroughTheMenuAndTheControlsOwnKey) {
  Oeffnen("A.CNC", "G01\r\n");
  Caret(3);
  Tippen("X");
  Tippen("Y");
  QTest::keyClick(form.Editor(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "G01");  // typing merges into one step, undone once
  form.Editor()->setFocus();
  Caret(0);
  Tippen("N");
  Aktion("Rueckgaengig1");
  EXPECT_EQ(Text(), "G01");
}

TEST_F(EditorFensterTest, ClosingWithChangesCancelDiscardAndSave) {
  Oeffnen("A.CNC", "G01\r\n");
  Caret(3);
  Tippen(" X5");
  skript.ErwarteTasten(Schliessfrage, 2);  // "Abbrechen"; a cancelled save dialog is the open journey's
  form.reject();
  EXPECT_TRUE(form.isVisible());
  skript.ErwarteTasten(Schliessfrage, 0);
  skript.DateiSpeichern(dir.file("B.CNC"));
  form.reject();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(std::tuple(dir.read("A.CNC"), KonfigBlock.Arbeitsdateiname, workspace::TeileprogrammGeaendert),
            std::tuple("G01\r\n", dir.file("B.CNC"), true));

  workspace::TeileprogrammGeaendert = false;
  ASSERT_TRUE(form.Vorbereiten());
  form.show();
  EXPECT_EQ(Text(), "G01 X5");
  Tippen("N");
  skript.ErwarteTasten(Schliessfrage, 1);
  form.reject();
  EXPECT_EQ(std::tuple(form.isVisible(), dir.read("B.CNC"), workspace::TeileprogrammGeaendert), std::tuple(false, "G01 X5\r\n", false));
}

TEST_F(EditorFensterTest, NewAndOpenSetTheCaptionAndHandTheFileBack) {
  dir.write("B.CNC", "G00 Z5\r\n");
  Oeffnen("A.CNC", "G01\r\n");
  skript.ErwarteFrage("NC-Sätze löschen und neues Teileprogramm erstellen?", false);
  Aktion("NeuButton");
  EXPECT_EQ(Text(), "G01");
  skript.ErwarteFrage("NC-Sätze löschen und neues Teileprogramm erstellen?", true);
  Aktion("Neu1");
  EXPECT_EQ(std::tuple(Text(), form.windowTitle()), std::tuple("", "Velkor-Editor: Unbenannt.CNC"));
  skript.DateiOeffnen(dir.file("B.CNC"));
  Aktion("OeffnenButton");
  EXPECT_EQ(std::tuple(Text(), form.windowTitle()), std::tuple("G00 Z5", "Velkor-Editor: B.CNC"));
  EXPECT_EQ(std::tuple(KonfigBlock.Arbeitsdateiname, workspace::TeileprogrammGeaendert), std::tuple(dir.file("B.CNC"), true));
  EXPECT_EQ(skript.Dateidialoge.at(0).Titel, toolkit::Ansi("Teiledatei öffnen"));
  skript.ErwarteFrage("Neues Teileprogramm erstellen?", false);
  form.Editor()->clear();
  Aktion("Neu1");
}

TEST_F(EditorFensterTest, ANoticeInsideTheEditorKeepsTheEditAndARunRefusesOpening) {
  Oeffnen("A.CNC", "G01\r\n");
  Tippen("N1 ");
  skript.ErwarteHinweis("Keine weitere Übereinstimmung!");
  form.SuchenStarten(false);
  form.Weitersuchen("Q", {});
  QApplication::processEvents();
  EXPECT_EQ(std::tuple(Text(), form.Editor()->document()->isModified()), std::tuple("N1 G01", true));

  skript.ErwarteTasten(Schliessfrage, 1);
  form.reject();
  VelkorWinVAR::WandlungLaeuft = true;
  skript.ErwarteHinweis("Editieren bei laufender Konvertierung nicht möglich!");
  EXPECT_TRUE(toolkit::qt::FensterZeigen<TVelkorEditForm>());
  EXPECT_FALSE(form.isVisible());
  VelkorWinVAR::WandlungLaeuft = false;
}

TEST_F(EditorFensterTest, ControlCharactersAndLongLinesAreReported) {
  dir.write("N.CNC", std::string("G01\0X\r\n", 7) + std::string(300, 'Y') + "\n");
  KonfigBlock.Arbeitsdateiname = dir.file("N.CNC");
  skript.ErwarteHinweis("Die Datei " + dir.file("N.CNC") + " enthielt 1 Steuerzeichen; sie werden als Leerzeichen gezeigt!");
  skript.ErwarteHinweis("Zeile 2 ist länger als 255 Zeichen (insgesamt 1 Zeilen); die Wandlung liest nur die ersten 255 Zeichen!");
  ASSERT_TRUE(form.Vorbereiten());
  EXPECT_EQ(Text(), "G01 X\n" + QString(300, 'Y'));
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
  EXPECT_EQ(std::tuple(dir.read("T.CNC"), dir.exists("T.BAK"), workspace::TeileprogrammGeaendert),
            std::tuple("N1 G01 X1\r\nN2 G00 Z5\r\nN3 G01 X2\r\n", true, false));
}

TEST_F(EditorFensterTest, OpenWithChangesStopsWhenTheSaveIsCancelledAndNewSavesFirst) {
  dir.write("B.CNC", "G00 Z5\r\n");
  Oeffnen("A.CNC", "G01\r\n");
  Caret(3);
  Tippen(" X1");
  skript.ErwarteTasten(Schliessfrage, 0);
  skript.DateiSpeichern(std::nullopt);
  Aktion("Oeffnen1");  // no open dialog follows, nothing is written
  EXPECT_EQ(std::tuple(Text(), dir.read("A.CNC"), workspace::TeileprogrammGeaendert), std::tuple("G01 X1", "G01\r\n", false));
  skript.ErwarteFrage("NC-Sätze speichern und neues Teileprogramm erstellen?", true);
  Aktion("Neu1");
  EXPECT_EQ(std::tuple(Text(), dir.read("A.CNC"), workspace::TeileprogrammGeaendert), std::tuple("", "G01 X1\r\n", true));
  Tippen("G02");
  skript.ErwarteFrage("Das Teileprogramm speichern?", true);
  skript.DateiSpeichern(dir.file("NEU.CNC"));  // an unnamed text is saved through the dialog
  Aktion("Speichern1");
  EXPECT_EQ(std::tuple(dir.read("NEU.CNC"), dir.exists("Unbenannt.CNC"), KonfigBlock.Arbeitsdateiname, KonfigBlock.Zieldateiname),
            std::tuple("G02\r\n", false, dir.file("NEU.CNC"), "NEU.CVT"));
}

// Font, style marks and alignment change the display only, never the text, its modified mark or undo.
TEST_F(EditorFensterTest, TheFontDialogStartsWithTheDisplayFontAndAlignmentOutlivesLoading) {
  dir.write("B.CNC", "N1 M30\r\n");
  Oeffnen("A.CNC", "N1 G01 X5\r\n");
  skript.Schrift(TSchrift{"DejaVu Sans Mono", 14, true, false, true});
  Aktion("Schriftart1");
  ASSERT_EQ(skript.Schriftdialoge.size(), 1u);
  const TSchrift start = skript.Schriftdialoge[0];
  EXPECT_EQ(std::tuple(start.Name, start.Groesse > 0, start.Fett || start.Kursiv || start.Unterstrichen),
            std::tuple("Arial", true, false));  // 16 pixels, told in points
  const QFont f = form.Editor()->font();
  auto* groesse = testsupport::Kind<QComboBox>("Schriftgroesse", &form);
  EXPECT_EQ(std::tuple(f.family(), f.pointSize(), f.bold(), f.italic(), f.underline(), groesse->currentText()),
            std::tuple(QString("DejaVu Sans Mono"), 14, true, false, true, QString("14")));
  EXPECT_EQ(std::tuple(Menue("Fett1")->isChecked(), Menue("Kursiv1")->isChecked(), Menue("Unterstrichen1")->isChecked()),
            std::tuple(true, false, true));
  QStringList knoepfe;  // the tool bar's buttons for the same marks
  for (const auto* k : form.findChildren<QToolButton*>())
    if (k->defaultAction() && k->defaultAction()->isCheckable()) knoepfe << k->text();
  EXPECT_EQ(knoepfe.join('|').toStdString(), "Fett|Kursiv|Unterstrichen");

  // The check mark changes the display, and the next dialog starts from it.
  Aktion("Fett1");
  skript.Schrift(std::nullopt);  // cancelled: nothing changes
  Aktion("Schriftart1");
  ASSERT_EQ(skript.Schriftdialoge.size(), 2u);
  EXPECT_EQ(std::tuple(skript.Schriftdialoge[1].Fett, skript.Schriftdialoge[1].Groesse, form.Editor()->font().pointSize()),
            std::tuple(false, 14, 14));

  // A size the list lacks leaves the size box empty; a size from the box reaches the text.
  skript.Schrift(TSchrift{"DejaVu Sans Mono", 13, false, true, false});
  Aktion("Schriftart1");
  EXPECT_EQ(std::tuple(groesse->currentIndex(), Menue("Kursiv1")->isChecked()), std::tuple(-1, true));
  groesse->setCurrentText("20");
  EXPECT_EQ(form.Editor()->font().pointSize(), 20);

  // The alignment is a radio choice.
  const auto ausrichtung = [&] { return form.Editor()->document()->defaultTextOption().alignment(); };
  const auto haken = [&] {
    return std::tuple(Menue("Links1")->isChecked(), Menue("Rechts1")->isChecked(), Menue("Zentriert1")->isChecked());
  };
  EXPECT_EQ(std::tuple(haken(), ausrichtung() & (Qt::AlignRight | Qt::AlignHCenter)),
            std::tuple(std::tuple(true, false, false), Qt::Alignment()));
  Aktion("Rechts1");
  EXPECT_EQ(std::tuple(haken(), bool(ausrichtung() & Qt::AlignRight)), std::tuple(std::tuple(false, true, false), true));
  Aktion("Zentriert1");
  TextUnberuehrt("N1 G01 X5");
  skript.DateiOeffnen(dir.file("B.CNC"));  // another file keeps the display's alignment
  Aktion("Oeffnen1");
  EXPECT_EQ(Text(), "N1 M30");
  EXPECT_EQ(std::tuple(haken(), bool(ausrichtung() & Qt::AlignHCenter)), std::tuple(std::tuple(false, false, true), true));
  form.reject();  // asks nothing: formatting is no change of the part program
}

TEST_F(EditorFensterTest, TheQtFontDialogGivesBackWhatItWasAcceptedWith) {
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
  EXPECT_EQ(std::tuple(gewaehlt->Groesse, gewaehlt->Fett, gewaehlt->Kursiv, gewaehlt->Unterstrichen, abgebrochen.has_value()),
            std::tuple(12, true, true, false, false));
}
