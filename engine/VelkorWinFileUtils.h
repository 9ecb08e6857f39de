#pragma once
// The NC output: every line of the generated NC program leaves the engine through
// NcSatzSchreiben, straight into the target file or into the buffer NcSatzPuffer. Also
// the SAV and BAK backups, block numbering and the wait that lets messages through.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VelkorWinVAR.h"

namespace VelkorWinFileUtils {

// The buffered NC output: the lines as they will stand in the file, each followed by CR LF,
// in blocks of memory that grow with the buffer (a third of what it holds, at most 1 MiB),
// so it holds little more memory than the file will hold bytes. Read line by line (a line
// holds no CR LF of its own: NC blocks are single lines).
class TNcSatzPuffer {
public:
  class const_iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;
    std::string_view operator*() const;
    const_iterator& operator++();
    const_iterator operator++(int) {
      auto alt = *this;
      ++*this;
      return alt;
    }
    bool operator==(const const_iterator&) const = default;

  private:
    friend class TNcSatzPuffer;
    const TNcSatzPuffer* puffer_ = nullptr;
    std::size_t block_ = 0, pos_ = 0;
  };

  // Appends one line (std::bad_alloc when memory runs out; the buffer is then unchanged).
  void push_back(std::string_view Zeile);
  // The target file of the run whose lines the buffer holds: every save of the buffer writes
  // there, whatever program or target stands when it is saved. Set with the first line.
  const std::string& Ziel() const { return ziel_; }
  void ZielSetzen(std::string Ziel) { ziel_ = std::move(Ziel); }
  bool empty() const { return anzahl_ == 0; }
  std::size_t size() const { return anzahl_; }
  // The bytes the lines will write (each with its CR LF).
  std::size_t Bytes() const { return bytes_; }
  // The bytes of memory the buffer holds.
  std::size_t Belegt() const { return kapazitaet_ + bloecke_.capacity() * sizeof(TBlock); }
  // The file's text in pieces of whole lines, in order.
  std::vector<std::string_view> Abschnitte() const;
  VelkorWinVAR::TNcZeilen Zeilen() const;
  const_iterator begin() const;
  const_iterator end() const;
  // Releases every line and all memory.
  void clear();

private:
  struct TBlock {
    std::unique_ptr<char[]> Daten;
    std::size_t Groesse = 0, Belegt = 0;
  };
  std::vector<TBlock> bloecke_;
  std::size_t anzahl_ = 0, bytes_ = 0, kapazitaet_ = 0;
  std::string ziel_;
};

// The block number last given out; the interpreter sets it to 0 at every pass start.
extern std::int32_t Satznummer;
// The buffered NC output (empty: nothing buffered).
extern TNcSatzPuffer NcSatzPuffer;
// A target the pass no longer appends to (until the next pass starts): it could not be
// moved to its SAV backup, or a line could not be written to it and the user stopped.
extern std::string GesperrteZieldatei;

// Seams for tests: a failing open of the NC output (the error code to report, 0 lets
// the real open run), a failing write of an NC line of `Laenge` bytes with its CR LF (the
// error code, 0 lets the real write run; `Teil` receives how many of its bytes reach the
// file before it fails, as on a disk that fills up) and a failing allocation of a buffer
// line (false = no memory).
struct TPruefnaht {
  std::function<int(const std::string& Dateiname)> OeffnenFehler;
  std::function<int(const std::string& Dateiname, std::size_t Laenge, std::size_t& Teil)> SchreibFehler;
  std::function<bool()> PufferSpeicherFrei;
};
extern TPruefnaht Pruefnaht;

// Processes messages once, then writes a non-empty line: appended to the file with one
// write call of its own, so the file always holds every line written, or into the buffer,
// whose target the first line sets. A line for another target than the buffered lines'
// (written outside their run) goes straight to its own file.
// A failed open or write (what reached the file of the line is taken back, so the file
// never ends inside a line) is retried with a tone, a short wait and from the fourth
// failure the question whether to stop; "Ja" stops the run through Abbruch and the file
// gets no further line in this pass. A full memory is reported. Outside a pass the file is
// opened and closed per line.
void NcSatzSchreiben(const std::string& Dateiname, const std::string& Satz);

// While a pass runs its target stays open from its first direct line on, until the pass
// closes it (TZielOffen: from construction to destruction). A backup, saving a buffer or
// ResetState close it too; the next line then opens the file again.
void ZielOffenHalten();
void ZielSchliessen();
class TZielOffen {
public:
  TZielOffen() { ZielOffenHalten(); }
  ~TZielOffen() { ZielSchliessen(); }
  TZielOffen(const TZielOffen&) = delete;
  TZielOffen& operator=(const TZielOffen&) = delete;
};

// BAK backup of an existing file of that name, then writes every line to a new file
// (through a temporary file). On failure one notice names the file and the reason, and
// nothing is lost. True when written (an empty list writes nothing and succeeds).
bool NcPufferInDatei(const VelkorWinVAR::TNcZeilen& Liste, const std::string& Dateiname);
bool NcPufferInDatei(const TNcSatzPuffer& Puffer, const std::string& Dateiname);
// NcPufferInDatei to the buffer's own target, then empties the buffer; a buffer that could
// not be saved is kept.
bool NcPufferAusgeben(TNcSatzPuffer& Puffer);
void NcPufferFreigeben(TNcSatzPuffer& Puffer);
// When NcSatzPuffer holds lines, asks "Die erzeugten NC-Sätze speichern?" through the host:
// "Ja" saves them to the target of the run that made them (not to the Zieldateiname that
// stands now), "Nein" drops them. False only when the save failed (the lines then stay
// buffered).
bool NcPufferSichern();

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
// after the question, with Farbnummer -1; a colour that came before in the file is skipped
// without a question.
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
