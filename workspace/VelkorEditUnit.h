#pragma once
// The NC editor window: a plain-text editor over the part program with line keys, DOS case
// mapping, code entry, find and replace, files and printing. Its file steps are TEditorDatei,
// its text work EditorText.h; this is the widget over them.
#include <QDialog>
#include <QPlainTextEdit>
#include <exception>
#include <set>
#include <string>

#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/Fensterliste.h"

#include "workspace/EditorDatei.h"
#include "workspace/EditorText.h"

class QAction;
class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QCheckBox;
class QRadioButton;
class QPrinter;
class QTimer;
class QToolBar;

// The text control: only what the editor allows comes in (no control characters).
class TNcTextEdit : public QPlainTextEdit {
  Q_OBJECT
public:
  using QPlainTextEdit::QPlainTextEdit;

protected:
  void insertFromMimeData(const QMimeData* source) override;
};

class TVelkorEditForm : public QDialog, private workspace::TEditorText {
  Q_OBJECT
public:
  explicit TVelkorEditForm(QWidget* parent = nullptr);

  // Opening from the main window: refused during a conversion; loads Arbeitsdateiname.
  // False when refused.
  bool Vorbereiten();
  // Vorbereiten, then shown modally unless refused.
  void Zeigen();

  // Find and replace as the dialog's buttons run them.
  void SuchenStarten(bool AbAuswahlEnde);  // Suchbeginn from the caret (or the selection's end)
  bool Weitersuchen(const std::string& Muster, const workspace::TSuchOptionen& Optionen);
  void Ersetzen(const std::string& Muster, const std::string& Ersatz, const workspace::TSuchOptionen& Optionen);
  void AllesErsetzen(const std::string& Muster, const std::string& Ersatz, const workspace::TSuchOptionen& Optionen);
  // Prints the text onto `Drucker` (the print dialog already answered).
  void TextDrucken(QPrinter& Drucker);
  // The display's font and alignment (the whole text's; the file stays plain text, and the
  // modified mark and the undo steps are not touched).
  toolkit::qt::TSchrift Anzeigeschrift() const;
  void AnzeigeschriftSetzen(const toolkit::qt::TSchrift& Schrift);
  void AusrichtungSetzen(Qt::Alignment Ausrichtung);

  QPlainTextEdit* Editor() { return Text_; }
  workspace::TEditorDatei& Datei() { return Datei_; }
  long Suchbeginn() const { return Suchbeginn_; }

  void done(int r) override;

protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  // Hints of the menus and tool bars go to the first status panel.
  bool event(QEvent* e) override;
  // Each opening in the middle of the screen.
  void showEvent(QShowEvent* e) override;

private:
  void UhrZeigen();
  // TEditorText
  std::vector<std::string> Zeilen() const override;
  void Setzen(const std::vector<std::string>& Zeilen) override;
  bool Geaendert() const override;
  void GeaendertSetzen(bool Geaendert) override;
  bool Leer() const override;
  void Titel(const std::string& Titel) override;

  void MenuesBauen();
  void FormatBauen(QMenu* Format, QToolBar* Leiste);
  void SchriftartClick();
  // Shows `Schrift` on the text and mirrors it in the check marks and boxes.
  void SchriftZeigen(const QFont& Schrift);
  // One line of the document as Windows-1252 bytes, one byte per character, so positions
  // in the document and in the 8-bit text agree ('?' for what the code page lacks).
  static std::string AnsiZeile(const QString& Text);
  void SuchDialogBauen();
  void SuchDialogZeigen(bool Ersetzen, bool AbAuswahlEnde);
  void StatusZeigen();
  void DruckenClick();
  bool TasteGedrueckt(QKeyEvent* e);
  bool TasteLosgelassen(QKeyEvent* e);
  void ZeilenTaste(workspace::TZeilenTaste Taste);
  void ZeichenEinfuegen(char Zeichen);
  workspace::TSuchOptionen DialogOptionen() const;
  std::string GanzerText() const;

  TNcTextEdit* Text_;
  workspace::TEditorDatei Datei_;
  workspace::TCodeEingabe Code_;
  std::set<int> Gedrueckt_;  // keys whose press reached the text
  long Suchbeginn_ = 0;
  long Fundstelle_ = -1;
  QLabel *Hinweise_, *Position_, *Uhr_;
  QTimer* Uhrtakt_;
  QAction* Rueckgaengig_;
  QAction *Fett_, *Kursiv_, *Unterstrichen_;
  QAction *Links_, *Zentriert_, *Rechts_;
  QFontComboBox* Schriftart_;
  QComboBox* Schriftgroesse_;
  QDialog* SuchDialog_;
  QLineEdit *SuchEdit_, *ErsatzEdit_;
  QCheckBox *GrossKlein_, *GanzesWort_;
  QRadioButton* Aufwaerts_;
  QWidget* ErsetzenTeil_;
  toolkit::qt::TFensterEintrag<TVelkorEditForm> eintrag_{this};
};
