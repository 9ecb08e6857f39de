#include "workspace/Teileprogramm.h"

#include "engine/VelkorWinFileUtils.h"
#include "toolkit/FileUtil.h"
#include "toolkit/LineFile.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"

namespace workspace {

using VelkorWinVAR::KonfigBlock;

bool TeileprogrammGeaendert = false;

bool ReadPartProgram(VelkorWinVAR::TNcZeilen& Liste, const std::string& Dateiname) {
  Liste.clear();
  std::string text;
  if (!toolkit::ReadFileText(Dateiname, text)) return false;
  Liste = toolkit::SplitLines(text);
  for (auto& zeile : Liste) {
    if (zeile.size() > TeileprogrammZeilenKapazitaet) zeile.resize(TeileprogrammZeilenKapazitaet);
  }
  return true;
}

std::string ZieldateinameZu(const std::string& Dateiname, const std::string& ZielExt) {
  const auto trenner = Dateiname.find_last_of("/\\");
  const std::size_t anfang = trenner == std::string::npos ? 0 : trenner + 1;
  const auto punkt = Dateiname.find('.', anfang);
  const bool schneiden = punkt != std::string::npos && punkt > anfang;
  return (schneiden ? Dateiname.substr(0, punkt) : Dateiname) + "." + ZielExt;
}

bool ReplacePartProgram(const std::string& Dateiname) {
  auto& liste = VelkorWinVAR::TeileprogrammListe;
  if (liste && !liste->empty()) {
    if (TeileprogrammGeaendert) VelkorWinFileUtils::NcPufferInDatei(*liste, KonfigBlock.Arbeitsdateiname);
    TeileprogrammGeaendert = false;
  }
  liste.reset();
  VelkorWinVAR::TNcZeilen neu;
  const bool gelesen = ReadPartProgram(neu, Dateiname);
  if (gelesen) liste = std::move(neu);
  VelkorWinVAR::Bildausschnitt = {};
  KonfigBlock.Zieldateiname = ZieldateinameZu(Dateiname, KonfigBlock.ZielExt);
  return gelesen;
}

bool OpenPartProgram(const std::string& Dateiname) {
  const bool gelesen = ReplacePartProgram(Dateiname);
  VelkorWinVAR::Extrafarbliste.clear();
  VelkorWinVAR::Extrafarbanzahl = 0;
  return gelesen;
}

}  // namespace workspace
