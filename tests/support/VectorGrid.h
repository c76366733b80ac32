// A TextGrid in memory, for the editor's rules without widgets.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "editor/EditorGrid.h"

namespace veltra::test {

class VectorGrid : public TextGrid {
  public:
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    void setRowCount(int rows) override {
        rows_.resize(static_cast<std::size_t>(rows), std::vector<std::string>(kEditorColumns));
    }
    std::string cell(int column, int row) const override {
        return rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    }
    void setCell(int column, int row, const std::string& text) override {
        rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) = text;
    }

  private:
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace veltra::test
