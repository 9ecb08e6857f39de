#include "support/ScriptedHost.h"

#include <gtest/gtest.h>

#include "engine/VelkorWinVAR.h"

namespace testsupport {

ScriptedHost::ScriptedHost() { engine::InstallHost(this); }

ScriptedHost::~ScriptedHost() { engine::InstallHost(nullptr); }

void ScriptedHost::AbbruchBeiProcessEvents(int n) {
  BeiProcessEvents = [n](int aufruf) {
    if (aufruf == n) VelkorWinVAR::Abbruch = VelkorWinVAR::WandlungsFehler = true;
  };
}

void ScriptedHost::processEvents() {
  ++ProcessEventsAufrufe;
  if (BeiProcessEvents) BeiProcessEvents(ProcessEventsAufrufe);
}

void ScriptedHost::showBlock(engine::TSatzAnzeige wo, const std::string& block) {
  Anzeigen.emplace_back(wo, toolkit::Cp1252ToUtf8(block));
}

void ScriptedHost::protokoll(const std::string& zeile) { Protokoll.push_back(zeile); }

std::optional<std::string> ScriptedHost::antwort(const std::string& frage) {
  if (Antworten.empty()) {
    ADD_FAILURE() << "Unanswered question: " << toolkit::Cp1252ToUtf8(frage);
    VelkorWinVAR::Abbruch = VelkorWinVAR::WandlungsFehler = true;
    return std::nullopt;
  }
  std::string a = std::move(Antworten.front());
  Antworten.pop_front();
  return a;
}

void ScriptedHost::bildGewaehlt(bool nurGroesse, toolkit::TBitmap& Bild) {
  if (BeiBildausschnitt) BeiBildausschnitt(nurGroesse, Bild);
}

}  // namespace testsupport
