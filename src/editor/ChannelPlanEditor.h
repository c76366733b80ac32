// What the channel plan editor does, apart from drawing: the selection rule with its toggles,
// the commands, loading, the new plan, the save check, writing and the close check. Plain C++;
// the window TEditor owns one and shows its state.
#pragma once

#include <string>

#include "channelplans/PlanIndex.h"
#include "editor/EditorGrid.h"
#include "face/UserPrompts.h"
#include "language/LanguageTable.h"

namespace veltra {

// What the window shows besides the grid cells.
class EditorView {
  public:
    virtual ~EditorView() = default;
    virtual void showPlanName(const std::string& name) = 0;
    virtual void showFileName(const std::string& path) = 0;
    virtual void repaintGrid() = 0;
};

// The popup menu a left-button release opens.
enum class EditorPopup {
    None,
    Channel,
    AnalogSystem,
    DigitalSystem,
    Modulation,
    SymbolRate1,  // 6875, 6952
    SymbolRate2,  // 5057, 5361 (ITU J.83/B)
    Group,
};

class ChannelPlanEditor {
  public:
    ChannelPlanEditor(TextGrid& cells, EditorView& view, UserPrompts& prompts,
                      const LanguageTable& texts);

    ChannelPlanGrid& grid() { return grid_; }
    const std::string& planName() const { return planName_; }
    void setPlanName(const std::string& name);

    // The cell of the last mouse release over the grid.
    int selectedRow = 0;
    int selectedColumn = 0;

    // The grid asks before a cell becomes current: false refuses (and may toggle the cell).
    bool TaulaCanalsSelectCell(int column, int row);
    // A mouse release over the grid: records the cell and tells which popup to open.
    EditorPopup TaulaCanalsMouseUp(bool leftButton, int column, int row);
    void CheckSelectedRow();
    void Marca(int row, int column, int code);

    // Commands.
    void InsertChannel(int row);
    void DeleteChannel(int row);
    void SortChannels();
    void SwitchAllOn();
    void SwitchAllOff();
    void AnalogToDigital();
    void DigitalToAnalog();
    // Popup entries: write into the selected cell (and its companions).
    void WriteSelectedCell(const std::string& text);
    void ChooseDigitalSystem(const std::string& system, const std::string& symbolRate);
    void ChooseGroup(const std::string& group);
    // The rename dialog was confirmed with `text`.
    void Rename(const std::string& text);

    // Loading: a negative position asks for a ".c52" file in `dialog`; otherwise the local
    // copy of the plan at that list position. 0 on success.
    int LoadChannelPlanFile(int position, FileDialogState& dialog, const PlanIndex& list,
                            const std::string& copiesFolder);
    // The default new plan; false when `ask` was answered No.
    bool StartNewChannelPlan(bool ask);
    bool ReplaceWithPlanFile(FileDialogState& dialog, const PlanIndex& list,
                             const std::string& copiesFolder);

    bool MiraSiPotsDesar();
    // The grid as a spreadsheet (CSV), and a spreadsheet into the grid: every row through the row
    // check, the grid unchanged unless all pass; the bad rows are listed by line and reason.
    // True when the file was written or read.
    bool ExportCsv(FileDialogState& dialog);
    bool ImportCsv(FileDialogState& dialog);
    // 0 when written; 1 cancelled; other values for the failures.
    int DesaCanalitzacio(bool saveAs, FileDialogState& saveDialog);
    void SavePlan(FileDialogState& saveDialog);
    void SavePlanAs(FileDialogState& saveDialog);
    // True when the window may close.
    bool FormCloseQuery(FileDialogState& saveDialog);

  private:
    void message(int code, const std::string& detail = {});

    ChannelPlanGrid grid_;
    EditorView& view_;
    UserPrompts& prompts_;
    const LanguageTable& texts_;
    std::string planName_;
    std::string savePath_;  // the ".c52" file a plain Save writes; empty: ask
};

}  // namespace veltra
