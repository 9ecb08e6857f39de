#pragma once
// The program's own mouse pointers, drawn here rather than loaded from files: the diagonal
// cross that marks a pixel in the colour windows, and the filled pipette of the colour editor.
#include <QCursor>

namespace toolkit::qt {

enum class TZeiger {
  Diagonalkreuz,  // a thin X with an open centre; the hot spot is the centre
  VollePipette,   // a pipette holding a colour; the hot spot is its tip
};

// The pointer, made once and then shared.
const QCursor& Zeiger(TZeiger art);

}  // namespace toolkit::qt
