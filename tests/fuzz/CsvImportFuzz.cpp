// A spreadsheet imported into the channel plan editor: whatever the import accepts exports back
// to the same rows.
#include "FuzzTarget.h"
#include "editor/EditorGrid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    MemoryGrid cells(kEditorColumns);
    ChannelPlanGrid grid(cells);
    grid.StartNewPlan();
    if (!LoadPlanCsv(fuzz::Text(data, size), grid).empty()) return 0;
    const std::string exported = PlanCsvFromGrid(grid);
    MemoryGrid cellsAgain(kEditorColumns);
    ChannelPlanGrid again(cellsAgain);
    again.StartNewPlan();
    fuzz::Require(LoadPlanCsv(exported, again).empty());
    fuzz::Require(cellsAgain.rowCount() == cells.rowCount());
    for (int row = 0; row < cells.rowCount(); ++row) {
        for (int column = 0; column < kEditorColumns; ++column)
            fuzz::Require(cellsAgain.cell(column, row) == cells.cell(column, row));
    }
    return 0;
}
