#include "toolkit/GraphicError.h"

#include "toolkit/FileUtil.h"

namespace toolkit {

void RaiseFileOpenError(const std::string& fileName) {
  throw EFileError("Cannot open file \"" + fileName + "\". " + LastErrorText());
}

}  // namespace toolkit
