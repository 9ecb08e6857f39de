#include "workspace/DruckSeiten.h"

#include <QPrinter>

#include "toolkit/qt/Dialoge.h"
#include "toolkit/qt/QtText.h"
#include "workspace/Druck.h"

namespace workspace {

bool DruckerWaehlen(QPrinter& Drucker, bool AbbruchMelden) {
  Drucker.setPageSize(QPageSize(QPageSize::A4));
  if (toolkit::qt::Dialoge().DruckerWaehlen(Drucker)) return true;
  if (AbbruchMelden) toolkit::qt::Hinweis("Drucken abgebrochen!");
  return false;
}

TDruckauftrag::TDruckauftrag(QPrinter& Drucker, const std::string& Titel) : Drucker_(Drucker) {
  Drucker_.setDocName(toolkit::qt::QText(Titel));
  Drucker_.setFullPage(true);
  Maler_ = std::make_unique<QPainter>();
  if (!Maler_->begin(&Drucker_)) {
    toolkit::qt::Hinweis("Der Drucker kann nicht beginnen!");
    return;
  }
  const QRectF seite = Drucker_.pageLayout().fullRect(QPageLayout::Millimeter);
  Breite_ = static_cast<int>(seite.width() * 10.0);
  Hoehe_ = static_cast<int>(seite.height() * 10.0);
  const double faktor = Drucker_.resolution() / 254.0;  // device dots per 0.1 mm
  Maler_->scale(faktor, faktor);
}

TDruckauftrag::~TDruckauftrag() { Beenden(); }

QFont TDruckauftrag::Schrift(const QString& Familie, int Hoehe) {
  QFont schrift(Familie);
  schrift.setStyleHint(QFont::TypeWriter);
  schrift.setPixelSize(std::max(1, Hoehe * 3 / 4));  // glyphs fill about 3/4 of the row
  return schrift;
}

void TDruckauftrag::Zentriert(const QString& Text, int Oben, int Hoehe) {
  Maler_->drawText(QRect(0, Oben, Breite_, Hoehe), Qt::AlignHCenter | Qt::AlignVCenter, Text);
}

void TDruckauftrag::Rahmen(int Seite, int Seiten) {
  Maler_->setPen(QPen(Qt::black, 3));
  Maler_->drawLine(0, 100, Breite_, 100);
  Maler_->drawLine(0, Hoehe_ - 200, Breite_, Hoehe_ - 200);
  Maler_->setFont(Schrift("Courier", 36));
  Zentriert(toolkit::qt::QText(DruckFusszeile(Seite, Seiten, toolkit::Now())), Hoehe_ - 150 - 18, 36);
}

void TDruckauftrag::NeueSeite() { Drucker_.newPage(); }

void TDruckauftrag::Beenden() {
  if (Maler_ && Maler_->isActive()) Maler_->end();
}

}  // namespace workspace
