#pragma once
// The engine host of the tests: records every call in a transcript, answers questions
// from a queue (a question without an answer fails the test) and can play a stop
// request at its n-th processEvents. It installs itself while it lives. A question it has
// no answer for fails the test and stops the run, so no loop of the engine waits for it.
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/ProtokollHost.h"

namespace testsupport {

class ScriptedHost : public ProtokollHost {
public:
  ScriptedHost();
  ~ScriptedHost() override;
  ScriptedHost(const ScriptedHost&) = delete;
  ScriptedHost& operator=(const ScriptedHost&) = delete;

  std::vector<std::string> Protokoll;  // one line per call (UTF-8)
  std::vector<std::pair<engine::TSatzAnzeige, std::string>> Anzeigen;  // shown blocks, apart
  std::deque<std::string> Antworten;
  int ProcessEventsAufrufe = 0;
  // Runs in every processEvents with its running number (from 1).
  std::function<void(int)> BeiProcessEvents;

  // Runs when the image section window is accepted: what the operator chose there.
  std::function<void(bool nurGroesse, toolkit::TBitmap& Bild)> BeiBildausschnitt;

  // The user's stop request (Abbruch and WandlungsFehler) in the n-th processEvents.
  void AbbruchBeiProcessEvents(int n);

  void processEvents() override;
  void showBlock(engine::TSatzAnzeige wo, const std::string& block) override;

protected:
  void protokoll(const std::string& zeile) override;
  std::optional<std::string> antwort(const std::string& frage) override;
  void bildGewaehlt(bool nurGroesse, toolkit::TBitmap& Bild) override;
};

}  // namespace testsupport
