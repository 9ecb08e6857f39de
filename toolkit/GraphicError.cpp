#include "toolkit/GraphicError.h"

#include "toolkit/ByteReader.h"
#include "toolkit/FileUtil.h"

namespace toolkit {

void RaiseFileOpenError(const std::string& fileName) {
  throw EFileError("Cannot open file \"" + fileName + "\". " + LastErrorText());
}

std::uint64_t CheckedProduct(std::uint64_t a, std::uint64_t b, std::uint64_t limit, const std::string& message) {
  if (a != 0 && b > limit / a) throw EInvalidGraphic(message);
  return a * b;
}

}  // namespace toolkit
