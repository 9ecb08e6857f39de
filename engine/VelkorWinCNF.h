#pragma once
// The settings file: KonfigBlock byte for byte, exactly 2,212 bytes.
#include <array>
#include <cstdint>
#include <string>

#include "engine/VelkorWinVAR.h"

namespace VelkorWinCNF {

using Bytebild = std::array<std::uint8_t, VelkorWinVAR::KonfigBlockGroesse>;

// The byte image of `Block`: its Dateibild with every field written over it at its
// offset (strings cut to their capacity; a Boolean keeps its raw byte while that byte
// still says the same).
Bytebild KonfigBlockKodieren(const VelkorWinVAR::TKonfigBlock& Block);
// Takes every field from `Bild` into `Block` except the three reserved fields; string
// lengths are cut to the field's capacity, any non-zero Boolean byte reads as True.
void KonfigBlockDekodieren(const Bytebild& Bild, VelkorWinVAR::TKonfigBlock& Block);

// Loads the file into KonfigBlock. A file that cannot be read, or whose size is not
// 2,212 bytes, leaves the block as it was and is reported. True when loaded.
bool KonfigurationLaden(const std::string& Dateiname);
// Writes KonfigBlock to the file through a temporary file, so a failed write leaves
// the old file intact. True when written.
bool KonfigurationSpeichern(const std::string& Dateiname);

}  // namespace VelkorWinCNF
