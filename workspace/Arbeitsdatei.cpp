#include "workspace/Arbeitsdatei.h"

namespace workspace {
void Laden2Click() {}
void Speichern1Click() {}
}  // namespace workspace
