#include "Fixtures.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "toolkit/FileUtil.h"

namespace fixtures {

std::vector<std::uint8_t> ImageBytes(const std::string& name) {
  std::vector<std::uint8_t> bytes;
  if (!toolkit::ReadFileBytes(VELKOR_TEST_DATA "/images/" + name, bytes)) ADD_FAILURE() << "cannot read " << name;
  return bytes;
}

Ppm ReadPpm(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::string magic;
  int maxval = 0;
  Ppm p;
  if (!(in >> magic >> p.width >> p.height >> maxval) || magic != "P6" || (maxval != 255 && maxval != 65535)) return {};
  in.get();
  const std::size_t wide = maxval == 65535 ? 2 : 1;
  std::vector<std::uint8_t> raw(static_cast<std::size_t>(p.width) * p.height * 3 * wide);
  in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
  if (!in) return {};
  p.rgb.resize(raw.size() / wide);
  for (std::size_t i = 0; i < p.rgb.size(); ++i)
    p.rgb[i] = static_cast<std::uint8_t>(wide == 1 ? raw[i] : (raw[2 * i] << 8 | raw[2 * i + 1]) / 257);
  return p;
}

Ppm FromBitmap(const toolkit::TBitmap& bitmap) {
  Ppm p{bitmap.Width(), bitmap.Height(), {}};
  std::vector<std::uint8_t> bgr(3 * static_cast<std::size_t>(bitmap.Width()));
  for (int y = 0; y < bitmap.Height(); ++y) {
    bitmap.ReadRowBGR(y, bgr);
    for (std::size_t x = 0; x < bgr.size(); x += 3) p.rgb.insert(p.rgb.end(), {bgr[x + 2], bgr[x + 1], bgr[x]});
  }
  return p;
}

std::vector<std::filesystem::path> Pictures() {
  std::vector<std::filesystem::path> out;
  for (const auto& e : std::filesystem::recursive_directory_iterator(VELKOR_TEST_DATA "/images")) {
    const auto path = e.path();
    if (e.is_regular_file() && std::filesystem::exists(path.string() + ".ppm")) out.push_back(path);
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::string PictureName(const ::testing::TestParamInfo<std::filesystem::path>& info) {
  std::string name = info.param.filename().string();
  std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
  return name;
}

int MaxDifference(const Ppm& a, const Ppm& b) {
  if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size()) return kSizesDiffer;
  int worst = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i) worst = std::max(worst, std::abs(a.rgb[i] - b.rgb[i]));
  return worst;
}

}  // namespace fixtures
