#pragma once
// The one bounded reader every picture reader uses: it reads a file held in memory and
// refuses, with EInvalidGraphic, any read or seek past the end. No reader adds an offset
// taken from a file to a raw pointer.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "toolkit/GraphicError.h"

namespace toolkit {

class ByteReader {
public:
  // `endMessage` is the text raised when a read runs past the end.
  explicit ByteReader(std::span<const std::uint8_t> bytes,
                      std::string endMessage = "Stream read error.")
      : bytes_(bytes), endMessage_(std::move(endMessage)) {}

  std::uint8_t u8() { need(1); return bytes_[pos_++]; }
  std::uint16_t u16le() { need(2); const auto v = static_cast<std::uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8); pos_ += 2; return v; }
  std::uint16_t u16be() { need(2); const auto v = static_cast<std::uint16_t>(bytes_[pos_] << 8 | bytes_[pos_ + 1]); pos_ += 2; return v; }
  std::uint32_t u32le() { const std::uint32_t lo = u16le(); return lo | static_cast<std::uint32_t>(u16le()) << 16; }
  std::uint32_t u32be() { const std::uint32_t hi = u16be(); return hi << 16 | u16be(); }
  std::int16_t i16le() { return static_cast<std::int16_t>(u16le()); }
  std::int32_t i32le() { return static_cast<std::int32_t>(u32le()); }

  // The next n bytes; n is checked against remaining().
  std::span<const std::uint8_t> take(std::size_t n) { need(n); const auto s = bytes_.subspan(pos_, n); pos_ += n; return s; }
  void skip(std::size_t n) { need(n); pos_ += n; }
  // Offset from the start, checked against size().
  void seek(std::size_t offset) { if (offset > bytes_.size()) fail(); pos_ = offset; }

  std::size_t position() const { return pos_; }
  std::size_t size() const { return bytes_.size(); }
  std::size_t remaining() const { return bytes_.size() - pos_; }
  std::span<const std::uint8_t> rest() const { return bytes_.subspan(pos_); }

  [[noreturn]] void fail() const { throw EInvalidGraphic(endMessage_); }

private:
  void need(std::size_t n) const { if (n > remaining()) fail(); }

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  std::string endMessage_;
};

// a x b, or EInvalidGraphic(message) when the product leaves 64 bits or passes `limit`.
inline std::uint64_t CheckedProduct(std::uint64_t a, std::uint64_t b, std::uint64_t limit, const std::string& message) {
  if (a != 0 && b > limit / a) throw EInvalidGraphic(message);
  return a * b;
}

}  // namespace toolkit
