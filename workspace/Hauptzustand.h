#pragma once
// State of the main window that other windows of the program read and set.
namespace workspace {

// The settings block and the tool file are written at exit only when set: start-up sets it
// when the settings file is there; the disclaimer clears it and sets it on "einverstanden!".
extern bool KonfigSpeichernBeimEnde;

}  // namespace workspace
