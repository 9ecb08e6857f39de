#pragma once
// "Velkor: Haftungsausschluss" (menu "Hinweise" only, never at start) and the about box
// "VelkorWin: Programmierer".
#include <QDialog>

#include "toolkit/qt/Fensterliste.h"

namespace workspace {
// The disclaimer was accepted while it was last shown.
extern bool HaftungAkzeptiert;
}  // namespace workspace

class QPlainTextEdit;

// Showing it switches the saving of the settings and tool files at exit off; closing it
// switches that saving on only when "einverstanden!" was pressed.
class TVelkorkeineHaftungForm : public QDialog {
  Q_OBJECT
public:
  explicit TVelkorkeineHaftungForm(QWidget* parent = nullptr);
  void Zeigen() { exec(); }
  // The memo's lines (UTF-8).
  static const char* const Text[10];

public slots:
  void OKButtonClick();
  void AblehnButtonClick();

protected:
  void showEvent(QShowEvent* e) override;
  void done(int r) override;  // every way of closing ends here

private:
  toolkit::qt::TFensterEintrag<TVelkorkeineHaftungForm> eintrag_{this};
};

// The program's name and version line; no person's or firm's contact data.
class TCopyrightForm : public QDialog {
  Q_OBJECT
public:
  explicit TCopyrightForm(QWidget* parent = nullptr);
  void Zeigen() { exec(); }

public slots:
  void EndButtonClick() { accept(); }

protected:
  void showEvent(QShowEvent* e) override;

private:
  class QLabel* version_;
  toolkit::qt::TFensterEintrag<TCopyrightForm> eintrag_{this};
};
