// Program entry. The windows are not built yet; until they are, the program says so.
#include <cstdio>

#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"

int main() {
  toolkit::InitDecimalSeparatorFromLocale();
  std::puts("Velkor: Die Fenster des Programms sind noch nicht gebaut.");
  std::puts("Die Wandlung steht bereits und wird von den Tests ohne Fenster ausgeführt.");
  return 0;
}
