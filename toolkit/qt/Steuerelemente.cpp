#include "toolkit/qt/Steuerelemente.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "toolkit/qt/QtText.h"

namespace toolkit::qt {
namespace {

// Puts `w` at its place; without a size it takes the one its caption needs.
template <typename W>
W* Setzen(W* w, const char* name, TOrt ort) {
  if (name) w->setObjectName(QString::fromLatin1(name));
  if (!ort.Gesetzt) return w;
  w->move(ort.X, ort.Y);
  if (ort.W >= 0) w->resize(ort.W, ort.H);
  else w->adjustSize();
  return w;
}

}  // namespace

QLabel* Beschriftung(QWidget* eltern, const char* utf8, TOrt ort, const char* name) {
  return Setzen(new QLabel(U(utf8), eltern), name, ort);
}

QLineEdit* Feld(QWidget* eltern, const char* name, TOrt ort, TArt art) {
  auto* f = new QLineEdit(eltern);
  f->setReadOnly(Hat(art, TArt::NurLesen));
  if (Hat(art, TArt::OhneFokus)) f->setFocusPolicy(Qt::NoFocus);
  return Setzen(f, name, ort);
}

QPushButton* Knopf(QWidget* eltern, const char* name, const char* utf8, TOrt ort, TArt art) {
  auto* k = new QPushButton(U(utf8), eltern);
  if (!Hat(art, TArt::Eingabetaste)) k->setAutoDefault(false);
  if (Hat(art, TArt::OhneFokus)) k->setFocusPolicy(Qt::NoFocus);
  return Setzen(k, name, ort);
}

QCheckBox* Kasten(QWidget* eltern, const char* name, const char* utf8, TOrt ort) {
  return Setzen(new QCheckBox(U(utf8), eltern), name, ort);
}

QRadioButton* Wahlknopf(QWidget* eltern, const char* name, const char* utf8, TOrt ort) {
  return Setzen(new QRadioButton(U(utf8), eltern), name, ort);
}

QGroupBox* Gruppe(QWidget* eltern, const char* name, const char* utf8, TOrt ort) {
  return Setzen(new QGroupBox(U(utf8), eltern), name, ort);
}

}  // namespace toolkit::qt
