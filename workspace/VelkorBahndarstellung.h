#pragma once
// "Velkor - Fräserbahndarstellung" and "Velkor-Spiegelschrift": two radio choices, each
// written as soon as it is chosen.
#include <QDialog>

class QRadioButton;

// Draws the tool path as the cutter's width (Fraeserbahn) or as its centre line.
class TVelkorBahndarstellungsForm : public QDialog {
  Q_OBJECT
public:
  explicit TVelkorBahndarstellungsForm(QWidget* parent = nullptr);
  ~TVelkorBahndarstellungsForm() override;

public slots:
  void BahnwahlRadioGroupChange();
  void EndeButtonClick() { accept(); }

protected:
  void showEvent(QShowEvent* e) override;

private:
  QRadioButton *fraeserbahn_, *mittelpunktbahn_;
};

// Writes engraved text mirrored (Spiegelschrift) or not.
class TVelkorSpiegelschriftForm : public QDialog {
  Q_OBJECT
public:
  explicit TVelkorSpiegelschriftForm(QWidget* parent = nullptr);
  ~TVelkorSpiegelschriftForm() override;

public slots:
  void SpiegelschriftRadioGroupExit();
  void EndeButtonClick() { accept(); }

protected:
  void showEvent(QShowEvent* e) override;

private:
  QRadioButton *aus_, *ein_;
};
