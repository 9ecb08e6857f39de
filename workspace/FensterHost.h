#pragma once
// The engine's host in the program: its boxes go through the dialog service, its waits
// through Qt's message loop (throttled while a run goes on), its drawing to the simulation
// window, its image windows to the image preparation, and the block display to the main
// window. Also the one run guard: while a run started by a command goes on, every command
// that would start another run, load a part program or picture, or free what the run uses,
// is refused.
#include <chrono>
#include <string>

#include "engine/EngineHost.h"
#include "workspace/BildLaden.h"

namespace workspace {

// ---- The run guard ----

// Which run is going on.
enum class TLaufArt { keiner, Wandlung, Bildinformation, Neustart };
extern TLaufArt LaufArt;
inline bool LaufAktiv() { return LaufArt != TLaufArt::keiner; }
// The main window was closed while a run went on: the run stops, unwinds, and the window
// then closes for good.
extern bool BeendenAngefordert;

// Holds the guard for one run (a second guard while one is held is refused: Erteilt()
// is false). Tells the main window when the guard changes.
class TLaufSperre {
public:
  explicit TLaufSperre(TLaufArt art);
  ~TLaufSperre();
  TLaufSperre(const TLaufSperre&) = delete;
  TLaufSperre& operator=(const TLaufSperre&) = delete;
  bool Erteilt() const { return erteilt_; }

private:
  bool erteilt_ = false;
};

// ---- The host ----

class TFensterHost : public engine::EngineHost {
public:
  // At most one real turn of the message loop in this time; calls in between only read
  // the clock.
  static constexpr std::chrono::milliseconds Takt{15};

  void notice(const std::string& text) override;
  bool confirm(const std::string& text) override;
  engine::TTaste confirmWithButtons(const std::string& text, const std::array<std::string, 3>& captions) override;

  void processEvents() override;
  void wait(int ms) override;
  bool waitForEvents() override;
  void tone(int frequency, int ms) override;
  void messageBeep() override;

  void drawMove(bool& GrafikVorhanden, const engine::TPunkt3D& Position, const engine::TPunkt3D& Ziel,
                engine::TArbeitsmodus Arbeitsmodus, bool WerkzeugUnten, bool Fraeserbahn, double Radius) override;
  void showSimulation() override;
  void closeSimulation() override;
  void clearSimulation(bool& GrafikVorhanden) override;
  void initSimulation(bool MitAchsen) override;
  void drawAxes(engine::TEbene Ebene, const engine::TAchsenkreuz& Achsen) override;
  void selectPen(std::uint8_t Zeichenfarbe, int Schreibmodus) override;
  void saveSimulationImage(const std::string& Dateiname) override;

  // The block fields are written at the message-loop turns (and by Abgleichen), not per
  // block: a conversion of many blocks then costs no widget work per block.
  void showBlock(engine::TSatzAnzeige wo, const std::string& block) override;

  bool chooseImageSection(bool nurGroesse, toolkit::TBitmap& Bild) override;
  void loadImage(const std::string& Dateiname, toolkit::TBitmap& Bild) override;
  void showImageInfo(bool grau) override;
  engine::TZirkularAntwort askCircularSense(std::string& richtung) override;

  void showProgrammedStop(const std::string& block) override;
  void closeProgrammedStop() override;

  // The next processEvents turns the message loop, whenever the last turn was.
  void TaktNeuBeginnen() { letzterDurchgang_ = {}; }
  // Writes the block fields that changed since the last turn.
  void Abgleichen();
  // Real message-loop turns taken so far (for tests of the throttle).
  long Durchgaenge() const { return durchgaenge_; }

private:
  void Durchgang();

  std::chrono::steady_clock::time_point letzterDurchgang_{};
  long durchgaenge_ = 0;
  struct TFeld {
    std::string text;
    bool neu = false;
  };
  TFeld felder_[5];
};

// The host installed at start (created on first use).
TFensterHost& FensterHost();

}  // namespace workspace
