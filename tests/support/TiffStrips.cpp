#include "support/TiffStrips.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace testsupport {

std::uint32_t TiffStrips::Tag(std::uint16_t tag, std::uint32_t fallback) const {
  const auto it = Tags.find(tag);
  return it == Tags.end() || it->second.empty() ? fallback : it->second[0];
}

TiffStrips ReadTiffStrips(const Bytes& file) {
  if (file.size() < 8) throw std::runtime_error("not a TIFF file");
  const bool big = file[0] == 'M';
  auto at = [&](std::size_t pos, int n) -> std::uint32_t {
    if (pos + static_cast<std::size_t>(n) > file.size()) throw std::runtime_error("TIFF offset out of range");
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v |= static_cast<std::uint32_t>(file[pos + i]) << 8 * (big ? n - 1 - i : i);
    return v;
  };
  TiffStrips t;
  std::size_t ifd = at(4, 4);
  const std::uint32_t count = at(ifd, 2);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t e = ifd + 2 + 12 * i;
    const auto tag = static_cast<std::uint16_t>(at(e, 2));
    const std::uint32_t type = at(e + 2, 2), n = at(e + 4, 4);
    if (type != 3 && type != 4) continue;
    const int size = type == 3 ? 2 : 4;
    const std::size_t values = size * n <= 4 ? e + 8 : at(e + 8, 4);
    auto& list = t.Tags[tag];
    for (std::uint32_t k = 0; k < n; ++k) list.push_back(at(values + k * size, size));
  }
  const auto& offsets = t.Tags[273];
  const auto& counts = t.Tags[279];
  if (offsets.size() != counts.size()) throw std::runtime_error("strip tables differ");
  for (std::size_t s = 0; s < offsets.size(); ++s) {
    if (offsets[s] + static_cast<std::size_t>(counts[s]) > file.size()) throw std::runtime_error("strip beyond EOF");
    t.Strips.emplace_back(file.begin() + offsets[s], file.begin() + offsets[s] + counts[s]);
  }
  return t;
}

Bytes MakePbm(std::uint32_t width, std::uint32_t height, const Bytes& rows) {
  const std::string head = "P4\n" + std::to_string(width) + " " + std::to_string(height) + "\n";
  Bytes out(head.begin(), head.end());
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

Bytes PbmRows(const Bytes& file, std::uint32_t& width, std::uint32_t& height) {
  std::istringstream in(std::string(file.begin(), file.end()));
  std::string magic;
  in >> magic >> width >> height;
  if (magic != "P4" || !in) throw std::runtime_error("not a raw PBM file");
  in.get();
  const auto start = static_cast<std::size_t>(in.tellg());
  return Bytes(file.begin() + static_cast<std::ptrdiff_t>(start), file.end());
}

bool RunTool(const std::string& command) {
  if (std::system((command + " 2>/dev/null").c_str()) == 0) return true;
  std::fprintf(stderr, "failed: %s\n", command.c_str());
  return false;
}

bool HaveTools(std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) != 0) return false;
  return true;
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace testsupport
