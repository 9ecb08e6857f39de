#pragma once
// The part program in TeileprogrammListe: reading it, taking over an editor change,
// opening another one. No window: the commands of the main window that use these are in
// workspace/Teileprogramm_Befehle.h.
#include <cstddef>
#include <string>

#include "engine/VelkorWinVAR.h"

namespace workspace {

// Set by the NC editor when the main window must take its text back.
extern bool TeileprogrammGeaendert;

// Characters kept of a part-program line; the rest of a longer line is skipped.
inline constexpr std::size_t TeileprogrammZeilenKapazitaet = 255;

// Reads the text file into `Liste` (at most 255 characters a line; CR LF, LF or CR ends a
// line, a last line without an end counts, an empty file gives an empty list). False when
// the file cannot be read (missing, a directory, no right to read); `Liste` is then empty.
// Shows nothing.
bool ReadPartProgram(VelkorWinVAR::TNcZeilen& Liste, const std::string& Dateiname);

// The target name of a part program: the name up to the first "." of its last path
// component (when that "." is not the component's first character; else the whole name)
// + "." + ZielExt, so it stays in the program's folder ("/d/b.v2/TEIL.CNC" -> "/d/b.v2/TEIL.CVT").
std::string ZieldateinameZu(const std::string& Dateiname, const std::string& ZielExt);

// Takes over an editor change (TeileprogrammGeaendert: the list written back to
// Arbeitsdateiname as it stands, with its BAK first), reads `Dateiname` into
// TeileprogrammListe, clears Bildausschnitt and sets Zieldateiname by ZieldateinameZu.
// Arbeitsdateiname is the caller's to set. False when the file could not be read:
// TeileprogrammListe is then empty (no program loaded).
bool ReplacePartProgram(const std::string& Dateiname);


// Reads the program through ReplacePartProgram and empties the extra colours. False when the
// file could not be read. The caller asks about buffered NC lines first
// (VelkorWinFileUtils::NcPufferSichern) and opens nothing when they could not be saved:
// they belong to the program that stands.
bool OpenPartProgram(const std::string& Dateiname);

}  // namespace workspace
