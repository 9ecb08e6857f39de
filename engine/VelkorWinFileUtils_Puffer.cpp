// The NC output buffer: lines kept as the file will hold them, in growing blocks.
#include <algorithm>
#include <cstring>

#include "engine/VelkorWinFileUtils.h"

namespace VelkorWinFileUtils {

namespace {

constexpr std::size_t KleinsterBlock = 256;
constexpr std::size_t GroessterBlock = std::size_t{1} << 20;
constexpr std::string_view Zeilenende = "\r\n";

// The length of the line that starts at `text` (up to its CR LF).
std::size_t Zeilenlaenge(std::string_view text) {
  std::size_t n = 0;
  for (;;) {
    const auto* lf = static_cast<const char*>(std::memchr(text.data() + n, '\n', text.size() - n));
    if (lf == nullptr) return text.size();  // cannot happen: every line ends with CR LF
    const auto stelle = static_cast<std::size_t>(lf - text.data());
    if (stelle > 0 && text[stelle - 1] == '\r') return stelle - 1;
    n = stelle + 1;
  }
}

}  // namespace

void TNcSatzPuffer::push_back(std::string_view Zeile) {
  const std::size_t noetig = Zeile.size() + Zeilenende.size();
  if (bloecke_.empty() || bloecke_.back().Groesse - bloecke_.back().Belegt < noetig) {
    const std::size_t groesse = std::max(noetig, std::clamp(kapazitaet_ / 3, KleinsterBlock, GroessterBlock));
    if (bloecke_.size() == bloecke_.capacity()) bloecke_.reserve(bloecke_.size() + bloecke_.size() / 4 + 4);
    bloecke_.push_back({std::make_unique_for_overwrite<char[]>(groesse), groesse, 0});
    kapazitaet_ += groesse;
  }
  auto& block = bloecke_.back();
  char* ziel = block.Daten.get() + block.Belegt;
  std::memcpy(ziel, Zeile.data(), Zeile.size());
  std::memcpy(ziel + Zeile.size(), Zeilenende.data(), Zeilenende.size());
  block.Belegt += noetig;
  bytes_ += noetig;
  ++anzahl_;
}

std::vector<std::string_view> TNcSatzPuffer::Abschnitte() const {
  std::vector<std::string_view> teile;
  teile.reserve(bloecke_.size());
  for (const auto& block : bloecke_) {
    if (block.Belegt > 0) teile.emplace_back(block.Daten.get(), block.Belegt);
  }
  return teile;
}

VelkorWinVAR::TNcZeilen TNcSatzPuffer::Zeilen() const {
  VelkorWinVAR::TNcZeilen zeilen;
  zeilen.reserve(anzahl_);
  for (const auto zeile : *this) zeilen.emplace_back(zeile);
  return zeilen;
}

TNcSatzPuffer::const_iterator TNcSatzPuffer::begin() const {
  const_iterator it;
  it.puffer_ = this;
  if (anzahl_ == 0) it.block_ = bloecke_.size();
  return it;
}

TNcSatzPuffer::const_iterator TNcSatzPuffer::end() const {
  const_iterator it;
  it.puffer_ = this;
  it.block_ = bloecke_.size();
  return it;
}

std::string_view TNcSatzPuffer::const_iterator::operator*() const {
  const auto& block = puffer_->bloecke_[block_];
  const std::string_view rest(block.Daten.get() + pos_, block.Belegt - pos_);
  return rest.substr(0, Zeilenlaenge(rest));
}

TNcSatzPuffer::const_iterator& TNcSatzPuffer::const_iterator::operator++() {
  pos_ += (**this).size() + Zeilenende.size();
  const auto& bloecke = puffer_->bloecke_;
  while (block_ < bloecke.size() && pos_ >= bloecke[block_].Belegt) {
    ++block_;
    pos_ = 0;
  }
  return *this;
}

void TNcSatzPuffer::clear() { *this = TNcSatzPuffer(); }

}  // namespace VelkorWinFileUtils
