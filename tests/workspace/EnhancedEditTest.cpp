// The numeric edit: cleaning, values, formats, paste, Enter, Esc and disabled painting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "toolkit/NumberFormat.h"
#include "toolkit/qt/EnhancedEdit.h"

namespace {

using EnhEdit::TFloatFormat;

struct EnhancedEdit : ::testing::Test {
  void SetUp() override { toolkit::SetDecimalSeparator(','); }
  void TearDown() override { toolkit::SetDecimalSeparator('.'); }
};

TEST_F(EnhancedEdit, TypedTextBecomesTextAndValues) {
  struct Fall { bool acceptChars; const char *getippt, *text; double value; std::int32_t valueInt; };
  for (const Fall& f : {Fall{false, "12,345", "12,34", 12.34, 12}, {false, "1,2,3", "12,3", 12.3, 12}, {false, "a1b", "1", 1, 1},
                        {false, "1.234,5", "1.234,5", 1234.5, 1234}, {false, "-2,5", "-2,5", -2.5, -2},
                        {true, "abc", "abc", 0, 0}, {true, "inf", "inf", 0, 0}, {true, "nan", "nan", 0, 0},
                        {true, "99999999999", "99999999999", 99999999999.0, 2147483647},
                        {true, "-99999999999", "-99999999999", -99999999999.0, -2147483647 - 1},
                        {true, "1E3", "1E3", 1000, 1000}, {true, "1,235E+03", "1,235E+03", 1235, 1235},
                        {true, "-2,5e-1", "-2,5e-1", -0.25, 0}, {true, "1E", "1E", 0, 0}, {true, "1E400", "1E400", 0, 0},
                        {true, "1E3,5", "1E3,5", 0, 0}, {false, "1E3", "13", 13, 13}}) {
    TEnhancedEdit e;
    e.setAcceptChars(f.acceptChars);
    QTest::keyClicks(&e, f.getippt);
    EXPECT_EQ(std::tuple(e.text().toStdString(), e.Value(), e.ValueInt()), std::tuple(f.text, f.value, f.valueInt)) << f.getippt;
  }
}

TEST_F(EnhancedEdit, CleaningKeepsTheCaretAndFiresTheChangeOnce) {
  TEnhancedEdit e;
  e.setAcceptChars(false);
  e.setText("1234");
  QSignalSpy aenderungen(&e, &TEnhancedEdit::Change);
  e.setCursorPosition(2);
  QTest::keyClick(&e, Qt::Key_X);
  EXPECT_EQ(std::tuple(e.text(), e.cursorPosition()), std::tuple("1234", 2));
  QTest::keyClick(&e, Qt::Key_5);
  EXPECT_EQ(std::tuple(e.text(), e.cursorPosition(), aenderungen.count()), std::tuple("12534", 3, 2));
}

TEST_F(EnhancedEdit, ValueShownInItsFormat) {
  using F = TFloatFormat;
  struct Fall { double wert; F format; int precision, digits; const char* text; };
  for (const Fall& f : {Fall{1234.5, F::Number, 8, 2, "1.234,50"}, {-1234567.0, F::Number, 10, 0, "-1.234.567"},
                        {1234.5, F::Currency, 8, 2, "1.234,50 \x80"}, {0.5, F::General, 8, 2, "0,5"},
                        {1234.56, F::Exponent, 4, 2, "1,235E+03"}, {123456.0, F::Fixed, 3, 2, "1,23E+5"}})
    EXPECT_EQ(EnhEdit::Formatieren(f.wert, f.format, f.precision, f.digits), f.text);
}

TEST_F(EnhancedEdit, ValueSetByTheProgramIsShownFormattedAndPasteIsCleanedAsTyped) {
  TEnhancedEdit e;
  e.setFormat(TFloatFormat::Fixed);
  e.setPrecision(8);
  e.setDigits(2);
  e.setValue(3.14159);
  EXPECT_EQ(std::tuple(e.text(), e.Value()), std::tuple("3,14", 3.14));  // the text's value once it is shown
  e.setValueInt(7);
  const QString sieben = e.text();
  e.Clear();
  EXPECT_EQ(std::tuple(sieben, e.Value(), e.ValueInt()), std::tuple("7,00", 0.0, 0));

  QApplication::clipboard()->setText("12.5\r\n99");  // the first line only
  e.Einfuegen();
  EXPECT_EQ(e.text(), "12.5");
  e.setAcceptChars(false);
  e.clear();
  QApplication::clipboard()->setText("x7,25a\t3");
  QTest::keySequence(&e, QKeySequence::Paste);
  EXPECT_EQ(std::tuple(e.text(), e.Value()), std::tuple("7,25", 7.25));
  e.selectAll();
  QApplication::clipboard()->clear();
  e.Einfuegen();
  EXPECT_EQ(e.text(), "");
}

// Digits, Format and Precision leave a text alone that would still stand for the same number,
// so a fresh edit takes what is typed; the edit reads its own exponent text back.
TEST_F(EnhancedEdit, FormatSettingsRewriteTheTextOnlyWhereItsNumberChanges) {
  TEnhancedEdit e;
  e.setAcceptChars(false);
  e.setDigits(3);
  e.setDigits(2);
  e.setPrecision(6);
  e.setFormat(TFloatFormat::Fixed);
  EXPECT_EQ(e.text(), "");
  QTest::keyClicks(&e, "12,3456");
  e.setDigits(4);  // 12,3400 is the same number
  EXPECT_EQ(std::tuple(e.text(), e.Value()), std::tuple("12,34", 12.34));
  e.setValue(3.14159);
  EXPECT_EQ(e.text(), "3,1416");
  e.setDigits(2);
  EXPECT_EQ(std::tuple(e.text(), e.Value()), std::tuple("3,14", 3.14));
  e.setAcceptChars(true);  // the exponent text is not cleaned
  e.setValue(1234.56);
  e.setPrecision(4);  // the number form keeps 1.234,56
  e.setFormat(TFloatFormat::Exponent);
  EXPECT_EQ(std::tuple(e.text(), e.Value()), std::tuple("1,235E+03", 1235.0));
}

TEST_F(EnhancedEdit, EnterNeverClicksTheDefaultButtonAndEscUndoesWhenAsked) {
  QDialog d;
  auto *edit = new TEnhancedEdit(&d), *naechstes = new TEnhancedEdit(&d);
  auto* knopf = new QPushButton("OK", &d);
  auto* l = new QVBoxLayout(&d);
  for (QWidget* w : std::initializer_list<QWidget*>{edit, naechstes, knopf}) l->addWidget(w);
  knopf->setDefault(true);
  int klicks = 0;
  QObject::connect(knopf, &QPushButton::clicked, [&] { ++klicks; });
  d.show();
  d.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  edit->setFocus();
  edit->setText("5");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_TRUE(edit->hasFocus());
  edit->setExitOnEnterKey(true);
  QTest::keyClick(edit, Qt::Key_Enter);
  EXPECT_EQ(std::tuple(klicks, naechstes->hasFocus()), std::tuple(0, true));
  edit->setFocus();  // the text at focus entry: "5"
  edit->setUndoOnEscKey(true);
  QTest::keyClicks(edit, "67");
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(std::tuple(edit->text(), d.isVisible()), std::tuple("5", true));
  edit->setUndoOnEscKey(false);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_FALSE(d.isVisible());  // the dialog took it and closed
}

// The darkest grey of the rendered text.
int Dunkelstes(QWidget& w) {
  const QImage bild = w.grab().toImage();
  int dunkel = 255;
  for (int y = 3; y < bild.height() - 3; ++y)
    for (int x = 3; x < bild.width() - 3; ++x) dunkel = std::min(dunkel, qGray(bild.pixel(x, y)));
  return dunkel;
}

TEST_F(EnhancedEdit, DisabledTextKeepsTheWindowTextColourUnlessGrey) {
  TEnhancedEdit e;
  e.resize(120, 30);
  e.setText("8888");
  e.setEnabled(false);
  const int grau = Dunkelstes(e);
  e.setGrayDisabled(false);
  const int schrift = qGray(e.palette().color(QPalette::Active, QPalette::WindowText).rgb()), dunkel = Dunkelstes(e);
  EXPECT_LE(std::abs(dunkel - schrift), 40);
  EXPECT_GT(grau, dunkel);
}

}  // namespace
