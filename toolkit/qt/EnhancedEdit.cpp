#include "toolkit/qt/EnhancedEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "toolkit/Text.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Rounding.h"
#include "toolkit/qt/QtText.h"

namespace EnhEdit {

char Dezimaltrenner() { return toolkit::DecimalSeparator(); }
char Tausendertrenner() { return Dezimaltrenner() == ',' ? '.' : ','; }

std::string Bereinigen(std::string_view Text, int Digits, std::string* Behalten) {
  const char dez = Dezimaltrenner(), tausend = Tausendertrenner();
  std::string behalten(Text.size(), 1);
  const auto letzter = Text.rfind(dez);
  if (letzter != std::string_view::npos && Digits > 0 && Text.size() - letzter - 1 > static_cast<std::size_t>(Digits))
    std::fill(behalten.begin() + static_cast<std::ptrdiff_t>(letzter + 1 + Digits), behalten.end(), 0);
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char c = Text[i];
    const bool zahl = (c >= '0' && c <= '9') || c == '-' || c == dez || c == tausend;
    if (!zahl || (c == dez && i != letzter)) behalten[i] = 0;
  }
  std::string ergebnis;
  for (std::size_t i = 0; i < Text.size(); ++i)
    if (behalten[i]) ergebnis += Text[i];
  if (Behalten) *Behalten = std::move(behalten);
  return ergebnis;
}

namespace {

// A decimal number with an optional exponent ("1,235E+03", "1e3", "-2,5E-1").
std::optional<double> ZahlMitExponent(std::string_view zahl) {
  const auto e = zahl.find_first_of("Ee");
  const std::string_view mantisse = zahl.substr(0, e);
  const auto wert = toolkit::ParseDecimal(mantisse, Dezimaltrenner());
  if (!wert || e == std::string_view::npos) return wert;
  const auto exponent = toolkit::ParseInteger(zahl.substr(e + 1));
  if (!exponent) return std::nullopt;
  // The checked mantissa and the exponent once more as one number, so nothing is rounded twice.
  std::string text(mantisse.starts_with('+') ? mantisse.substr(1) : mantisse);
  std::replace(text.begin(), text.end(), Dezimaltrenner(), '.');
  text += 'e' + std::to_string(*exponent);
  double v = 0.0;
  const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (fehler != std::errc() || ende != text.data() + text.size()) return std::nullopt;
  return v;
}

}  // namespace

double SicherStrToFloat(std::string_view Text, double Vorgabe) {
  std::string t(Text);
  std::erase(t, Tausendertrenner());
  const std::string_view zahl = toolkit::Trim(t, " ");
  if (zahl.empty()) return Vorgabe;
  const auto w = ZahlMitExponent(zahl);
  return w && std::isfinite(*w) ? *w : Vorgabe;
}

std::int32_t Ganzzahl(double Value) { return toolkit::RoundToInt32(Value); }

namespace {

std::string MitTrenner(std::string text) {
  if (const auto p = text.find('.'); p != std::string::npos) text[p] = Dezimaltrenner();
  return text;
}

std::string Exponent(double v, int precision, int digits) {
  char puffer[64];
  std::snprintf(puffer, sizeof puffer, "%.*E", std::clamp(precision, 1, 18) - 1, v);
  std::string t(puffer);
  const auto e = t.find('E');
  std::string mantisse = t.substr(0, e), rest = t.substr(e + 1);
  const char vorzeichen = rest[0] == '-' ? '-' : '+';
  std::string ziffern = rest.substr(1);
  ziffern.erase(0, std::min(ziffern.find_first_not_of('0'), ziffern.size() - 1));
  const std::size_t mindestens = static_cast<std::size_t>(std::clamp(digits, 0, 4));
  if (ziffern.size() < mindestens) ziffern = std::string(mindestens - ziffern.size(), '0') + ziffern;
  return MitTrenner(mantisse) + "E" + vorzeichen + ziffern;
}

std::string Gruppiert(std::string text) {
  const std::size_t anfang = text[0] == '-' ? 1 : 0;
  auto ende = text.find(Dezimaltrenner());
  if (ende == std::string::npos) ende = text.size();
  for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(ende) - 3; i > static_cast<std::ptrdiff_t>(anfang); i -= 3)
    text.insert(static_cast<std::size_t>(i), 1, Tausendertrenner());
  return text;
}

}  // namespace

std::string Formatieren(double Value, TFloatFormat Format, int Precision, int Digits) {
  if (!std::isfinite(Value)) return std::isnan(Value) ? "NAN" : Value > 0 ? "INF" : "-INF";
  Precision = std::clamp(Precision, 1, 18);
  switch (Format) {
    case TFloatFormat::Exponent: return Exponent(Value, Precision, Digits);
    case TFloatFormat::General: {
      char puffer[64];
      std::snprintf(puffer, sizeof puffer, "%.*G", Precision, Value);
      std::string t(puffer);
      if (t.find('E') != std::string::npos) return Exponent(Value, Precision, 0);
      return MitTrenner(t);
    }
    default: break;
  }
  if (std::fabs(Value) >= std::pow(10.0, Precision)) return Exponent(Value, Precision, 0);
  std::string t = toolkit::FormatFixed(Value, std::clamp(Digits, 0, 18), Dezimaltrenner());
  if (Format == TFloatFormat::Fixed) return t;
  t = Gruppiert(t);
  return Format == TFloatFormat::Currency ? t + " \x80" : t;  // the euro sign in Windows-1252
}

}  // namespace EnhEdit

