#pragma once
// A small TIFF strip reader for tests: reads the first image's strips as stored (either
// byte order), and runs the Debian TIFF and netpbm tools the decoders are compared against.
// TiffBuilder.h writes TIFF files.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

using Bytes = std::vector<std::uint8_t>;

struct TiffStrips {
  std::map<std::uint16_t, std::vector<std::uint32_t>> Tags;  // SHORT and LONG values
  std::vector<Bytes> Strips;
  std::uint32_t Tag(std::uint16_t tag, std::uint32_t fallback = 0) const;
};

// Throws std::runtime_error for what it cannot read.
TiffStrips ReadTiffStrips(const Bytes& file);

// Rows of 1-bit pixels (1 = black, rows padded to whole bytes) as a raw PBM file.
Bytes MakePbm(std::uint32_t width, std::uint32_t height, const Bytes& rows);
// The pixel rows of a raw PBM file (P4), as MakePbm takes them.
Bytes PbmRows(const Bytes& file, std::uint32_t& width, std::uint32_t& height);

// Runs a shell command; true when it exits with 0.
bool RunTool(const std::string& command);
// True when every named program is on the PATH.
bool HaveTools(std::initializer_list<const char*> names);

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);

}  // namespace testsupport
