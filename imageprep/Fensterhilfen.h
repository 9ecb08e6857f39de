#pragma once
// Small pieces the image preparation windows share: the guard of event handlers and the
// control builders, colour swatches, and the picture view with its probe cross.
#include <QImage>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "toolkit/Bitmap.h"
#include "toolkit/qt/Steuerelemente.h"

namespace imageprep {

// The guard of every event handler here, and the builders of the controls.
using toolkit::qt::Beschriftung;
using toolkit::qt::Feld;
using toolkit::qt::Gruppe;
using toolkit::qt::Kasten;
using toolkit::qt::Knopf;
using toolkit::qt::Sicher;
using toolkit::qt::Verbinden;
using toolkit::qt::Wahlknopf;
using enum toolkit::qt::TArt;
// Shows a colour as the widget's background; nothing: the unused-row rendering (the
// button face colour), the same in every window.
void Farbfeld(QWidget* feld, std::optional<toolkit::TColor> farbe);
void Text(QLineEdit* feld, const std::string& ansi);

// A picture at 1:1 with a probe cross that the arrow keys move (1 px, with Ctrl the step
// set by StrgSchritt; Home top-left, End bottom-right), since not every platform lets a
// program move the pointer. The window hands mouse and probe positions to its model
// through the callbacks.
class TBildansicht : public QWidget {
public:
  explicit TBildansicht(QWidget* eltern, const char* name);
  void Bild(const toolkit::TBitmap& bild);
  const QImage& Bild() const { return bild_; }
  // Copies only the rectangle `r` of `bild` (the picture shown, changed there) into the view.
  void Bereich(const toolkit::TBitmap& bild, QRect r);
  // The probe position (picture pixels of the view); drawn as a cross when shown.
  void Sonde(int x, int y);
  QPoint Sonde() const { return sonde_; }
  void SondeZeigen(bool an) { sondeZeigen_ = an; update(); }
  // View pixels a Ctrl + arrow moves the probe (the zoom step of a zoomed picture).
  void StrgSchritt(int schritt) { strgSchritt_ = std::max(schritt, 1); }
  // The pointer over `umgebung` (the area round the picture) and the pointer leaving the
  // picture are reported through BeiZeiger, so the window can say it left the picture.
  void UmgebungBeobachten(QWidget* umgebung);

  std::function<void(QMouseEvent*)> BeiDruck, BeiZug, BeiLoslassen;
  // Probe moved by a key (position in view pixels).
  std::function<void(QPoint)> BeiSonde;
  // The pointer seen round the picture or leaving it (view pixels, off the picture as a rule).
  std::function<void(QPoint)> BeiZeiger;
  // Extra drawing over the picture (the rubber band).
  std::function<void(QPainter&)> Ueberzeichnen;

protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void leaveEvent(QEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  void Zeiger(QPoint p);

  QImage bild_;
  QPoint sonde_{0, 0};
  bool sondeZeigen_ = false;
  int strgSchritt_ = 1;
  QWidget* umgebung_ = nullptr;
};

}  // namespace imageprep
