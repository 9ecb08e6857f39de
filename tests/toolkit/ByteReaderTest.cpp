#include <gtest/gtest.h>

#include <vector>

#include "toolkit/ByteReader.h"

using namespace toolkit;

TEST(ByteReader, ReadsBothByteOrdersAndRefusesEveryReadPastTheEnd) {
  const std::vector<std::uint8_t> bytes = {0x01, 0x02, 0x03, 0x04, 0x05};
  ByteReader in(bytes, "Stream read error in PCX file.");
  EXPECT_EQ(in.u16le(), 0x0201);
  EXPECT_EQ(in.u16be(), 0x0304);
  EXPECT_EQ(in.remaining(), 1u);
  EXPECT_THROW(in.u16le(), EInvalidGraphic);
  EXPECT_EQ(in.position(), 4u);  // a refused read moves nothing
  in.seek(0);
  EXPECT_EQ(in.u32be(), 0x01020304u);
  in.seek(1);
  EXPECT_EQ(in.u32le(), 0x05040302u);
  EXPECT_NO_THROW(in.seek(5));
  EXPECT_THROW(in.seek(6), EInvalidGraphic);
  in.seek(2);
  EXPECT_EQ(in.take(3).size(), 3u);
  EXPECT_THROW(in.take(1), EInvalidGraphic);
  try {
    in.skip(1);
    ADD_FAILURE() << "skipped past the end";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Stream read error in PCX file.");
  }
}

TEST(ByteReader, CheckedProductRefusesOverflowAndLimits) {
  EXPECT_EQ(CheckedProduct(1000, 1000, 1u << 30, "x"), 1000000u);
  EXPECT_THROW(CheckedProduct(1u << 16, 1u << 15, 1u << 30, "x"), EInvalidGraphic);
  EXPECT_THROW(CheckedProduct(~0ull, 2, ~0ull, "x"), EInvalidGraphic);
  EXPECT_EQ(CheckedProduct(0, ~0ull, 5, "x"), 0u);
}
