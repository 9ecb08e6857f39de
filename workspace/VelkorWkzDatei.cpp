#include "workspace/VelkorWkzDatei.h"

namespace workspace {
TWkzDateiStatus ReadToolFile(const std::string&) { return TWkzDateiStatus::Fehlt; }
bool WriteToolFile(const std::string&) { return true; }
}  // namespace workspace
