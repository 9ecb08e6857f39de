#pragma once
// What the settings dialog tests share: typing into an edit and leaving it, finding a control,
// showing a dialog through the window list while a test step runs inside it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinVAR.h"
#include "qtsupport/DialogSkript.h"
#include "qtsupport/Fensterhilfen.h"
#include "support/EngineFixture.h"
#include "toolkit/qt/Fensterliste.h"

using testsupport::Kind;

class DialogFixture : public testsupport::EngineFixture {
protected:
  // Types the text into the edit and leaves it, as the operator does.
  static void Eingeben(QWidget& form, const char* name, const char* text) {
    auto* e = Kind<QLineEdit>(name, &form);
    ASSERT_NE(e, nullptr);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, QString::fromUtf8(text));
    QFocusEvent weg(QEvent::FocusOut);
    QApplication::sendEvent(e, &weg);
  }
  template <typename T = QPushButton>
  static T* Teil(QWidget& form, const char* name) {
    return Kind<T>(name, &form);
  }
  // Shows the dialog through the window list as its menu entry does, runs `tat` while it is
  // open and fails when it is still open afterwards.
  template <typename Form>
  static void Zeigen(Form& form, std::function<void()> tat) {
    QTimer::singleShot(0, &form, [&form, tat] {
      tat();
      EXPECT_FALSE(form.isVisible());
      if (form.isVisible()) form.QDialog::done(QDialog::Rejected);
    });
    ASSERT_EQ(toolkit::qt::Fenster<Form>(), &form);
    toolkit::qt::FensterZeigen<Form>();
  }
  // The settings file written now and read back into a fresh block.
  static void GespeichertUndGeladen() {
    ASSERT_TRUE(VelkorWinCNF::KonfigurationSpeichern("V.CNF"));
    VelkorWinVAR::KonfigBlock = VelkorWinVAR::TKonfigBlock{};
    ASSERT_TRUE(VelkorWinCNF::KonfigurationLaden("V.CNF"));
  }
  testsupport::DialogSkript skript;
};

// The same for a test of one dialog, `form`.
template <typename Form>
class DialogMit : public DialogFixture {
protected:
  void Eingeben(const char* name, const char* text) { DialogFixture::Eingeben(form, name, text); }
  QPushButton* Knopf(const char* name) { return Teil(form, name); }
  QCheckBox* Box(const char* name) { return Teil<QCheckBox>(form, name); }
  void Zeigen(std::function<void()> tat) { DialogFixture::Zeigen(form, std::move(tat)); }
  Form form;
};
