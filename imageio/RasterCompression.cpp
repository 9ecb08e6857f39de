#include "imageio/RasterCompression.h"

#include <algorithm>
#include <cstring>

#include "imageio/RasterStrings.h"

namespace RasterCompression {

void CompressionError(const std::string& message) { throw ERasterCompression(message); }

// ---- Targa ----

TTargaRLEDecoder::TTargaRLEDecoder(int colorDepth) : colorDepth_(colorDepth) {
  switch (colorDepth) {
    case 8: pixelSize_ = 1; break;
    case 15:
    case 16: pixelSize_ = 2; break;
    case 24: pixelSize_ = 3; break;
    case 32: pixelSize_ = 4; break;
    default: CompressionError(RasterStrings::Format(RasterStrings::gesInvalidColorFormat, {"TGA"}));
  }
}

TDecodeResult TTargaRLEDecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  const std::size_t p = static_cast<std::size_t>(pixelSize_);
  const std::size_t pixels = dest.size() / p;
  std::size_t in = 0, out = 0;
  while (out < pixels) {
    if (pending_ == 0) {
      if (in >= source.size()) break;
      const std::uint8_t h = source[in];
      const std::size_t n = (h & 127u) + 1;
      if (h & 128) {
        if (source.size() - in < 1 + p) break;  // the run value is missing: nothing taken
        std::copy_n(source.data() + in + 1, p, runValue_.data());
        in += 1 + p;
        pendingRun_ = true;
      } else {
        ++in;
        pendingRun_ = false;
      }
      pending_ = n;
    }
    const std::size_t room = pixels - out;
    if (pendingRun_) {
      const std::size_t n = std::min(pending_, room);
      for (std::size_t i = 0; i < n; ++i) std::copy_n(runValue_.data(), p, dest.data() + (out + i) * p);
      out += n, pending_ -= n;
    } else {
      const std::size_t n = std::min({pending_, room, (source.size() - in) / p});
      std::copy_n(source.data() + in, n * p, dest.data() + out * p);
      out += n, in += n * p, pending_ -= n;
      if (n == 0) break;  // literal pixels missing from the input
    }
  }
  return {in, out * p};
}

std::size_t TTargaRLEDecoder::Encode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest,
                                     std::size_t count) {
  const std::size_t p = static_cast<std::size_t>((colorDepth_ + 1) / 8);
  if (source.size() < count * p || dest.size() < count * (p + 1))
    CompressionError(RasterStrings::Format(RasterStrings::gesInvalidColorFormat, {"TGA"}));
  auto same = [&](std::size_t a, std::size_t b) { return std::memcmp(&source[a * p], &source[b * p], p) == 0; };
  std::size_t pos = 0, stored = 0;
  while (pos < count) {
    const std::size_t remaining = count - pos;
    std::size_t d = 0;
    if (remaining == 1) {
      d = 1;
    } else {
      while (d < remaining - 1 && !same(pos + d + 1, pos + d)) ++d;
    }
    d = std::min<std::size_t>(d, 128);
    if (d > 0) {
      dest[stored++] = static_cast<std::uint8_t>(d - 1);
      std::copy_n(&source[pos * p], d * p, &dest[stored]);
      stored += d * p, pos += d;
      continue;
    }
    std::size_t s = 1;
    while (s < remaining && s < 128 && same(pos + s, pos)) ++s;
    dest[stored++] = static_cast<std::uint8_t>((s - 1) | 128);
    std::copy_n(&source[pos * p], p, &dest[stored]);
    stored += p, pos += s;
  }
  return stored;
}

// ---- PackBits ----

TDecodeResult TPackbitsRLEDecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  std::size_t in = 0, out = 0;
  while (out < dest.size() && in < source.size()) {
    const auto n = static_cast<std::int8_t>(source[in++]);
    if (n >= 0) {
      const std::size_t c = std::min({static_cast<std::size_t>(n) + 1, dest.size() - out, source.size() - in});
      std::copy_n(source.data() + in, c, dest.data() + out);
      in += c, out += c;
    } else if (n != -128) {
      if (in >= source.size()) break;  // a repeat header as the last byte
      const std::size_t c = std::min<std::size_t>(static_cast<std::size_t>(-n) + 1, dest.size() - out);
      std::fill_n(dest.data() + out, c, source[in++]);
      out += c;
    }
  }
  return {in, out};
}

// ---- PCX ----

TDecodeResult TPCXRLEDecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  const std::uint8_t* in = source.data();
  const std::uint8_t* const inEnd = in + source.size();
  std::uint8_t* out = dest.data();
  std::uint8_t* const outEnd = out + dest.size();
  while (out < outEnd && in < inEnd) {
    const std::uint8_t b = *in++;
    if (b < 0xC0) {
      *out++ = b;
      continue;
    }
    if (in == inEnd) break;
    const std::size_t c = std::min<std::size_t>(b & 63u, static_cast<std::size_t>(outEnd - out));
    const std::uint8_t value = *in++;
    for (std::size_t i = 0; i < c; ++i) out[i] = value;
    out += c;
  }
  return {static_cast<std::size_t>(in - source.data()), static_cast<std::size_t>(out - dest.data())};
}

