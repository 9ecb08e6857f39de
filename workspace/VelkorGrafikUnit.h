#pragma once
// The simulation window: draws every move of a conversion. (Being built: the declarations
// below are the calls the engine host forwards to it.)
#include <QWidget>
#include <cstdint>
#include <string>

#include "engine/EngineHost.h"

class TVelkorGrafikForm : public QWidget {
  Q_OBJECT
public:
  explicit TVelkorGrafikForm(QWidget* parent = nullptr);

  // The engine host's simulation calls, forwarded one to one.
  void ZeichneBahn(bool& GrafikVorhanden, const engine::TPunkt3D& Position, const engine::TPunkt3D& Ziel,
                   engine::TArbeitsmodus Arbeitsmodus, bool WerkzeugUnten, bool Fraeserbahn, double Radius);
  void Zeigen();
  void Schliessen();
  void ClearGraphikImage(bool& GrafikVorhanden);
  void InitGrafik(bool MitAchsen);
  void ZeichneAchsen(engine::TEbene Ebene, const engine::TAchsenkreuz& Achsen);
  void StiftWaehlen(std::uint8_t Zeichenfarbe, int Schreibmodus);
  void BildSpeichern(const std::string& Dateiname);  // raises std::exception on failure
  void SatzAnzeigen(engine::TSatzAnzeige wo, const std::string& block);
  // One repaint after a run (repaints are coalesced while it goes on).
  void LaufBeendet();
};

// The window, created once at start (nullptr before).
extern TVelkorGrafikForm* VelkorGrafikForm;
