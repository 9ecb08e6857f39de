#include "engine/VelkorWinZeichensatz.h"

#include <array>
#include <cerrno>
#include <utility>

#include "toolkit/FileUtil.h"

namespace VelkorWinZeichensatz {
namespace {

// Windows code -> DOS code page position, for the codes 128..254 that have one.
constexpr std::pair<std::uint8_t, std::uint8_t> kAnsiDosPaare[] = {
    {128, 32},  {130, 239}, {131, 159}, {132, 34},  {133, 196}, {139, 60},  {145, 39},  {146, 39},
    {147, 34},  {148, 34},  {149, 254}, {150, 45},  {151, 196}, {152, 126}, {155, 62},  {161, 173},
    {162, 189}, {163, 156}, {164, 111}, {166, 221}, {167, 245}, {168, 45},  {169, 184}, {171, 174},
    {172, 170}, {174, 169}, {175, 238}, {176, 248}, {177, 241}, {178, 253}, {179, 252}, {180, 239},
    {181, 230}, {182, 244}, {183, 250}, {184, 247}, {185, 251}, {187, 175}, {188, 172}, {189, 171},
    {190, 243}, {191, 168}, {196, 142}, {214, 153}, {216, 157}, {220, 154}, {222, 232}, {223, 225},
    {228, 132}, {246, 148}, {247, 246}, {248, 155}, {252, 129}, {254, 231}};

constexpr std::array<std::uint8_t, 256> AnsiDosTabelle() {
  std::array<std::uint8_t, 256> tabelle{};
  for (std::size_t i = 0; i < tabelle.size(); ++i) tabelle[i] = static_cast<std::uint8_t>(i);
  for (const auto& [ansi, dos] : kAnsiDosPaare) tabelle[ansi] = dos;
  return tabelle;
}

constexpr std::array<std::uint8_t, 256> kAnsiNachDos = AnsiDosTabelle();

int Vorzeichen7Bit(std::uint8_t b) {
  const int wert = b & 0x7F;
  return wert >= 64 ? wert - 128 : wert;
}

// The index of `Code` in the font's tables, or -1 when the font has no entry for it.
int ZeichenIndex(const TZeichensatzKopf& Kopf, std::uint8_t Code) {
  const int index = static_cast<int>(Code) - Kopf.ErstesZeichen;
  return index >= 0 && index < Kopf.Zeichenanzahl ? index : -1;
}

}  // namespace

bool TZeichensatzpuffer::Fuellen(std::vector<std::uint8_t> Bytes) {
  if (Bytes.size() > ZeichensatzpufferGroesse) return false;
  Bytes_ = std::move(Bytes);
  return true;
}

std::uint16_t TZeichensatzpuffer::Wort(std::size_t Offset) const {
  return static_cast<std::uint16_t>(Byte(Offset) | (Byte(Offset + 1) << 8));
}

bool TZeichensatzpuffer::Enthaelt(std::size_t Offset, std::size_t Anzahl) const {
  return Offset <= Bytes_.size() && Anzahl <= Bytes_.size() - Offset;
}

int ZeichensatzLaden(const std::string& Dateiname, TZeichensatzpuffer& Puffer) {
  const auto groesse = toolkit::FileSize(Dateiname);
  if (groesse && *groesse > static_cast<std::int64_t>(ZeichensatzpufferGroesse)) return FehlerDateiZuGross;
  std::vector<std::uint8_t> bytes;
  errno = 0;
  if (!toolkit::ReadFileBytes(Dateiname, bytes, ZeichensatzpufferGroesse)) {
    if (errno == EFBIG) return FehlerDateiZuGross;  // grew after the size was taken
    return errno != 0 ? errno : EIO;
  }
  if (!Puffer.Fuellen(std::move(bytes))) return FehlerDateiZuGross;
  return 0;
}

TKopfBefund ZeichensatzKopfLesen(const TZeichensatzpuffer& Puffer, TZeichensatzKopf& Kopf) {
  std::size_t t = 0;
  while (t < TextkopfHoechstlaenge && t < Puffer.Groesse() && Puffer.Byte(t) != 0x1A) ++t;
  if (t == TextkopfHoechstlaenge || t == Puffer.Groesse()) return TKopfBefund::KeinTextende;

  TZeichensatzKopf k;
  k.Textende = t;
  k.Kopfoffset = Puffer.Wort(t + 1);
  const std::size_t h = k.Kopfoffset;
  k.Zeichenanzahl = Puffer.Byte(h + 1);
  k.ErstesZeichen = Puffer.Byte(h + 4);
  k.Strichdatenoffset = Puffer.Wort(h + 5);
  k.Oberlaenge = Puffer.Byte(h + 8);
  k.Unterlaenge = static_cast<std::int8_t>(Puffer.Byte(h + 10));
  k.Offsettabelle = h + 16;
  k.Breitentabelle = h + 16 + 2 * std::size_t{k.Zeichenanzahl};
  k.Strichdaten = h + k.Strichdatenoffset;
  Kopf = k;
  return k.Oberlaenge == 0 ? TKopfBefund::OberlaengeNull : TKopfBefund::Gueltig;
}

std::uint8_t AnsiNachDos(std::uint8_t Code) { return kAnsiNachDos[Code]; }

TStrichbefehl StrichbefehlLesen(std::uint8_t B1, std::uint8_t B2) {
  TStrichbefehl befehl;
  befehl.Operation = static_cast<TStiftOperation>(2 * (B1 >> 7) + (B2 >> 7));
  befehl.Dx = Vorzeichen7Bit(B1);
  befehl.Dy = Vorzeichen7Bit(B2);
  return befehl;
}

int ZeichenBreite(const TZeichensatzpuffer& Puffer, const TZeichensatzKopf& Kopf, std::uint8_t Code) {
  const int index = ZeichenIndex(Kopf, Code);
  if (index < 0) return 0;
  return Puffer.Byte(Kopf.Breitentabelle + static_cast<std::size_t>(index));
}

TZeichenStriche ZeichenStricheLesen(const TZeichensatzpuffer& Puffer, const TZeichensatzKopf& Kopf,
                                    std::uint8_t Code) {
  TZeichenStriche zeichen;
  const int index = ZeichenIndex(Kopf, Code);
  if (index < 0) return zeichen;
  zeichen.Breite = ZeichenBreite(Puffer, Kopf, Code);

  const std::size_t eintrag = Kopf.Offsettabelle + 2 * static_cast<std::size_t>(index);
  if (!Puffer.Enthaelt(eintrag, 2)) return zeichen;
  const std::size_t anfang = Kopf.Strichdaten + Puffer.Wort(eintrag);
  // Every command up to the end command must lie in the file; a character without one is
  // damaged and drawn as nothing rather than cut off at the end of the file.
  auto befehlBei = [&](std::size_t stelle) {
    return StrichbefehlLesen(Puffer.Byte(stelle), Puffer.Byte(stelle + 1));
  };
  std::size_t ende = anfang;
  while (Puffer.Enthaelt(ende, 2) && befehlBei(ende).Operation != TStiftOperation::Ende) ende += 2;
  if (!Puffer.Enthaelt(ende, 2)) return zeichen;

  zeichen.Aktionen.reserve((ende - anfang) / 2);
  for (std::size_t stelle = anfang; stelle < ende; stelle += 2) {
    const TStrichbefehl befehl = befehlBei(stelle);
    if (befehl.Operation == TStiftOperation::Keine) continue;
    zeichen.Aktionen.push_back({befehl.Operation == TStiftOperation::Zeichnen, befehl.Dx, befehl.Dy});
  }
  return zeichen;
}

}  // namespace VelkorWinZeichensatz
