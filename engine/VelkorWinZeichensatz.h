#pragma once
// Single-stroke engraving fonts: the font file read whole into a buffer, its header, the
// lookup of a character and the decoding of its stroke commands. The engraving cycle and the
// font viewer share this reader; each keeps its own buffer.
//
// File layout (offsets from the first byte, numbers little-endian):
//   0 .. t         free text, ended by the byte 0x1A at t (t below 128)
//   t + 1          16-bit offset H of the font header
//   H + 1          character count n (low byte only)
//   H + 4          code of the first character
//   H + 5          16-bit offset of the stroke data, relative to H
//   H + 8          Oberlaenge (unsigned byte), H + 10 Unterlaenge (signed byte)
//   H + 16         n 16-bit stroke offsets, relative to the stroke data
//   H + 16 + 2n    n width bytes
// A stroke command is two bytes b1 b2: operation 2 x (b1 >> 7) + (b2 >> 7) (0 end, 1 nothing,
// 2 move with the pen up, 3 draw), dx and dy the signed low 7 bits of b1 and b2, relative to
// the character's origin.
//
// Every read is checked against the bytes the file held: a byte past the end reads as 0, a
// character whose table entries or commands do not lie wholly in the file is drawn as nothing,
// and a code outside the font has width 0 and no strokes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace VelkorWinZeichensatz {

inline constexpr std::size_t ZeichensatzpufferGroesse = 20001;
// ZeichensatzLaden's code for a file of 20,002 bytes or more.
inline constexpr int FehlerDateiZuGross = 2;
// The 0x1A that ends the text must stand within this many bytes.
inline constexpr std::size_t TextkopfHoechstlaenge = 128;
// The engraving cycle's scale is Hoehenfaktor x text height / Oberlaenge (mm per font unit).
inline constexpr double Hoehenfaktor = 1.337015465;

// A whole font file as read: exactly the bytes the file held, at most 20,001.
class TZeichensatzpuffer {
public:
  // Takes a file's bytes; false, and the buffer unchanged, when there are more than 20,001.
  bool Fuellen(std::vector<std::uint8_t> Bytes);
  std::size_t Groesse() const { return Bytes_.size(); }
  // The byte at `Offset`, 0 past the end.
  std::uint8_t Byte(std::size_t Offset) const { return Offset < Bytes_.size() ? Bytes_[Offset] : 0; }
  // The little-endian word at `Offset`, bytes past the end read as 0.
  std::uint16_t Wort(std::size_t Offset) const;
  // True when the `Anzahl` bytes from `Offset` on all lie in the file.
  bool Enthaelt(std::size_t Offset, std::size_t Anzahl) const;

private:
  std::vector<std::uint8_t> Bytes_;
};

// The header fields of a font and where its tables start (offsets into the file).
struct TZeichensatzKopf {
  std::size_t Textende = 0;           // t, the offset of the 0x1A
  std::size_t Kopfoffset = 0;         // H
  std::uint8_t Zeichenanzahl = 0;     // n
  std::uint8_t ErstesZeichen = 0;     // code of the character at index 0
  std::size_t Strichdatenoffset = 0;  // relative to H, as stored
  std::uint8_t Oberlaenge = 0;        // height of the capitals above the origin
  std::int8_t Unterlaenge = 0;        // lowest descender, negative below the baseline
  std::size_t Offsettabelle = 0;      // H + 16
  std::size_t Breitentabelle = 0;     // H + 16 + 2n
  std::size_t Strichdaten = 0;        // H + Strichdatenoffset
};

enum class TKopfBefund : std::uint8_t {
  Gueltig,
  KeinTextende,    // no 0x1A within the first 128 bytes
  OberlaengeNull,  // a font without height cannot be scaled
};

// Reads the font file whole into `Puffer`. Returns 0 when read; the system's error code when
// the file cannot be opened or read; FehlerDateiZuGross for 20,002 bytes or more. On any
// failure the buffer keeps what it held.
int ZeichensatzLaden(const std::string& Dateiname, TZeichensatzpuffer& Puffer);

// The header check: finds the 0x1A and fills `Kopf` from the fields behind it. Any result
// but Gueltig means the font is not in the expected format.
TKopfBefund ZeichensatzKopfLesen(const TZeichensatzpuffer& Puffer, TZeichensatzKopf& Kopf);

// The DOS code-page position of a Windows character code: codes below 128 and 255 stay, the
// codes 128..254 with a DOS counterpart are mapped, every other code stays.
std::uint8_t AnsiNachDos(std::uint8_t Code);

enum class TStiftOperation : std::uint8_t { Ende = 0, Keine = 1, Bewegen = 2, Zeichnen = 3 };

// One stroke command as stored.
struct TStrichbefehl {
  TStiftOperation Operation = TStiftOperation::Ende;
  int Dx = 0;  // -64 .. 63 font units from the character's origin
  int Dy = 0;
};

TStrichbefehl StrichbefehlLesen(std::uint8_t B1, std::uint8_t B2);

// One pen action of a character: move with the pen up or draw to (Dx, Dy).
struct TStiftAktion {
  bool Zeichnen = false;
  int Dx = 0;
  int Dy = 0;
  bool operator==(const TStiftAktion&) const = default;
};

// A character ready to be drawn: its width and its pen actions in order (commands of
// operation 1 are left out, the end command is not listed).
struct TZeichenStriche {
  int Breite = 0;
  std::vector<TStiftAktion> Aktionen;
};

// The width byte of the character `Code` (after AnsiNachDos where the caller maps); 0 for a
// code outside the font or a width that lies past the end of the file.
int ZeichenBreite(const TZeichensatzpuffer& Puffer, const TZeichensatzKopf& Kopf, std::uint8_t Code);

// Width and pen actions of the character `Code`. A character whose stroke offset or commands
// (up to and including the end command) do not lie in the file has no actions.
TZeichenStriche ZeichenStricheLesen(const TZeichensatzpuffer& Puffer, const TZeichensatzKopf& Kopf,
                                    std::uint8_t Code);

}  // namespace VelkorWinZeichensatz