TEnhancedEdit::TEnhancedEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, &TEnhancedEdit::Aenderung);
}

void TEnhancedEdit::setAcceptChars(bool an) {
  if (an == acceptChars_) return;
  acceptChars_ = an;
  Aenderung();
}

void TEnhancedEdit::setDigits(int digits) {
  digits_ = std::clamp(digits, 0, 255);
  Umformatieren();
}

void TEnhancedEdit::setFormat(EnhEdit::TFloatFormat format) {
  format_ = format;
  Umformatieren();
}

void TEnhancedEdit::setPrecision(int precision) {
  precision_ = std::clamp(precision, 0, 255);
  Umformatieren();
}

void TEnhancedEdit::setGrayDisabled(bool an) {
  grayDisabled_ = an;
  Farben();
}

void TEnhancedEdit::setValue(double v) {
  if (!std::isfinite(v) || v == value_) return;
  value_ = v;
  Anzeigen();
}

void TEnhancedEdit::setValueInt(std::int32_t v) {
  if (v == valueInt_) return;
  valueInt_ = v;
  setText(toolkit::qt::QText(EnhEdit::Formatieren(v, format_, precision_, digits_)));
}

void TEnhancedEdit::Anzeigen() {
  setText(toolkit::qt::QText(EnhEdit::Formatieren(value_, format_, precision_, digits_)));
}

// A new format shows the value anew only where the text would then stand for another
// number: an empty edit stays empty, and "1,5" stays "1,5" with three digits.
void TEnhancedEdit::Umformatieren() {
  const std::string text = EnhEdit::Formatieren(value_, format_, precision_, digits_);
  if (EnhEdit::SicherStrToFloat(text, 0.0) != value_) setText(toolkit::qt::QText(text));
}

void TEnhancedEdit::Aenderung() {
  if (inAenderung_) return;
  std::string text = toolkit::qt::AnsiText(this->text());
  if (text.empty()) {
    value_ = 0.0;
    valueInt_ = 0;
    emit Change();
    return;
  }
  if (!acceptChars_) {
    std::string behalten;
    const std::string sauber = EnhEdit::Bereinigen(text, digits_, &behalten);
    if (sauber != text) {
      // The caret stays behind the characters before it that were kept.
      const int alt = cursorPosition();
      const int neu = static_cast<int>(std::count(behalten.begin(), behalten.begin() + std::min<std::size_t>(alt, behalten.size()), 1));
      inAenderung_ = true;
      setText(toolkit::qt::QText(sauber));
      setCursorPosition(neu);
      inAenderung_ = false;
      text = sauber;
    }
  }
  value_ = EnhEdit::SicherStrToFloat(text, 0.0);
  valueInt_ = EnhEdit::Ganzzahl(value_);
  emit Change();
}

void TEnhancedEdit::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Paste)) {
    Einfuegen();
    e->accept();
    return;
  }
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      e->accept();  // swallowed: no default button, no beep
      if (exitOnEnter_) focusNextChild();
      return;
    case Qt::Key_Escape:
      if (undoOnEsc_) {
        setText(textBeimEintritt_);
        e->accept();
        return;
      }
      e->ignore();  // passed on to the window
      return;
    default: QLineEdit::keyPressEvent(e);
  }
}

void TEnhancedEdit::focusInEvent(QFocusEvent* e) {
  textBeimEintritt_ = text();
  QLineEdit::focusInEvent(e);
}

void TEnhancedEdit::Einfuegen() {
  if (isReadOnly()) return;
  QString t = QApplication::clipboard()->text();
  for (int i = 0; i < t.size(); ++i)
    if (t[i].unicode() < 32) {
      t.truncate(i);
      break;
    }
  insert(t);
}

void TEnhancedEdit::contextMenuEvent(QContextMenuEvent* e) {
  QMenu* menu = createStandardContextMenu();
  if (auto* einfuegen = menu->findChild<QAction*>("edit-paste")) {
    disconnect(einfuegen, &QAction::triggered, nullptr, nullptr);
    connect(einfuegen, &QAction::triggered, this, &TEnhancedEdit::Einfuegen);
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(e->globalPos());
}

void TEnhancedEdit::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange || e->type() == QEvent::PaletteChange) Farben();
  QLineEdit::changeEvent(e);
}

void TEnhancedEdit::Farben() {
  // Not grey while disabled: the disabled text takes the window text colour.
  QPalette p = palette();
  const QColor gewollt = grayDisabled_ ? QApplication::palette(this).color(QPalette::Disabled, QPalette::Text)
                                       : p.color(QPalette::Active, QPalette::WindowText);
  if (p.color(QPalette::Disabled, QPalette::Text) == gewollt) return;
  p.setColor(QPalette::Disabled, QPalette::Text, gewollt);
  setPalette(p);
}
