#pragma once
// The engraving-font viewer: a font chosen by the user (or handed over by the main window
// through ViewerZeichensatzName) is shown with a test text, as a whole set or as a table of
// its codes, and the table is printed. Its font code is FontViewZeichnen.h.
#include <QDialog>
#include <QImage>
#include <set>
#include <string>
#include <vector>

#include "toolkit/qt/Fensterliste.h"
#include "workspace/FontViewZeichnen.h"

class QLabel;
class QLineEdit;
class QPrinter;
class QScrollArea;

class TFontViewForm : public QDialog {
  Q_OBJECT
public:
  explicit TFontViewForm(QWidget* parent = nullptr);
  ~TFontViewForm() override;

  // The work of each opening: height 25, "Testtext", the handed-over font when its name ends
  // in ".FNT" (the hand-over is emptied either way).
  void Vorbereiten();
  // Vorbereiten, then shown modally.
  void Zeigen();

  // The commands (buttons, popup entries and keys run these).
  void ZeichensatzWaehlen();
  void Anzeigen();
  void Uebernehmen();
  void Loeschen();
  void HoeheAendern(int Schritt);  // +1, -1 (popup) or +5, -5 (Ctrl+Plus, Ctrl+Minus)
  void GanzerZeichensatz();
  void Zeichensatztabelle();
  void Drucken();
  void TabelleDrucken(QPrinter& Drucker);

  const QImage& Bild() const { return Bild_; }
  int Hoehe() const { return Hoehe_; }
  const std::string& Zeichensatzname() const { return Name_; }
  const std::string& Testtext() const { return Testtext_; }

protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

private:
  enum class TAnzeige { Keine, Testtext, Zeichensatz, Tabelle };
  // The table of codes 32..255 at height 25, `Breite` pixels wide; empty image on failure.
  QImage TabelleMalen(int Breite);
  QImage SatzMalen(int Breite, int Hoehe, bool MitNummern, const std::string& Kopf);
  // The chosen font loaded; "Kein Zeichensatz geladen!" when none is chosen, the reader's
  // notice when it does not load.
  bool Geladen();
  void Neuzeichnen();
  void Zeigen(QImage Bild);
  void HinweisSetzen();
  bool TasteLosgelassen(int Taste, Qt::KeyboardModifiers Mod);

  workspace::TViewerZeichensatz Zeichensatz_;
  std::string Name_;
  std::string Testtext_ = "Testtext";
  int Hoehe_ = 25;
  TAnzeige Anzeige_ = TAnzeige::Keine;
  QImage Bild_;
  std::set<int> Gedrueckt_;
  QLineEdit *NameFeld_, *TextFeld_;
  QLabel* Bildfeld_;
  QLabel* TextLabel_;
  QScrollArea* Rollfeld_;
  toolkit::qt::TFensterEintrag<TFontViewForm> eintrag_{this};
};
