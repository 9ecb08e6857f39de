#pragma once
// The part program in TeileprogrammListe: reading it, taking over an editor change,
// opening another one.
#include <string>

#include "engine/VelkorWinVAR.h"

namespace workspace {

// Set by the NC editor when the main window must take its text back.
extern bool TeileprogrammGeaendert;

// Reads the text file into `Liste` (at most 255 characters a line; CR LF, LF or CR ends a
// line). False when the file cannot be read; `Liste` is then empty.
bool ReadPartProgram(VelkorWinVAR::TNcZeilen& Liste, const std::string& Dateiname);
// Takes over an editor change (written back to Arbeitsdateiname with its BAK first), reads
// `Dateiname`, clears the section and derives Zieldateiname in the program's folder.
bool ReplacePartProgram(const std::string& Dateiname);
// ReplacePartProgram after the NC-buffer question, then the extra colours emptied.
bool OpenPartProgram(const std::string& Dateiname);

}  // namespace workspace
