// Line-wise grey milling of a photo-like picture with the simulation drawing every move
// into the window's picture (centre lines, or the cutter band with its circles), against
// the same milling with graphics off. The NC blocks are buffered; messages are counted as
// the throttled window host does. The time with graphics on is to stay within twice the
// time without.
#include <cstdlib>
#include <string>

#include "offscreen_app.h"
#include "counting_host.h"
#include "engine/VelkorWinLinienFraesUnit.h"
#include "milling_input.h"
#include "workspace/GrafikSimulation.h"

namespace {

// The window host's drawing calls, on the headless picture of the simulation window.
class ZeichnenderHost : public enginebench::ZaehlenderHost {
public:
  void drawMove(bool& GrafikVorhanden, const engine::TPunkt3D& Position, const engine::TPunkt3D& Ziel,
                engine::TArbeitsmodus Arbeitsmodus, bool, bool Fraeserbahn, double Radius) override {
    Simulation.ZeichneBahn(VelkorWinINTR::Ebene, GrafikVorhanden, Position, Ziel, Arbeitsmodus, Fraeserbahn,
                           Radius);
  }
  void selectPen(std::uint8_t Zeichenfarbe, int Schreibmodus) override {
    Simulation.StiftWaehlen(Zeichenfarbe, Schreibmodus);
  }
  void showBlock(engine::TSatzAnzeige, const std::string& block) override { Satz = block; }
  workspace::TGrafikSimulation Simulation;
  std::string Satz;
};

// Arg 0: graphics off; 1: centre lines; 2: the cutter band.
void BM_SimulationZeichnen(benchmark::State& state) {
  qtbench::Anwendung();
  const int seite = 250;
  millingbench::FotoVorbereiten(seite, 100.0);
  auto& k = VelkorWinVAR::KonfigBlock;
  k.GrafikEin = state.range(0) > 0;
  k.Fraeserbahn = state.range(0) == 2;
  k.Graubildwandlung = true;
  k.SimuGrenzeMin = {-10, -10, -10};
  k.SimuGrenzeMax = {110, 110, 10};
  ZeichnenderHost host;
  engine::InstallHost(&host);
  host.Simulation.ZeichneAchsen(workspace::AchsenkreuzFuer(engine::TEbene::XY));
  const std::size_t saetze =
      millingbench::TreiberMessen(state, [] { VelkorWinLinienFraesUnit::GraubildZeilenweiseFraesen(0, 0); });
  engine::InstallHost(nullptr);
  millingbench::PixelBericht(state, seite, saetze);
}

BENCHMARK(BM_SimulationZeichnen)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
