#pragma once
// The program's windows by type. Each window enters itself in the list while it lives (a
// TFensterEintrag member); a command asks for the window it needs by its type and does
// nothing when that window was not created. Where a lower layer needs a window of a higher
// one, the lower layer declares a small interface, and the window enters itself under that
// interface too.

namespace toolkit::qt {

namespace fensterliste {
template <class T>
T*& Platz() {
  static T* fenster = nullptr;
  return fenster;
}
}  // namespace fensterliste

// The created window of type T, or nullptr.
template <class T>
T* Fenster() {
  return fensterliste::Platz<T>();
}

// Enters `fenster` as the window of type T while the entry lives; a window made later takes
// the place, and an entry leaves it only while it still holds it.
template <class T>
class TFensterEintrag {
public:
  explicit TFensterEintrag(T* fenster) : fenster_(fenster) { fensterliste::Platz<T>() = fenster; }
  ~TFensterEintrag() {
    if (fensterliste::Platz<T>() == fenster_) fensterliste::Platz<T>() = nullptr;
  }
  TFensterEintrag(const TFensterEintrag&) = delete;
  TFensterEintrag& operator=(const TFensterEintrag&) = delete;

private:
  T* fenster_;
};

// Shows the window of type T as its commands show it (its Zeigen()); false when no such
// window was created.
template <class T>
bool FensterZeigen() {
  T* fenster = Fenster<T>();
  if (fenster) fenster->Zeigen();
  return fenster != nullptr;
}

}  // namespace toolkit::qt
