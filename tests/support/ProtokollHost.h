#pragma once
// A host that writes every call of the engine as one line ("notice: ...",
// "confirm: ... -> Ja", "tone: 1000 100") and takes the answers to questions from its
// subclass. Shared by the scripted test host and the headless driver, so both speak the
// same transcript. Header-only: the driver links no test library.
#include <optional>
#include <sstream>
#include <string>

#include "engine/EngineHost.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/NumberFormat.h"
#include "toolkit/Text.h"

namespace testsupport {

class ProtokollHost : public engine::EngineHost {
public:
  void notice(const std::string& text) override { protokoll("notice: " + toolkit::Cp1252ToUtf8(text)); }

  bool confirm(const std::string& text) override {
    const auto a = antwort(text);
    const bool ja = a == "Ja";
    protokoll("confirm: " + toolkit::Cp1252ToUtf8(text) + " -> " + (a ? *a : "geschlossen"));
    return ja;
  }

  engine::TTaste confirmWithButtons(const std::string& text, const std::array<std::string, 3>& captions) override {
    const auto a = antwort(text);
    protokoll("buttons: " + toolkit::Cp1252ToUtf8(text) + " [" + captions[0] + "|" + captions[1] + "|" +
              captions[2] + "] -> " + (a ? *a : "geschlossen"));
    if (a == captions[0]) return engine::TTaste::Ja;
    if (a == captions[1]) return engine::TTaste::Nein;
    if (a == captions[2]) return engine::TTaste::Hilfe;
    return engine::TTaste::Geschlossen;
  }

  void wait(int ms) override {
    protokoll("wait: " + std::to_string(ms));
    processEvents();
  }
  bool waitForEvents() override {
    processEvents();
    return false;
  }
  void tone(int frequency, int ms) override {
    protokoll("tone: " + std::to_string(frequency) + " " + std::to_string(ms));
  }
  void messageBeep() override { protokoll("beep"); }

  void drawMove(bool& GrafikVorhanden, const engine::TPunkt3D& von, const engine::TPunkt3D& nach,
                engine::TArbeitsmodus, bool, bool, double) override {
    GrafikVorhanden = true;
    protokoll("draw: " + punkt(von) + " -> " + punkt(nach));
  }
  void showSimulation() override { protokoll("simulation: show"); }
  void closeSimulation() override { protokoll("simulation: close"); }
  void clearSimulation(bool& GrafikVorhanden) override {
    GrafikVorhanden = false;
    protokoll("simulation: clear");
  }
  void initSimulation(bool MitAchsen) override {
    protokoll(std::string("simulation: init") + (MitAchsen ? " with axes" : ""));
  }
  void drawAxes(engine::TEbene, const engine::TAchsenkreuz& a) override {
    protokoll(std::string("axes: ") + a.AchseWaagrecht + " " + a.AchseSenkrecht);
  }

  // Accepted with "OK" or "Ja" (the window then leaves the picture whole, see the base,
  // and `bildGewaehlt` may change it), cancelled by any other answer.
  bool chooseImageSection(bool nurGroesse, toolkit::TBitmap& Bild) override {
    const auto a = antwort("section");
    protokoll(std::string("section: ") + (nurGroesse ? "size" : "area") + " -> " + (a ? *a : "geschlossen"));
    if (a != "OK" && a != "Ja") return false;
    engine::EngineHost::chooseImageSection(nurGroesse, Bild);
    bildGewaehlt(nurGroesse, Bild);
    return true;
  }
  // The picture reader of the program: by content first, then by extension.
  void loadImage(const std::string& Dateiname, toolkit::TBitmap& Bild) override {
    protokoll("load: " + toolkit::Cp1252ToUtf8(Dateiname));
    Bild = std::move(static_cast<toolkit::TBitmap&>(*RasterGraphics::LoadGraphicFile(Dateiname)));
  }
  void saveSimulationImage(const std::string& Dateiname) override {
    protokoll("save simulation: " + toolkit::Cp1252ToUtf8(Dateiname));
  }
  void showImageInfo(bool grau) override { protokoll(std::string("image info: ") + (grau ? "grey" : "colour")); }
  engine::TZirkularAntwort askCircularSense(std::string& richtung) override {
    const auto a = antwort("circular");
    protokoll("circular: -> " + (a ? *a : "geschlossen"));
    if (a == "clockwise" || a == "contraclockwise") {
      richtung = *a;
      return engine::TZirkularAntwort::Uebernehmen;
    }
    if (a == "Ja" || a == "Übernehmen") return engine::TZirkularAntwort::Uebernehmen;  // the item shown
    if (a == "Abbrechen") return engine::TZirkularAntwort::Abbrechen;
    if (a == "Hilfe") return engine::TZirkularAntwort::Hilfe;
    return engine::TZirkularAntwort::Geschlossen;
  }

  void showProgrammedStop(const std::string& block) override { protokoll("stop: " + toolkit::Cp1252ToUtf8(block)); }
  void closeProgrammedStop() override { protokoll("stop closed"); }

protected:
  virtual void protokoll(const std::string& zeile) = 0;
  // The answer to a question ("Ja", "Nein", a caption ...), nullopt when none is left:
  // the box counts as closed.
  virtual std::optional<std::string> antwort(const std::string& frage) = 0;
  // What the operator does in an accepted image section window.
  virtual void bildGewaehlt(bool /*nurGroesse*/, toolkit::TBitmap& /*Bild*/) {}

private:
  static std::string punkt(const engine::TPunkt3D& p) {
    return toolkit::FormatFixed(p.X, 3) + " " + toolkit::FormatFixed(p.Y, 3) + " " + toolkit::FormatFixed(p.Z, 3);
  }
};

}  // namespace testsupport
