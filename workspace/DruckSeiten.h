#pragma once
// A print job on the Qt printer, drawn in 0.1 mm with y growing downwards: begins the
// document, hands out the painter, starts pages and draws the common footer.
#include <QFont>
#include <QPainter>
#include <QString>
#include <memory>
#include <string>

class QPrinter;

namespace workspace {

// Sets `Drucker` to A4 and lets the operator choose the printer. A cancelled choice gives
// "Drucken abgebrochen!" when `AbbruchMelden` is set.
bool DruckerWaehlen(QPrinter& Drucker, bool AbbruchMelden);

class TDruckauftrag {
public:
  // Begins the document `Titel` on `Drucker`. When the printer refuses, Aktiv() is false
  // after the notice "Der Drucker kann nicht beginnen!".
  TDruckauftrag(QPrinter& Drucker, const std::string& Titel);
  ~TDruckauftrag();

  bool Aktiv() const { return Maler_ && Maler_->isActive(); }
  QPainter& Maler() { return *Maler_; }
  int Breite() const { return Breite_; }  // page size in 0.1 mm
  int Hoehe() const { return Hoehe_; }

  // A font `Hoehe` units (0.1 mm) high.
  static QFont Schrift(const QString& Familie, int Hoehe);
  // Text centred on the page with its top at `Oben`.
  void Zentriert(const QString& Text, int Oben, int Hoehe);
  // The footer line "Seite: n von m (Druck: ...)" 15 mm above the bottom, and the rules
  // 10 mm below the top and 20 mm above the bottom.
  void Rahmen(int Seite, int Seiten);
  void NeueSeite();
  void Beenden();

private:
  QPrinter& Drucker_;
  std::unique_ptr<QPainter> Maler_;
  int Breite_ = 0, Hoehe_ = 0;
};

}  // namespace workspace
