#pragma once
// "Zirkularrichtungssinn bestätigen": the turning sense of circular milling, asked when the
// milling settings and the part program contradict each other. Keeps the chosen item
// between showings.
#include <QDialog>
#include <string>

#include "engine/EngineHost.h"
#include "toolkit/qt/Fensterliste.h"

class QComboBox;

class TUserDialog : public QDialog {
  Q_OBJECT
public:
  // Modal results of the three buttons.
  static constexpr int Uebernehmen = 6, Abbrechen = 3, Hilfe = 9;

  explicit TUserDialog(QWidget* parent = nullptr);

  // Shows the dialog modally, then Z_Richtung := the item shown; the modal result.
  int UserDialogZeigen();
  std::string Z_Richtung;

private:
  QComboBox* richtung_;
  toolkit::qt::TFensterEintrag<TUserDialog> eintrag_{this};
};

// The engine's question: the dialog's answer and the item chosen ("clockwise" or
// "contraclockwise"); without the dialog "Abbrechen".
engine::TZirkularAntwort ZirkularsinnFragen(std::string& richtung);
