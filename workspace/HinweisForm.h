#pragma once
// The programmed-stop notice: shows the block of an M0 while the conversion waits, without
// taking the keyboard from the main window, and lets the run go on ("Wandlung fortsetzen",
// Enter). Its Ctrl keys set the mirror (never clear it) and toggle the text options.
#include <QWidget>
#include <string>

#include "toolkit/qt/Fensterliste.h"

class QLineEdit;
class QPushButton;

class THinweisForm : public QWidget {
  Q_OBJECT
public:
  explicit THinweisForm(QWidget* parent = nullptr);

  // Shows the block and the window, without blocking and without activating it.
  void Zeigen(const std::string& block);
  void Schliessen();

  void FortsetzButtonClick();

protected:
  void keyPressEvent(class QKeyEvent* event) override;
  void keyReleaseEvent(class QKeyEvent* event) override;

private:
  QLineEdit* hinweisEdit_;
  QPushButton* fortsetzButton_;
  toolkit::qt::TFensterEintrag<THinweisForm> eintrag_{this};
};
