#pragma once
// The controls the windows build, all made one way: a label, a field, a button, a check
// box, a radio button and a group box, each with its objectName, its UTF-8 caption and its
// place; and the one guarded connection of a signal to the handler that answers it.
#include <QObject>
#include <QRect>
#include <concepts>
#include <functional>
#include <type_traits>

#include "toolkit/qt/Dialoge.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace toolkit::qt {

// Where a control stands in its parent: nowhere yet (a layout places it), at a point in
// the size its caption needs, or in a rectangle.
struct TOrt {
  TOrt() = default;
  TOrt(int x, int y) : Gesetzt(true), X(x), Y(y) {}
  TOrt(int x, int y, int w, int h) : Gesetzt(true), X(x), Y(y), W(w), H(h) {}
  TOrt(const QRect& r) : TOrt(r.x(), r.y(), r.width(), r.height()) {}
  bool Gesetzt = false;
  int X = 0, Y = 0;
  int W = -1, H = -1;  // -1: the size the caption needs
};

// What a control is besides its caption and place; flags joined by "|".
enum class TArt : unsigned {
  Normal = 0,
  NurLesen = 1,      // a field the user cannot type into
  OhneFokus = 2,     // never takes the focus, so the window keeps its keys
  Eingabetaste = 4,  // a dialog's button that Enter presses while it has the focus
};
constexpr TArt operator|(TArt a, TArt b) { return TArt(unsigned(a) | unsigned(b)); }
constexpr bool Hat(TArt art, TArt merkmal) { return (unsigned(art) & unsigned(merkmal)) != 0; }

// Each builder makes its control in `eltern`, with the objectName `name` (none for nullptr)
// and the UTF-8 caption `utf8`, at `ort`.
QLabel* Beschriftung(QWidget* eltern, const char* utf8, TOrt ort = {}, const char* name = nullptr);
QLineEdit* Feld(QWidget* eltern, const char* name, TOrt ort = {}, TArt art = TArt::Normal);
QPushButton* Knopf(QWidget* eltern, const char* name, const char* utf8, TOrt ort = {}, TArt art = TArt::Normal);
QCheckBox* Kasten(QWidget* eltern, const char* name, const char* utf8, TOrt ort = {});
QRadioButton* Wahlknopf(QWidget* eltern, const char* name, const char* utf8, TOrt ort = {});
QGroupBox* Gruppe(QWidget* eltern, const char* name, const char* utf8, TOrt ort = {});

namespace detail {

// Calls `handler` (a member function of `ziel`, or anything callable) with the signal's
// arguments when it takes them, else with none.
template <typename Handler, typename Ziel, typename... Args>
void Aufrufen(Handler& handler, Ziel* ziel, const Args&... args) {
  if constexpr (std::is_member_function_pointer_v<Handler>) {
    if constexpr (std::is_invocable_v<Handler&, Ziel*, const Args&...>) std::invoke(handler, ziel, args...);
    else std::invoke(handler, ziel);
  } else if constexpr (std::is_invocable_v<Handler&, const Args&...>) {
    std::invoke(handler, args...);
  } else {
    std::invoke(handler);
  }
}

}  // namespace detail

// Connects `signal` of `sender` to `handler`, which runs inside Sicher: whatever escapes it
// is shown in a notice and ends only that user action. `handler` is a member function of
// `ziel` or a callable; it takes the signal's arguments or none. The connection ends with
// `ziel`.
template <typename Sender, typename Signal, typename Ziel, typename Handler>
  requires std::derived_from<Ziel, QObject>
QMetaObject::Connection Verbinden(const Sender* sender, Signal signal, Ziel* ziel, Handler handler) {
  return QObject::connect(sender, signal, ziel, [ziel, handler = std::move(handler)](const auto&... args) mutable {
    Sicher([&] { detail::Aufrufen(handler, ziel, args...); });
  });
}

}  // namespace toolkit::qt
