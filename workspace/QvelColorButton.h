#pragma once
// TQvelColorButton: a push button that paints itself: a face in a colour or a gradient, a
// bevel whose light and dark edges come from the face colour (rrColors), an optional
// border, a glyph and a caption. It can be a toggle in a group and can repeat its click
// while held. A click counts only when the mouse is released over the button.
#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>

#include "toolkit/Bitmap.h"

class QTimer;

class TQvelColorButton : public QWidget {
  Q_OBJECT
public:
  enum TBorderStyle { bsFlat, bsNormal, bsSingle };
  enum TGradientDirection { gdDownRight, gdUpLeft };
  enum TGradientStyle { gsNone, gsHorizontal, gsPyramid, gsVertical };
  enum TButtonLayout { blGlyphBottom, blGlyphLeft, blGlyphRight, blGlyphTop };

  explicit TQvelColorButton(QWidget* parent = nullptr);  // 75 x 25

  QString Caption() const { return caption_; }
  void setCaption(const QString& c);
  bool AllowAllUp = false;
  bool AllowTimer = false;
  int BevelWidth() const { return bevelWidth_; }
  void setBevelWidth(int w);  // negative values are ignored
  toolkit::TColor BorderColor() const { return borderColor_; }
  void setBorderColor(toolkit::TColor c);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void setBorderStyle(TBorderStyle s);
  bool ChangeDirection = false;
  toolkit::TColor Color() const { return color_; }
  void setColor(toolkit::TColor c);
  int ContrastHighlight() const { return contrastHighlight_; }
  void setContrastHighlight(int c);  // 0..9
  int ContrastShadow() const { return contrastShadow_; }
  void setContrastShadow(int c);  // 0..9
  bool Down() const { return down_; }
  void setDown(bool d);  // repaints and signals StateChange
  // A strip of NumGlyphs pictures side by side: 1 up, 2 disabled, 3 down.
  void setGlyph(const QImage& strip, int numGlyphs);
  TGradientDirection GradientDirection() const { return gradientDirection_; }
  void setGradientDirection(TGradientDirection d);
  TGradientStyle GradientStyle() const { return gradientStyle_; }
  void setGradientStyle(TGradientStyle s);
  bool Grouped = false;
  int GroupIndex = 0;
  TButtonLayout Layout = blGlyphLeft;
  int Margin = 1;
  int Spacing = 1;
  std::uint16_t TimerDelay = 400;
  std::uint16_t TimerInterval = 100;
  int TopMargin = 0;

  // The computed bevel colours and gradient table.
  toolkit::TColor Hellfarbe() const { return hell_; }
  toolkit::TColor Dunkelfarbe() const { return dunkel_; }
  const std::array<toolkit::TColor, 256>& Verlauf() const { return verlauf_; }

  // One tick of the repeat timer (its timeout runs this); the interval it asks for next.
  void Wiederholen();
  int Wiederholungsintervall() const;

signals:
  void Click();
  void StateChange();

protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool event(QEvent* e) override;

private:
  void Kontrast();
  void Zeichnen(QPainter& p);

  QString caption_;
  int bevelWidth_ = 1;
  toolkit::TColor borderColor_ = 0;
  TBorderStyle borderStyle_ = bsNormal;
  toolkit::TColor color_;
  int contrastHighlight_ = 5, contrastShadow_ = 6;
  bool down_ = false;
  QImage glyph_;
  int numGlyphs_ = 0;
  TGradientDirection gradientDirection_ = gdDownRight;
  TGradientStyle gradientStyle_ = gsNone;
  toolkit::TColor hell_ = 0, dunkel_ = 0;
  std::array<toolkit::TColor, 256> verlauf_{};
  bool mausGedrueckt_ = false, warUnten_ = false;
  QTimer* timer_ = nullptr;
  int shortcut_ = 0;
};
