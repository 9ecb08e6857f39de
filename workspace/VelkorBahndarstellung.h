#pragma once
// "Velkor - Fräserbahndarstellung" and "Velkor-Spiegelschrift": two radio choices, each
// written as soon as it is chosen.
#include <QDialog>

#include "engine/VelkorWinVAR.h"
#include "toolkit/qt/Fensterliste.h"

class QRadioButton;

// A tool window (centred, modal, no border icons) with a radio group of two choices for one
// setting of the settings block, and "Beenden".
class TZweiWahlForm : public QDialog {
  Q_OBJECT
public:
  // Shows the window modally.
  void Zeigen() { exec(); }

public slots:
  void EndeButtonClick() { accept(); }

protected:
  struct TWahl {
    const char *name, *text;  // objectName, caption (UTF-8)
  };
  // The window's objectName is `klasse`; the buttons stand in the order given, `wahr` sets
  // the setting `feld`, `falsch` clears it.
  TZweiWahlForm(QWidget* parent, const char* klasse, const char* titel, const char* gruppe, const char* gruppenName,
                TWahl erste, TWahl zweite, bool ersteIstWahr, bool VelkorWinVAR::TKonfigBlock::*feld);
  void showEvent(QShowEvent* e) override;

private:
  bool VelkorWinVAR::TKonfigBlock::*feld_;
  QRadioButton *wahr_, *falsch_;
};

// Draws the tool path as the cutter's width (Fraeserbahn) or as its centre line.
class TVelkorBahndarstellungsForm : public TZweiWahlForm {
public:
  explicit TVelkorBahndarstellungsForm(QWidget* parent = nullptr);

private:
  toolkit::qt::TFensterEintrag<TVelkorBahndarstellungsForm> eintrag_{this};
};

// Writes engraved text mirrored (Spiegelschrift) or not.
class TVelkorSpiegelschriftForm : public TZweiWahlForm {
public:
  explicit TVelkorSpiegelschriftForm(QWidget* parent = nullptr);

private:
  toolkit::qt::TFensterEintrag<TVelkorSpiegelschriftForm> eintrag_{this};
};
