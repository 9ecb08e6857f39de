#pragma once
// The NC output: every line of the generated NC program leaves the engine through
// NcSatzSchreiben, straight into the target file or into the buffer NcSatzPuffer. Also
// the SAV and BAK backups, block numbering and the wait that lets messages through.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// ---- Extra colours and the other files of the image cycle (VelkorWinFileUtils_Extrafarben.cpp) ----

// Appends the entry to the list; Extrafarbanzahl follows the list's length.
void ExtraFarbeEintragen(std::vector<VelkorWinVAR::TEF_Datentyp>& Liste, std::int32_t Farbnummer,
                         VelkorWinVAR::TColor Farbe, VelkorWinVAR::TArbeitsmodus Arbeitsmodus,
                         VelkorWinVAR::TBesonderheit Besonderheit);
// Removes entry `Index` of Extrafarbliste (an index outside it changes nothing).
void ExtraFarbeLoeschen(std::int32_t Index);
// True when one of the first Extrafarbanzahl entries has the colour.
bool IstExtrafarbe(VelkorWinVAR::TColor Farbe, const std::vector<VelkorWinVAR::TEF_Datentyp>& Liste);
// The first entry with the colour; else Farbnummer -1, Farbe -1, GrundArbeitsmodus, keine.
VelkorWinVAR::TEF_Datentyp ExtrafarbeSuchen(const std::vector<VelkorWinVAR::TEF_Datentyp>& Liste,
                                            VelkorWinVAR::TColor Farbe);
// Writes the extra-colour file; an empty list is refused with a notice, the file untouched.
// True when written.
bool ExtrafarbDateiSpeichern(const std::vector<VelkorWinVAR::TEF_Datentyp>& Liste, const std::string& Dateiname);
// Empties the list and reads the extra-colour file into it, record by record (keys in any
// order and case); reading ends at the first incomplete record or after a notice on a
// bad value, keeping the records read. A colour the counted picture lacks is taken only
// after the question, with Farbnummer -1.
void ExtrafarbDateiLaden(std::vector<VelkorWinVAR::TEF_Datentyp>& Liste, const std::string& Dateiname);

// The image work file: its head line put above the key lines, then saved (true when
// written); and read back as lines (empty after a notice when it cannot be read).
bool BildEinstellDateiSpeichern(std::vector<std::string>& Liste, const std::string& Dateiname);
std::vector<std::string> BildEinstellDateiLesen(const std::string& Dateiname);

// Asks whether to save the simulation picture as the part program's bare name + "_CNC.BMP"
// in the working directory; "Ja" moves an older one to its BAK backup and saves.
void NcGrafikSpeichern(const std::string& Name);

// True when a line holds "G" or "G " followed by GrafikzyklusNummer (anywhere in it).
bool GrafikzyklusInListe(const VelkorWinVAR::TNcZeilen& Liste);
// The image the part program's image cycle names, as the interpreter reads it from the
// first line holding "P'" (upper-cased, "/A" cut, ".PCX" without an extension); "" when
// the program has no image cycle or no such line.
std::string BilddateinameAusListe(const VelkorWinVAR::TNcZeilen& Liste);

void ResetState();

}  // namespace VelkorWinFileUtils
