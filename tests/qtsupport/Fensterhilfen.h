#pragma once
// Small helpers of the window tests: the child of a window by name, clicks and mouse events
// sent to it, and things done once a modal window is up or a condition holds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace testsupport {

// Runs `tat` once the modal window that is about to open is up.
inline void Spaeter(std::function<void()> tat) {
  QTimer::singleShot(0, qApp, [tat = std::move(tat)] {
    if (QApplication::activeModalWidget())
      tat();
    else
      ADD_FAILURE() << "kein modales Fenster offen";
  });
}

// The child `name` of `in` (without: of the open modal window); a missing one fails the test.
template <typename T>
T* Kind(const char* name, const QObject* in = nullptr) {
  if (!in) in = QApplication::activeModalWidget();
  auto* w = in ? in->findChild<T*>(QString::fromLatin1(name)) : nullptr;
  if (!w) ADD_FAILURE() << "kein " << name;
  return w;
}

inline void Klick(const char* name, const QObject* in = nullptr) {
  if (auto* k = Kind<QPushButton>(name, in)) k->click();
}

inline void Maus(QWidget* w, QEvent::Type art, QPoint p, Qt::MouseButton taste, Qt::MouseButtons tasten) {
  QMouseEvent e(art, QPointF(p), w->mapToGlobal(QPointF(p)), taste, tasten, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// Drags with the left button from `von` to `nach` in single steps.
inline void Ziehen(QWidget* w, QPoint von, QPoint nach) {
  Maus(w, QEvent::MouseButtonPress, von, Qt::LeftButton, Qt::LeftButton);
  const int schritte = std::max(std::abs(nach.x() - von.x()), std::abs(nach.y() - von.y()));
  for (int i = 1; i <= schritte; ++i)
    Maus(w, QEvent::MouseMove, von + (nach - von) * i / schritte, Qt::NoButton, Qt::LeftButton);
  Maus(w, QEvent::MouseButtonRelease, nach, Qt::LeftButton, Qt::NoButton);
}

// Runs `tat` once, at the first message-loop turn at which `bedingung` holds (a run's
// throttled turns included); the timer belongs to `besitzer`.
inline void Sobald(QObject* besitzer, std::function<bool()> bedingung, std::function<void()> tat) {
  auto* uhr = new QTimer(besitzer);
  uhr->setInterval(0);
  QObject::connect(uhr, &QTimer::timeout, uhr, [uhr, bedingung = std::move(bedingung), tat = std::move(tat)] {
    if (!bedingung()) return;
    uhr->stop();
    tat();
    uhr->deleteLater();
  });
  uhr->start();
}

inline bool ModalOffen() { return QApplication::activeModalWidget() != nullptr; }

// Fails unless `fenster` stands in the middle of the free area of its screen (give or take a
// few pixels of rounding).
inline void InDerMitte(const QWidget& fenster) {
  const QPoint abstand = fenster.geometry().center() - fenster.screen()->availableGeometry().center();
  EXPECT_LE(abstand.manhattanLength(), 8) << fenster.objectName().toStdString() << " " << fenster.x() << ","
                                          << fenster.y();
}

// From now on, until `besitzer` goes, every modal window is closed as soon as it is up, as
// the title bar's button does, after `tat` has seen it.
inline void ModalSchliessen(QObject* besitzer, std::function<void(QWidget*)> tat) {
  auto* uhr = new QTimer(besitzer);
  uhr->setInterval(0);
  QObject::connect(uhr, &QTimer::timeout, uhr, [tat = std::move(tat)] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      tat(w);
      w->close();
    }
  });
  uhr->start();
}

}  // namespace testsupport
