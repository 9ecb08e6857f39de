#pragma once
// The image work file: a prepared image conversion saved and restored
// ("Einrichtebetrieb" > "Einstelldatei" > "Laden" / "Speichern").
#include "workspace/Teileprogramm_Befehle.h"

namespace workspace {

// Reads an image work file chosen in the open dialog; what the main window is to show then
// (ArbeitsdateiUebernehmen), nothing changed when cancelled or refused.
TBefehlsergebnis Laden2Click();
void Speichern1Click();  // writes one to the file chosen in the save dialog

}  // namespace workspace
