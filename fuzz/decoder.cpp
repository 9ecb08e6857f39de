// One decoder driven with arbitrary bytes into exactly sized buffers. The first two bytes
// choose the output room (and the Targa depth or Thunder width); the decoder must stay
// inside both buffers and report no more than it had.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "imageio/RasterCompression.h"

using namespace RasterCompression;

namespace {

std::unique_ptr<TDecoder> Make(std::uint8_t choice) {
#if defined(FUZZ_DECODER_targa)
  static const int depths[] = {8, 15, 16, 24, 32};
  return std::make_unique<TTargaRLEDecoder>(depths[choice % 5]);
#elif defined(FUZZ_DECODER_packbits)
  (void)choice; return std::make_unique<TPackbitsRLEDecoder>();
#elif defined(FUZZ_DECODER_pcx)
  (void)choice; return std::make_unique<TPCXRLEDecoder>();
#elif defined(FUZZ_DECODER_sgi8)
  (void)choice; return std::make_unique<TSGIRLEDecoder>(8);
#elif defined(FUZZ_DECODER_sgi16)
  (void)choice; return std::make_unique<TSGIRLEDecoder>(16);
#elif defined(FUZZ_DECODER_cut)
  (void)choice; return std::make_unique<TCUTRLEDecoder>();
#elif defined(FUZZ_DECODER_psp)
  (void)choice; return std::make_unique<TPSPRLEDecoder>();
#elif defined(FUZZ_DECODER_rla)
  (void)choice; return std::make_unique<TRLADecoder>();
#else
  return std::make_unique<TThunderDecoder>(choice % 64);
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  auto decoder = Make(data[0]);
  decoder->DecodeInit();
  const std::size_t room = data[1] * 3u;
  std::vector<std::uint8_t> source(data + 2, data + size);
  std::vector<std::uint8_t> out(room);
  // Row by row, as readers call it: three calls into thirds of the room.
  std::size_t at = 0;
  for (int row = 0; row < 3; ++row) {
    const auto r = decoder->Decode(std::span(source).subspan(at), std::span(out).subspan(row * room / 3, room / 3));
    if (r.Consumed > source.size() - at || r.Produced > room / 3) std::abort();
    at += r.Consumed;
  }
  decoder->DecodeEnd();
  return 0;
}
