// The window list: a window is found by its type while it lives, the newest of a type holds
// the place, and without one a command does nothing. A window entered under an interface of a
// lower layer (the picture-save window) is opened so by the window review and the save test.
#include <gtest/gtest.h>

#include <optional>

#include "toolkit/qt/Fensterliste.h"

namespace {

using toolkit::qt::Fenster, toolkit::qt::FensterZeigen, toolkit::qt::TFensterEintrag;

struct TProbe {
  void Zeigen() { ++Gezeigt; }
  int Gezeigt = 0;
  TFensterEintrag<TProbe> eintrag{this};
};

TEST(Fensterliste, TheNewestWindowOfATypeWhileItLives) {
  EXPECT_FALSE(FensterZeigen<TProbe>());
  std::optional<TProbe> alt(std::in_place), neu;
  EXPECT_EQ(Fenster<TProbe>(), &*alt);
  neu.emplace();
  EXPECT_TRUE(FensterZeigen<TProbe>());
  EXPECT_EQ(std::pair(alt->Gezeigt, neu->Gezeigt), std::pair(0, 1));
  alt.reset();  // an older window leaves the newer one in its place
  EXPECT_EQ(Fenster<TProbe>(), &*neu);
  neu.reset();
  EXPECT_EQ(Fenster<TProbe>(), nullptr);
}

}  // namespace
