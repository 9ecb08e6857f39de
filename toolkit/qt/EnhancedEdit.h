#pragma once
// TEnhancedEdit: a one-line edit for numbers. It keeps `Value` and `ValueInt` in step with
// its text, can strip everything that is not part of a number, shows a value set by the
// program in a chosen number format, moves on with Enter, restores its text with Esc,
// pastes only the first line of the clipboard and can keep its text colour when disabled.
//
// Use:
//   auto* e = new TEnhancedEdit(parent);
//   e->setAcceptChars(false);             // clean what is typed or pasted to a number
//   e->setDigits(2);                      // decimals kept and shown
//   e->setValue(3.14159);                 // shows "3,14" (fixed / number format)
//   connect(e, &TEnhancedEdit::Change, ...);  // once per change of the text
//   double v = e->Value();
//
// The alignment is QLineEdit's own (setAlignment); Clear() empties the text.
// The helpers in namespace EnhEdit are the control's rules without a widget.
#include <QLineEdit>
#include <cstdint>
#include <string>
#include <string_view>

namespace EnhEdit {

enum class TFloatFormat { General, Exponent, Fixed, Number, Currency };

// The locale's decimal and thousands separators (',' and '.' on German systems).
char Dezimaltrenner();
char Tausendertrenner();

// The text cleaned to a number (AcceptChars off): decimals beyond `Digits` cut after the
// last decimal separator, every earlier decimal separator and every character but digits,
// "-", the decimal and the thousands separator removed. `Behalten` (when given) receives,
// per character of the text, whether it stayed.
std::string Bereinigen(std::string_view Text, int Digits, std::string* Behalten = nullptr);

// The locale's conversion of a whole text (thousands separators removed first), with an
// optional exponent ("1,235E+03", "1e3"); any error, or a result that is not a finite
// number, gives `Vorgabe` (module QvelUtils).
double SicherStrToFloat(std::string_view Text, double Vorgabe);
// Round(Value) clamped into the 32-bit range; NaN gives 0.
std::int32_t Ganzzahl(double Value);

// A value in the format: General (shortest with at most `Precision` significant digits),
// Exponent ("3,1416E+000"-like: Precision digits, at least `Digits` exponent digits),
// Fixed (`Digits` decimals), Number (Fixed with thousands separators), Currency (Number + " €").
// Fixed, Number and Currency switch to Exponent when the whole part has more digits than
// `Precision`.
std::string Formatieren(double Value, TFloatFormat Format, int Precision, int Digits);

}  // namespace EnhEdit

class TEnhancedEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit TEnhancedEdit(QWidget* parent = nullptr);

  bool AcceptChars() const { return acceptChars_; }
  void setAcceptChars(bool an);  // runs the change handling at once
  int Digits() const { return digits_; }
  // Digits, Format and Precision rewrite the text only where it would then stand for another
  // number (a fresh edit stays empty).
  void setDigits(int digits);  // 0..255
  bool ExitOnEnterKey() const { return exitOnEnter_; }
  void setExitOnEnterKey(bool an) { exitOnEnter_ = an; }
  EnhEdit::TFloatFormat Format() const { return format_; }
  void setFormat(EnhEdit::TFloatFormat format);
  bool GrayDisabled() const { return grayDisabled_; }
  void setGrayDisabled(bool an);
  int Precision() const { return precision_; }
  void setPrecision(int precision);
  bool UndoOnEscKey() const { return undoOnEsc_; }
  void setUndoOnEscKey(bool an) { undoOnEsc_ = an; }
  double Value() const { return value_; }
  void setValue(double v);  // shows it formatted when it differs
  std::int32_t ValueInt() const { return valueInt_; }
  void setValueInt(std::int32_t v);
  // Empties the text (Value and ValueInt become 0).
  void Clear() { setText(QString()); }
  // Replaces the selection by the clipboard's text up to its first control character.
  void Einfuegen();

signals:
  // The text changed (once per change, after cleaning).
  void Change();

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void changeEvent(QEvent* e) override;

private:
  void Aenderung();
  void Anzeigen();  // the text := Value formatted
  void Umformatieren();
  void Farben();

  bool acceptChars_ = true;
  int digits_ = 2;
  bool exitOnEnter_ = false;
  EnhEdit::TFloatFormat format_ = EnhEdit::TFloatFormat::Number;
  bool grayDisabled_ = true;
  int precision_ = 8;
  bool undoOnEsc_ = false;
  double value_ = 0.0;
  std::int32_t valueInt_ = 0;
  QString textBeimEintritt_;
  bool inAenderung_ = false;
};