// ---- SGI ----

TDecodeResult TSGIRLEDecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  const std::size_t s = sampleSize_ == 16 ? 2 : 1;
  std::size_t in = 0, out = 0;
  while (source.size() - in >= s) {
    const unsigned code = s == 2 ? (source[in] << 8 | source[in + 1]) : source[in];
    in += s;
    const std::size_t count = code & 127u;
    if (count == 0) break;
    const std::size_t room = (dest.size() - out) / s;
    if (code & 128u) {
      const std::size_t n = std::min({count, room, (source.size() - in) / s});
      std::copy_n(source.data() + in, n * s, dest.data() + out);
      in += n * s, out += n * s;
    } else {
      if (source.size() - in < s) break;
      const std::size_t n = std::min(count, room);
      for (std::size_t i = 0; i < n; ++i) std::copy_n(source.data() + in, s, dest.data() + out + i * s);
      in += s, out += n * s;
    }
    if (out + s > dest.size()) break;  // the row is full
  }
  return {in, out};
}

// ---- Dr. Halo ----

TDecodeResult TCUTRLEDecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  if (source.size() < 2) return {source.size(), 0};
  // The length counts the coded bytes before the end byte.
  const std::size_t length = source[0] | source[1] << 8;
  const auto row = source.first(std::min(source.size(), length + 3));
  std::size_t in = 2, out = 0;
  while (in < row.size()) {
    const std::uint8_t b = row[in++];
    if (b == 0) break;
    const std::size_t count = b & 127u;
    if (b & 128) {
      if (in >= row.size()) break;
      const std::size_t n = std::min(count, dest.size() - out);
      std::fill_n(dest.data() + out, n, row[in++]);
      out += n;
    } else {
      const std::size_t n = std::min({count, dest.size() - out, row.size() - in});
      std::copy_n(row.data() + in, n, dest.data() + out);
      in += count <= row.size() - in ? count : row.size() - in;
      out += n;
    }
  }
  return {in, out};
}

// ---- Paint Shop Pro and Alias/Wavefront ----

TDecodeResult TPSPRLEDecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  std::size_t in = 0, out = 0;
  while (in < source.size() && out < dest.size()) {
    const std::uint8_t b = source[in++];
    if (b < 128) {
      const std::size_t n = std::min({static_cast<std::size_t>(b), dest.size() - out, source.size() - in});
      std::copy_n(source.data() + in, n, dest.data() + out);
      in += n, out += n;
    } else {
      if (in >= source.size()) break;
      const std::size_t n = std::min<std::size_t>(b - 128u, dest.size() - out);
      std::fill_n(dest.data() + out, n, source[in++]);
      out += n;
    }
  }
  return {in, out};
}

TDecodeResult TRLADecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  std::size_t in = 0, out = 0;
  while (in < source.size() && out < dest.size()) {
    const auto n = static_cast<std::int8_t>(source[in++]);
    if (n < 0) {
      const std::size_t c = std::min({static_cast<std::size_t>(-n), dest.size() - out, source.size() - in});
      std::copy_n(source.data() + in, c, dest.data() + out);
      in += c, out += c;
    } else {
      if (in >= source.size()) break;
      const std::size_t c = std::min<std::size_t>(static_cast<std::size_t>(n) + 1, dest.size() - out);
      std::fill_n(dest.data() + out, c, source[in++]);
      out += c;
    }
  }
  return {in, out};
}

// ---- ThunderScan ----

TDecodeResult TThunderDecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  if (width_ == 0) return {0, 0};
  const std::size_t rowBytes = (static_cast<std::size_t>(width_) + 1) / 2;
  std::size_t in = 0, rowStart = 0;
  std::uint32_t counter = 0;
  unsigned last = 0;
  auto set = [&](unsigned v) {
    if (counter >= width_) return;  // beyond the row: cut
    last = v & 15;
    std::uint8_t& byte = dest[rowStart + counter / 2];
    byte = (counter & 1) ? static_cast<std::uint8_t>(byte | last) : static_cast<std::uint8_t>(last << 4);
    ++counter;
  };
  while (in < source.size() && rowStart + rowBytes <= dest.size()) {
    const std::uint8_t k = source[in++];
    switch (k >> 6) {
      case 0:
        for (unsigned i = 0; i < (k & 63u); ++i) set(last);
        break;
      case 1:
        for (int shift : {4, 2, 0}) {
          const unsigned d = k >> shift & 3u;
          if (d == 0) set(last);
          else if (d == 1) set(last + 1);
          else if (d == 3) set(last - 1);
        }
        break;
      case 2:
        for (int shift : {3, 0}) {
          const unsigned d = k >> shift & 7u;
          if (d < 4) set(last + d);
          else if (d > 4) set(last - (8 - d));
        }
        break;
      default: set(k & 15u); break;
    }
    if (counter >= width_) rowStart += rowBytes, counter = 0, last = 0;
  }
  return {in, rowStart + (counter + 1) / 2};
}

}  // namespace RasterCompression
