#pragma once
// Builds TIFF files byte by byte for tests and benchmarks: either byte order, any entries,
// the strips placed before the directory. Nothing is checked, so damaged and hostile files
// are built as easily as good ones. Header only: the benchmarks use it too.
#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace testsupport {

class TiffBuilder {
public:
  using Bytes = std::vector<std::uint8_t>;

  explicit TiffBuilder(bool bigEndian = false) : big_(bigEndian) {}

  TiffBuilder& Short(std::uint16_t tag, const std::vector<std::uint32_t>& values) { return Numbers(tag, 3, values); }
  TiffBuilder& Long(std::uint16_t tag, const std::vector<std::uint32_t>& values) { return Numbers(tag, 4, values); }
  TiffBuilder& Rational(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator) {
    Bytes b;
    Put(b, numerator, 4), Put(b, denominator, 4);
    return Raw(tag, 5, 1, b);
  }
  // An entry as written: its type, its count (need not match the bytes) and its values,
  // inside the entry when they take at most four bytes, else behind the strips.
  TiffBuilder& Raw(std::uint16_t tag, std::uint16_t type, std::uint32_t count, const Bytes& values) {
    entries_[tag] = {type, count, values};
    return *this;
  }
  TiffBuilder& Remove(std::uint16_t tag) {
    entries_.erase(tag);
    return *this;
  }
  // The strips; their offsets (273) and byte counts (279) are written as LONGs unless
  // those entries are given, or the byte counts are left out.
  TiffBuilder& Strips(const std::vector<Bytes>& strips) {
    strips_ = strips;
    return *this;
  }
  TiffBuilder& OmitByteCounts() {
    byteCounts_ = false;
    return *this;
  }
  // A plain picture: size, samples, bits, photometric interpretation, compression, rows per
  // strip; the strips still have to be given.
  TiffBuilder& Picture(std::uint32_t width, std::uint32_t height, std::uint32_t samples, std::uint32_t bits,
                       std::uint32_t photometric, std::uint32_t compression, std::uint32_t rowsPerStrip) {
    Long(256, {width}), Long(257, {height}), Short(258, std::vector<std::uint32_t>(samples, bits));
    Short(259, {compression}), Short(262, {photometric}), Short(277, {samples}), Long(278, {rowsPerStrip});
    return Short(284, {1});
  }

  Bytes Build() const {
    Bytes out = big_ ? Bytes{'M', 'M', 0, 42} : Bytes{'I', 'I', 42, 0};
    Put(out, 0, 4);
    std::vector<std::uint32_t> offsets, counts;
    for (const auto& s : strips_) {
      offsets.push_back(static_cast<std::uint32_t>(out.size()));
      counts.push_back(static_cast<std::uint32_t>(s.size()));
      out.insert(out.end(), s.begin(), s.end());
    }
    auto entries = entries_;
    if (!strips_.empty()) {
      entries.try_emplace(273, Entry{4, static_cast<std::uint32_t>(offsets.size()), Encode(4, offsets)});
      if (byteCounts_) entries.try_emplace(279, Entry{4, static_cast<std::uint32_t>(counts.size()), Encode(4, counts)});
    }
    std::map<std::uint16_t, std::uint32_t> outOfLine;
    for (const auto& [tag, e] : entries) {
      if (e.values.size() <= 4) continue;
      if (out.size() & 1) out.push_back(0);
      outOfLine[tag] = static_cast<std::uint32_t>(out.size());
      out.insert(out.end(), e.values.begin(), e.values.end());
    }
    if (out.size() & 1) out.push_back(0);
    const auto ifd = static_cast<std::uint32_t>(out.size());
    Bytes head;
    Put(head, ifd, 4);
    std::copy(head.begin(), head.end(), out.begin() + 4);
    Put(out, static_cast<std::uint32_t>(entries.size()), 2);
    for (const auto& [tag, e] : entries) {
      Put(out, tag, 2), Put(out, e.type, 2), Put(out, e.count, 4);
      if (e.values.size() <= 4) {
        Bytes field = e.values;
        field.resize(4, 0);
        out.insert(out.end(), field.begin(), field.end());
      } else {
        Put(out, outOfLine[tag], 4);
      }
    }
    Put(out, 0, 4);
    return out;
  }

  // Numbers of `size` bytes in the file's byte order.
  void Put(Bytes& b, std::uint32_t v, int size) const {
    for (int i = 0; i < size; ++i) b.push_back(static_cast<std::uint8_t>(v >> 8 * (big_ ? size - 1 - i : i)));
  }
  Bytes Encode(std::uint16_t type, const std::vector<std::uint32_t>& values) const {
    Bytes b;
    for (auto v : values) Put(b, v, type == 3 ? 2 : type == 1 ? 1 : 4);
    return b;
  }

private:
  struct Entry {
    std::uint16_t type;
    std::uint32_t count;
    Bytes values;
  };
  TiffBuilder& Numbers(std::uint16_t tag, std::uint16_t type, const std::vector<std::uint32_t>& values) {
    return Raw(tag, type, static_cast<std::uint32_t>(values.size()), Encode(type, values));
  }

  bool big_;
  bool byteCounts_ = true;
  std::map<std::uint16_t, Entry> entries_;
  std::vector<Bytes> strips_;
};

}  // namespace testsupport
