// A TextGrid in memory as wide as the editor's grid, for the editor's rules without widgets.
#pragma once

#include "editor/EditorGrid.h"

namespace veltra::test {

class VectorGrid : public MemoryGrid {
  public:
    VectorGrid() : MemoryGrid(kEditorColumns) {}
};

}  // namespace veltra::test
