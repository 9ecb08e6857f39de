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
void EngineHost::selectPen(std::uint8_t, int) {}
void EngineHost::saveSimulationImage(const std::string&) {}
void EngineHost::showBlock(TSatzAnzeige, const std::string&) {}
bool EngineHost::chooseImageSection(bool nurGroesse, toolkit::TBitmap& Bild) {
  if (!nurGroesse) {
    VelkorWinVAR::Bildausschnitt = {0, 0, static_cast<std::uint16_t>(Bild.Width()),
                                    static_cast<std::uint16_t>(Bild.Height()), true};
  }
  return true;
}
void EngineHost::loadImage(const std::string&, toolkit::TBitmap&) {}
void EngineHost::showImageInfo(bool) {}
// Without the dialog no sense can be confirmed: the run stops rather than asking forever.
TZirkularAntwort EngineHost::askCircularSense(std::string&) { return TZirkularAntwort::Abbrechen; }
void EngineHost::showProgrammedStop(const std::string&) {}
void EngineHost::closeProgrammedStop() {}

namespace {
EngineHost g_basis;
EngineHost* g_host = &g_basis;
}  // namespace

EngineHost& Host() { return *g_host; }

void InstallHost(EngineHost* host) { g_host = host ? host : &g_basis; }

}  // namespace engine
