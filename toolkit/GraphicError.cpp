#include "toolkit/GraphicError.h"

#include "toolkit/FileUtil.h"
#include "toolkit/Text.h"

namespace toolkit {

void RaiseFileOpenError(const std::string& fileName) {
  throw EFileError("Die Datei \"" + fileName + Ansi("\" kann nicht geöffnet werden: ") + LastErrorText());
}

}  // namespace toolkit
