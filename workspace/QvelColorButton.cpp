#include "workspace/QvelColorButton.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "toolkit/qt/QtBild.h"
#include "workspace/rrColors.h"

using toolkit::qt::QFarbe;

TQvelColorButton::TQvelColorButton(QWidget* parent) : QWidget(parent) {
  resize(75, 25);
  setAttribute(Qt::WA_OpaquePaintEvent);
  color_ = toolkit::qt::Farbe(QApplication::palette().color(QPalette::Button));
  Kontrast();
}

void TQvelColorButton::Kontrast() {
  const auto k = rrColors::KontrastFarben(color_, (10 - contrastHighlight_) / 10.0, (10 - contrastShadow_) / 10.0);
  hell_ = k.Hell;
  dunkel_ = k.Dunkel;
  verlauf_ = rrColors::Verlaufstabelle(color_, gradientDirection_ == gdDownRight);
  update();
}

void TQvelColorButton::setCaption(const QString& c) {
  caption_ = c;
  if (shortcut_) releaseShortcut(shortcut_);
  const QKeySequence taste = QKeySequence::mnemonic(c);
  shortcut_ = taste.isEmpty() ? 0 : grabShortcut(taste);
  update();
}

void TQvelColorButton::setBevelWidth(int w) {
  if (w < 0) return;
  bevelWidth_ = w;
  update();
}
void TQvelColorButton::setBorderColor(toolkit::TColor c) {
  borderColor_ = c;
  update();
}
void TQvelColorButton::setBorderStyle(TBorderStyle s) {
  borderStyle_ = s;
  update();
}
void TQvelColorButton::setColor(toolkit::TColor c) {
  color_ = c;
  Kontrast();
}
void TQvelColorButton::setContrastHighlight(int c) {
  contrastHighlight_ = std::clamp(c, 0, 9);
  Kontrast();
}
void TQvelColorButton::setContrastShadow(int c) {
  contrastShadow_ = std::clamp(c, 0, 9);
  Kontrast();
}
void TQvelColorButton::setGradientDirection(TGradientDirection d) {
  gradientDirection_ = d;
  Kontrast();
}
void TQvelColorButton::setGradientStyle(TGradientStyle s) {
  gradientStyle_ = s;
  update();
}
void TQvelColorButton::setGlyph(const QImage& strip, int numGlyphs) {
  glyph_ = strip;
  numGlyphs_ = std::clamp(numGlyphs, 0, 4);
  update();
}

void TQvelColorButton::setDown(bool d) {
  if (d == down_) return;
  down_ = d;
  update();
  emit StateChange();
}

void TQvelColorButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Zeichnen(p);
}

