#pragma once
// The tool table window: views the tool list, and in input mode (WkzEingabemodus) adds,
// changes, deletes and prints tools. The grid's logic is TWkzTabelle; this is its widget.
#include <QDialog>
#include <array>
#include <optional>

#include "toolkit/qt/Fensterliste.h"
#include "workspace/Werkzeugliste.h"

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QPrinter;

class TVelkorWkzForm : public QDialog {
  Q_OBJECT
public:
  explicit TVelkorWkzForm(QWidget* parent = nullptr);
  // Ends the watch on the focus before the window's parts go.
  ~TVelkorWkzForm() override;

  // The work of each showing: grid filled, edits emptied, modes reset.
  void Vorbereiten();
  // Vorbereiten, then shown modally.
  void Zeigen();
  // Prints the list onto `Drucker` (the print dialog already answered).
  void ListeDrucken(QPrinter& Drucker);
  workspace::TWkzTabelle& Tabelle() { return Tabelle_; }

  void done(int r) override;

protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  void showEvent(QShowEvent* e) override;

private:
  // The window's parts, built once.
  void GitterBauen();
  QGridLayout* FelderBauen();
  QHBoxLayout* KnoepfeBauen();
  void ListenwahlBauen();
  void GitterFuellen();
  void ZeileGewaehlt();
  void UebernehmenClick();
  void LoeschenClick();
  void DruckenClick();
  void ModusGewaehlt();
  void FarbeClick();
  void FarbeZeigen(std::optional<int> Farbe);
  // The five edits of a tool's values in the grid's column order.
  std::array<QLineEdit*, 5> Edits() const { return {NummerEdit_, NameEdit_, L_Edit_, D_Edit_, NL_Edit_}; }
  void EditsLeeren();
  void KnoepfePruefen();
  void ZelleGeaendert(int Zeile, int Spalte);
  // The wheel: selects the next (+1) or previous (-1) row while there is one.
  void ZeileRollen(int Schritt);

  workspace::TWkzTabelle Tabelle_;
  QTableWidget* Gitter_;
  QMetaObject::Connection Fokuswache_;  // leaving the grid clears its selection
  QLineEdit *NummerEdit_, *NameEdit_, *L_Edit_, *D_Edit_, *NL_Edit_, *FarbEdit_;
  QPushButton *Uebernehmen_, *Loeschen_, *Drucken_, *Schliessen_;
  QGroupBox* Gruppe_;
  QRadioButton *RUebernehmen_, *RAendern_, *RLoeschen_;
  std::optional<int> Farbe_;  // nothing: no colour chosen
  bool AendernModus_ = false;
  bool GitterGeaendert_ = false;
  bool Fuellt_ = false;
  int Radrest_ = 0;  // wheel angle not yet turned into rows
  toolkit::qt::TFensterEintrag<TVelkorWkzForm> eintrag_{this};
};
