#pragma once
// The engine's one door to the windows and the platform. Every box, sound, wait, drawing
// and window the engine needs is one virtual function here. This base does nothing and
// answers every question as a closed box would, which is what the program does while a
// window is missing; the program installs its window host at start, tests a scripted one.
// Texts are Windows-1252 bytes.
#include <array>
#include <string>

#include "engine/VelkorWinVAR.h"
#include "toolkit/Bitmap.h"

namespace engine {

using VelkorWinMATH::TPunkt3D;
using VelkorWinVAR::TArbeitsmodus;
using VelkorWinVAR::TEbene;

// The answer of a box whose three buttons were recaptioned ("Ja", "Nein", "Hilfe").
enum class TTaste { Ja, Nein, Hilfe, Geschlossen };

// The answer of the circular-direction dialog.
enum class TZirkularAntwort { Uebernehmen, Abbrechen, Hilfe, Geschlossen };

// Where a block is shown: the source and target fields of the main window and of the
// simulation window; ZielLabel is the main window's target label (a count shown there).
enum class TSatzAnzeige { HauptQuelle, HauptZiel, GrafikQuelle, GrafikZiel, ZielLabel };

// The coordinate system of the simulation window for one working plane.
struct TAchsenkreuz {
  char AchseWaagrecht = 'x';
  char AchseSenkrecht = 'y';
  double EinheitWaagrecht = 50.0;  // scale division [mm]
  double EinheitSenkrecht = 50.0;
  double MinWaagrecht = 0.0, MaxWaagrecht = 0.0;  // simulation limits [mm]
  double MinSenkrecht = 0.0, MaxSenkrecht = 0.0;
  int Gesamtstellen = 10;
  int Nachkommastellen = 3;
};

class EngineHost {
public:
  virtual ~EngineHost() = default;

  // A notice with one "OK" button, captioned with the program's name.
  virtual void notice(const std::string& text);
  // "Bestätigung" with "Ja" and "Nein"; true for "Ja".
  virtual bool confirm(const std::string& text);
  // A confirmation whose three buttons carry the given captions.
  virtual TTaste confirmWithButtons(const std::string& text, const std::array<std::string, 3>& captions);

  // Processes pending window messages once.
  virtual void processEvents();
  // Returns after `ms` milliseconds, processing window messages meanwhile.
  virtual void wait(int ms);
  // Blocks until window messages arrived and processes them. False when none can come
  // (no window, or the program is closing): a caller waiting for the user then stops.
  virtual bool waitForEvents();
  virtual void tone(int frequency, int ms);
  virtual void messageBeep();

  // Simulation window: one move (before its block is written), showing it without
  // blocking, closing it, clearing its picture, preparing it for a run, its axes.
  virtual void drawMove(bool& GrafikVorhanden, const TPunkt3D& Position, const TPunkt3D& Ziel,
                        TArbeitsmodus Arbeitsmodus, bool WerkzeugUnten, bool Fraeserbahn, double Radius);
  virtual void showSimulation();
  virtual void closeSimulation();
  virtual void clearSimulation(bool& GrafikVorhanden);
  virtual void initSimulation(bool MitAchsen);
  virtual void drawAxes(TEbene Ebene, const TAchsenkreuz& Achsen);
  // The pen of the simulation drawing: the drawing colour of that index and a write mode.
  virtual void selectPen(std::uint8_t Zeichenfarbe, int Schreibmodus);
  // Saves the simulation window's picture as a bitmap file; raises std::exception when
  // it cannot be written.
  virtual void saveSimulationImage(const std::string& Dateiname);

  // The block being worked on or written.
  virtual void showBlock(TSatzAnzeige wo, const std::string& block);

  // The image section and size window, modal; `nurGroesse` locks the section choice.
  // `Bild` brings the picture to choose from and takes back the picture the window made;
  // the window also sets Bildausschnitt, Gesamtbildverkleinerung, Bearbeitungsbild and
  // Arbeitsbild. False when the user cancelled it. Without a window the picture stays as
  // it is and a section choice takes the whole picture.
  virtual bool chooseImageSection(bool nurGroesse, toolkit::TBitmap& Bild);
  // Loads a picture file into `Bild` as the main window loads its picture; raises the
  // reader's error (std::exception) when the file cannot be read.
  virtual void loadImage(const std::string& Dateiname, toolkit::TBitmap& Bild);
  // The image information window (grey values or colours), modal.
  virtual void showImageInfo(bool grau);
  // "Zirkularrichtungssinn bestätigen": `richtung` holds the chosen item afterwards. The
  // base answers "Abbrechen".
  virtual TZirkularAntwort askCircularSense(std::string& richtung);

  // The programmed-stop notice, shown without blocking, and its closing.
  virtual void showProgrammedStop(const std::string& block);
  virtual void closeProgrammedStop();
};

// The installed host (the do-nothing base when none is installed).
EngineHost& Host();
// Installs `host` (nullptr: the base again). The engine does not own it.
void InstallHost(EngineHost* host);

}  // namespace engine
