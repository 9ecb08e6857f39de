#pragma once
// The NC output: every line of the generated NC program leaves the engine through
// NcSatzSchreiben, straight into the target file or into the buffer NcSatzPuffer. Also
// the SAV and BAK backups, block numbering and the wait that lets messages through.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/VelkorWinVAR.h"

namespace VelkorWinFileUtils {

// The block number last given out; the interpreter sets it to 0 at every pass start.
extern std::int32_t Satznummer;
// The buffered NC output (empty: nothing buffered).
extern VelkorWinVAR::TNcZeilen NcSatzPuffer;
// A target that could not be moved to its SAV backup in this pass: never appended to.
extern std::string GesperrteZieldatei;

// Seams for tests: a failing open of the NC output (the error code to report, 0 lets
// the real open run) and a failing allocation of a buffer line (false = no memory).
struct TPruefnaht {
  std::function<int(const std::string& Dateiname)> OeffnenFehler;
  std::function<bool()> PufferSpeicherFrei;
};
extern TPruefnaht Pruefnaht;

// Processes messages once, then writes a non-empty line: appended to the file (opened,
// written and closed for this line; failed opens are retried with a tone, a short wait
// and from the fourth failure the question whether to stop) or into the buffer. A
// failed write or a full memory is reported; the run is then stopped through Abbruch.
void NcSatzSchreiben(const std::string& Dateiname, const std::string& Satz);

// BAK backup of an existing file of that name, then writes every line to a new file
// (through a temporary file). On failure one notice names the file and the reason, and
// nothing is lost. True when written (an empty list writes nothing and succeeds).
bool NcPufferInDatei(const VelkorWinVAR::TNcZeilen& Liste, const std::string& Dateiname);
// NcPufferInDatei, then empties the list; a list that could not be saved is kept.
bool NcPufferAusgeben(VelkorWinVAR::TNcZeilen& Liste, const std::string& Dateiname);
void NcPufferFreigeben(VelkorWinVAR::TNcZeilen& Liste);

// True for an existing regular file.
bool DateiExistiert(const std::string& Dateiname);
// The backup name: in the file's own directory, its name up to and including the first
// "." followed by the ending ("PROG.CVT" -> "PROG.SAV"; "PROG" -> "PROG.SAV").
std::string SicherungsName(const std::string& Dateiname, std::string_view Endung);
// Rename an existing file to its BAK or SAV backup, erasing an older backup first.
// False (after the notice) when the file exists and could not be moved aside.
bool BakDateiAnlegen(const std::string& Dateiname);
bool SavDateiAnlegen(const std::string& Dateiname);

// Returns after `ms` milliseconds, processing window messages meanwhile.
void Warten(int ms);

// Removes a leading "N" address (with the blanks and digits behind it) and, with
// MitSatznummern, puts "N" + the next number + " " in front, cut to 255 characters. An
// "N" anywhere else is a format error: notice, Abbruch, and the text is dropped.
void SatznummerSetzen(std::string& Satz, std::int32_t& Nummer, std::uint16_t Inkrement);
// Nummer += Inkrement; an overflow is reported ("Integerüberlauf") and stops the run
// through Abbruch, leaving the counter as it was. True when counted on.
bool SatznummerErhoehen(std::int32_t& Nummer, std::uint16_t Inkrement);

void ResetState();

}  // namespace VelkorWinFileUtils
