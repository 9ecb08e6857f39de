#pragma once
// The image work file: a prepared image conversion saved and restored
// ("Einrichtebetrieb" > "Einstelldatei" > "Laden" / "Speichern").
namespace workspace {

void Laden2Click();     // reads an image work file chosen in the open dialog
void Speichern1Click(); // writes one to the file chosen in the save dialog

}  // namespace workspace
