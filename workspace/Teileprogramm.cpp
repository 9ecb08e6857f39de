#include "workspace/Teileprogramm.h"

namespace workspace {
bool TeileprogrammGeaendert = false;
bool ReadPartProgram(VelkorWinVAR::TNcZeilen& Liste, const std::string&) {
  Liste.clear();
  return false;
}
bool ReplacePartProgram(const std::string&) { return false; }
bool OpenPartProgram(const std::string&) { return false; }
}  // namespace workspace