void TQvelColorButton::Zeichnen(QPainter& p) {
  const int w = width(), h = height();
  const int rand = bevelWidth_ + (borderStyle_ == bsFlat ? 0 : 1);
  const QRect inhalt(rand, rand, std::max(w - 2 * rand, 0), std::max(h - 2 * rand, 0));
  const bool umgekehrt = down_ && ChangeDirection;
  auto eintrag = [&](int i) { return QFarbe(verlauf_[static_cast<std::size_t>(umgekehrt ? 255 - i : i)]); };

  // Face.
  p.fillRect(rect(), QFarbe(color_));
  if (gradientStyle_ == gsHorizontal || gradientStyle_ == gsVertical) {
    const bool waagrecht = gradientStyle_ == gsHorizontal;
    const int weite = waagrecht ? inhalt.width() : inhalt.height();
    const int band = weite / 255 + 1;
    p.setClipRect(inhalt);  // the last band stays inside the content
    for (int i = 0; i < 256; ++i) {
      const int start = i * weite / 255;
      if (waagrecht) p.fillRect(inhalt.left() + start, inhalt.top(), band, inhalt.height(), eintrag(i));
      else p.fillRect(inhalt.left(), inhalt.top() + start, inhalt.width(), band, eintrag(i));
    }
    p.setClipping(false);
  } else if (gradientStyle_ == gsPyramid && !inhalt.isEmpty()) {
    // Each pixel takes the entry of its distance from the nearest edge: the colours meet
    // in a pyramid over the centre.
    const double halbW = inhalt.width() / 2.0, halbH = inhalt.height() / 2.0;
    for (int y = 0; y < inhalt.height(); ++y)
      for (int x = 0; x < inhalt.width(); ++x) {
        const double t = std::min(std::min(x + 0.5, inhalt.width() - x - 0.5) / halbW,
                                  std::min(y + 0.5, inhalt.height() - y - 0.5) / halbH);
        p.setPen(eintrag(std::clamp(static_cast<int>(t * 255.0), 0, 255)));
        p.drawPoint(inhalt.left() + x, inhalt.top() + y);
      }
  }

  // Glyph and caption, as one block centred in the content.
  QImage bild;
  if (numGlyphs_ > 0 && !glyph_.isNull()) {
    const int breite = glyph_.width() / numGlyphs_;
    int nr = 0;
    if (!isEnabled() && numGlyphs_ >= 2) nr = 1;
    else if (down_ && numGlyphs_ >= 3) nr = 2;
    bild = glyph_.copy(nr * breite, 0, breite, glyph_.height()).convertToFormat(QImage::Format_ARGB32);
    const QRgb durchsichtig = bild.pixel(0, bild.height() - 1);
    for (int y = 0; y < bild.height(); ++y)
      for (int x = 0; x < bild.width(); ++x)
        if (bild.pixel(x, y) == durchsichtig) bild.setPixel(x, y, qRgba(0, 0, 0, 0));
  }
  const QFontMetrics fm(font());
  const QSize text = caption_.isEmpty() ? QSize() : fm.size(Qt::TextSingleLine | Qt::TextShowMnemonic, caption_);
  int verschiebung = umgekehrt ? -TopMargin : TopMargin;
  QPoint glyphOrt, textOrt = inhalt.center();
  if (!bild.isNull() && text.isEmpty()) {
    glyphOrt = inhalt.center() - QPoint(bild.width() / 2, bild.height() / 2);
  } else if (!bild.isNull()) {
    const bool waagrecht = Layout == blGlyphLeft || Layout == blGlyphRight;
    const int block = waagrecht ? bild.width() + Spacing + text.width() : bild.height() + Spacing + text.height();
    const int anfang = (waagrecht ? inhalt.left() + (inhalt.width() - block) / 2 : inhalt.top() + (inhalt.height() - block) / 2);
    switch (Layout) {
      case blGlyphLeft:
        glyphOrt = {anfang - Margin, inhalt.center().y() - bild.height() / 2};
        textOrt = {anfang + bild.width() + Spacing + text.width() / 2, inhalt.center().y()};
        break;
      case blGlyphRight:
        glyphOrt = {anfang + text.width() + Spacing + Margin, inhalt.center().y() - bild.height() / 2};
        textOrt = {anfang + text.width() / 2, inhalt.center().y()};
        break;
      case blGlyphTop:
        glyphOrt = {inhalt.center().x() - bild.width() / 2, anfang - Margin};
        textOrt = {inhalt.center().x(), anfang + bild.height() + Spacing + text.height() / 2};
        break;
      case blGlyphBottom:
        glyphOrt = {inhalt.center().x() - bild.width() / 2, anfang + text.height() + Spacing + Margin};
        textOrt = {inhalt.center().x(), anfang + text.height() / 2};
        break;
    }
  }
  if (!bild.isNull()) p.drawImage(glyphOrt, bild);
  if (!text.isEmpty()) {
    p.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : palette().color(QPalette::Disabled, QPalette::Text));
    QRect r(QPoint(0, 0), text);
    r.moveCenter(textOrt + QPoint(0, verschiebung));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, caption_);
  }

  // Frame, then the bevel inside it.
  int aussen = 0;
  if (borderStyle_ != bsFlat) {
    p.setPen(borderStyle_ == bsSingle ? QFarbe(borderColor_) : QFarbe(down_ ? dunkel_ : hell_));
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 0, 0, h - 1);
    if (borderStyle_ == bsNormal) p.setPen(QFarbe(down_ ? hell_ : dunkel_));
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    aussen = 1;
  }
  const QColor obenLinks = QFarbe(down_ ? dunkel_ : hell_), untenRechts = QFarbe(down_ ? hell_ : dunkel_);
  for (int i = aussen; i < aussen + bevelWidth_; ++i) {
    p.setPen(obenLinks);
    p.drawLine(i, i, w - 1 - i, i);
    p.drawLine(i, i, i, h - 1 - i);
    p.setPen(untenRechts);
    p.drawLine(i + 1, h - 1 - i, w - 1 - i, h - 1 - i);
    p.drawLine(w - 1 - i, i + 1, w - 1 - i, h - 1 - i);
  }
}

void TQvelColorButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !isEnabled()) return QWidget::mousePressEvent(e);
  warUnten_ = down_;
  mausGedrueckt_ = true;
  setDown(true);
  if (AllowTimer) {
    if (!timer_) {
      timer_ = new QTimer(this);
      connect(timer_, &QTimer::timeout, this, &TQvelColorButton::Wiederholen);
    }
    timer_->start(TimerDelay);
  }
}

void TQvelColorButton::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !isEnabled() || !mausGedrueckt_) return QWidget::mouseReleaseEvent(e);
  mausGedrueckt_ = false;
  if (timer_) timer_->stop();
  const bool drinnen = rect().contains(e->position().toPoint());
  bool unten = false;
  if (Grouped) unten = drinnen ? (warUnten_ ? !AllowAllUp : true) : warUnten_;
  setDown(unten);
  if (Grouped && down_ && parentWidget()) {
    for (auto* anderer : parentWidget()->findChildren<TQvelColorButton*>(Qt::FindDirectChildrenOnly))
      if (anderer != this && anderer->Grouped && anderer->GroupIndex == GroupIndex) anderer->setDown(false);
  }
  if (drinnen) emit Click();
}

void TQvelColorButton::Wiederholen() {
  if (timer_) timer_->setInterval(TimerInterval);
  if (down_ && isEnabled() && mausGedrueckt_) {
    try {
      emit Click();
    } catch (...) {
      if (timer_) timer_->stop();
      throw;
    }
  }
}

int TQvelColorButton::Wiederholungsintervall() const { return timer_ ? timer_->interval() : TimerDelay; }

void TQvelColorButton::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) {
    if (!Grouped) setDown(false);
    update();
  } else if (e->type() == QEvent::FontChange) {
    update();
  }
  QWidget::changeEvent(e);
}

bool TQvelColorButton::event(QEvent* e) {
  if (e->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(e)->shortcutId() == shortcut_) {
    if (isEnabled()) emit Click();
    return true;
  }
  return QWidget::event(e);
}
