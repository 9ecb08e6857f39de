#include "workspace/Hauptzustand.h"

namespace workspace {
bool KonfigSpeichernBeimEnde = false;
}
