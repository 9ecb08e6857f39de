#include "engine/EngineHost.h"

namespace engine {

void EngineHost::notice(const std::string&) {}
bool EngineHost::confirm(const std::string&) { return false; }
TTaste EngineHost::confirmWithButtons(const std::string&, const std::array<std::string, 3>&) {
  return TTaste::Geschlossen;
}
void EngineHost::processEvents() {}
void EngineHost::wait(int) {}
bool EngineHost::waitForEvents() { return false; }
void EngineHost::tone(int, int) {}
void EngineHost::messageBeep() {}
void EngineHost::drawMove(bool&, const TPunkt3D&, const TPunkt3D&, TArbeitsmodus, bool, bool, double) {}
void EngineHost::showSimulation() {}
void EngineHost::closeSimulation() {}
void EngineHost::clearSimulation(bool&) {}
void EngineHost::initSimulation(bool) {}
void EngineHost::drawAxes(TEbene, const TAchsenkreuz&) {}
void EngineHost::showBlock(TSatzAnzeige, const std::string&) {}
bool EngineHost::chooseImageSection(bool) { return false; }
void EngineHost::showImageInfo(bool) {}
TZirkularAntwort EngineHost::askCircularSense(std::string&) { return TZirkularAntwort::Geschlossen; }
void EngineHost::showProgrammedStop(const std::string&) {}
void EngineHost::closeProgrammedStop() {}

namespace {
EngineHost g_basis;
EngineHost* g_host = &g_basis;
}  // namespace

EngineHost& Host() { return *g_host; }

void InstallHost(EngineHost* host) { g_host = host ? host : &g_basis; }

}  // namespace engine
