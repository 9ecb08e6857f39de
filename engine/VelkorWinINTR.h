#pragma once
// The part-program interpreter: one pass over the part program (measuring, conversion or
// image information), the block scanner with its word handlers and cycle calls, and the
// conversion command's run of a measuring pass followed by a conversion pass.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/VelkorWinVAR.h"

namespace VelkorWinINTR {

using VelkorWinMATH::TPunkt3D;
using VelkorWinVAR::TEbene;
using VelkorWinVAR::TInterpolation;
using VelkorWinVAR::TInterpretermodus;
using VelkorWinVAR::TNcZeilen;

// Longest block the interpreter takes.
inline constexpr std::size_t MaxSatzlaenge = 240;

// State of one pass.
extern std::string Satz;         // the output text of the block being interpreted
extern std::string VorigerSatz;  // the last block output; a cycle call reads its start point from it
extern std::size_t Leseposition;  // scan position in the block, from 0
extern int LeseFehler;            // 0, or the position (from 1) at which reading failed
extern bool TextzyklusAktiv, GrafikzyklusAktiv, ZyklusAktiv, Aufrufsatz;
extern bool ProgrammEnde;
extern bool ErsterTextzyklus;
extern bool EbeneGewechselt, EbenenwechselMelden;
extern std::string Gravurtext;
extern double Textwinkel;
extern TPunkt3D Mittelpunktabstand;  // I, J, K
extern bool ErsterMittelpunktabstand, ZweiterMittelpunktabstand;  // the plane's offsets given
extern double Schrifthoehe;
// The image the measuring pass met (nullopt: none); the conversion pass then writes the
// image head and tail lines.
extern std::optional<std::string> VorlaufBilddateiname;

// VorigerSatz was output under G90, so its coordinates are absolute.
extern bool VorigerSatzAbsolut;
// The call block of an open G81 drilling cycle was output; its G80 closes it.
extern bool BohrzyklusAufrufGeschrieben;

// The block being interpreted closed a cycle with G80; what it holds besides its number
// and the G80 is output after the return move.
extern bool Zyklusendesatz;

// The image-information command is running: its passes leave the target file alone.
extern bool Informationslauf;
// The stop line was written since the pass began.
extern bool AbbruchzeileGeschrieben;
// The last pass was ended by an error, not by a stop request; its stop line stands last
// and the command writes no other.
extern bool Fehlerstopp;

// Writes "Wandlung abgebrochen!" into the target (not in an image-information run, and
// not again after the stop line of a pass that an error ended).
void AbbruchzeileSchreiben();

// The interpreter's current position [mm].
extern TPunkt3D AktPosition;

// Modal state of the words.
extern TInterpolation Interpolation;
extern bool VorschubProMinute;                  // G94, else G95
extern bool KonstanteSchnittgeschwindigkeit;    // G96, else G97
extern double Vorschub, VorschubProUmdrehung, Schnittgeschwindigkeit, Spindeldrehzahl;
extern TEbene Ebene, VorigeEbene;

// One pass. "Kein Teileprogramm geladen! " without a program. A pass that does not run
// to its end sets Abbruch and ends the NC output with "Wandlung abgebrochen!" (an image
// information run writes nothing). True when the pass ran to its end.
bool StarteWandlung(TInterpretermodus Modus, const std::optional<TNcZeilen>& Teileprogramm);
// The pass itself; true when it ran to its end (M30 or the end of the program) without
// an error or a stop.
bool InterpretiereTeileprogramm(TInterpretermodus Modus, const TNcZeilen& Teileprogramm);

// The conversion command on TeileprogrammListe: saves or drops buffered NC lines, runs
// the measuring pass and, when it ran to its end, the conversion pass. True when both
// ran to their end.
bool WandlungDurchfuehren();
// The image-information command: the image named by the part program, a measuring pass
// and the image-information run, neither of which touches the target file. False when
// the program names no image ("Kein Bilddateiname in der Quelldatei gefunden!").
bool BildinformationDurchfuehren();

// Readers. Each takes the block and the position of the word's letter, reads what
// follows and leaves the position behind it; a failure shows its notice and sets
// LeseFehler.
double ZahlLesen(std::string_view Block, std::size_t& Position);
std::int32_t GanzzahlLesen(std::string_view Block, std::size_t& Position);
std::string TextLesen(std::string_view Block, std::size_t& Position);
void KommentarLesen(std::string_view Block, std::size_t& Position);
// True when the block's first "(" is its first character and its first ")" its last.
bool IstKommentarzeile(std::string_view Block);
// X, Y and Z of a block (outside its comments); false when one is missing or unreadable.
// On success the point also becomes AktPosition.
bool StartpositionLesen(std::string_view Block, TPunkt3D& Punkt);

// Word handlers.
void GWortAusfuehren(std::int32_t G);
void MWortAusfuehren(std::int32_t M);
void WerkzeugWechseln(std::int32_t T);
void TextzyklusAufrufLesen();
void GrafikzyklusAufrufLesen();
// The return move of a cycle, absolute or incremental.
void FahreAufPosition(bool Absolut, TPunkt3D& Position, TPunkt3D& Ziel);
void SchreibeVerfahrsatz(TPunkt3D& Position, TPunkt3D& Ziel);

// Position of the first of `Zeichen` from `Ab` on that stands outside a "(...)" comment.
std::size_t AusserhalbKommentarSuchen(std::string_view Block, std::string_view Zeichen, std::size_t Ab = 0);

// Scans `Satz` (a copy of it; edits go to Satz) from its start with the word handlers.
void SatzScannen();

void ResetState();

}  // namespace VelkorWinINTR
