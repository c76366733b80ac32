#include "editor/ChannelPlanEditor.h"

#include "face/Messages.h"
#include "language/TextKeys.h"
#include "text/Files.h"

namespace veltra {

ChannelPlanEditor::ChannelPlanEditor(TextGrid& cells, EditorView& view, UserPrompts& prompts,
                                     const LanguageTable& texts)
    : grid_(cells), view_(view), prompts_(prompts), texts_(texts) {}

void ChannelPlanEditor::message(int code, const std::string& detail) {
    ShowMessageCode(prompts_, texts_, code, detail);
}

void ChannelPlanEditor::setPlanName(const std::string& name) {
    planName_ = name;
    view_.showPlanName(name);
}

void ChannelPlanEditor::Marca(int /*row*/, int /*column*/, int code) {
    message(code);
}

// ---------------------------------------------------------------------------------------------
// Selection and popups

bool ChannelPlanEditor::TaulaCanalsSelectCell(int column, int row) {
    const int r = selectedRow;
    int errorRow = 0;
    int errorColumn = 0;
    if (r > 0 && r < grid_.rowCount()) {
        if (const int code = grid_.ComprovaFila(r, errorRow, errorColumn)) {
            Marca(errorRow, errorColumn, code);
            return false;
        }
    }
    switch (column) {
        case kColNumber:
        case kColSystem:
        case kColModulation:
        case kColGroup:
            return false;  // these change only through the popup menus
        case kColKind:
        case kColGroupFlag:
        case kColActive: {
            const std::string text = grid_.cell(column, row);
            if (text == "ANALOG") {
                grid_.ToDigital(row);
            } else if (text == "DIGITAL") {
                grid_.ToAnalog(row, planName_);
            } else if (text == "ON") {
                grid_.setCell(column, row, "OFF");
                grid_.setInactive(row, true);
            } else if (text == "OFF") {
                grid_.setCell(column, row, "ON");
                grid_.setInactive(row, false);
            } else if (grid_.cell(kColGroup, row) != "NO GROUP") {
                if (text == "YES") grid_.setCell(column, row, "NO");
                if (text == "NO") grid_.setCell(column, row, "YES");
            }
            view_.repaintGrid();
            return false;
        }
        case kColSymbolRate:
            return grid_.cell(kColKind, row) != "ANALOG";
        default:
            return true;  // typed cells
    }
}

EditorPopup ChannelPlanEditor::TaulaCanalsMouseUp(bool leftButton, int column, int row) {
    selectedColumn = column;
    selectedRow = row;
    if (!leftButton || row <= 0) return EditorPopup::None;
    const bool digital = grid_.cell(kColKind, row) == "DIGITAL";
    switch (column) {
        case kColNumber:
            return EditorPopup::Channel;
        case kColSystem:
            return digital ? EditorPopup::DigitalSystem : EditorPopup::AnalogSystem;
        case kColModulation:
            return digital ? EditorPopup::Modulation : EditorPopup::None;
        case kColSymbolRate:
            if (!digital) return EditorPopup::None;
            return grid_.cell(kColSystem, row) == "ITU J.83/B" ? EditorPopup::SymbolRate2
                                                               : EditorPopup::SymbolRate1;
        case kColGroup:
            return EditorPopup::Group;
        default:
            return EditorPopup::None;
    }
}

void ChannelPlanEditor::CheckSelectedRow() {
    const int r = selectedRow;
    if (r <= 0 || r >= grid_.rowCount()) return;
    int errorRow = 0;
    int errorColumn = 0;
    if (const int code = grid_.ComprovaFila(r, errorRow, errorColumn))
        Marca(errorRow, errorColumn, code);
}

// ---------------------------------------------------------------------------------------------
// Commands

void ChannelPlanEditor::InsertChannel(int row) {
    if (const int code = grid_.InsertChannel(row)) message(code);
    view_.repaintGrid();
}

void ChannelPlanEditor::DeleteChannel(int row) {
    grid_.DeleteChannel(row);
    view_.repaintGrid();
}

void ChannelPlanEditor::SortChannels() {
    const int result = grid_.Ordena();
    view_.repaintGrid();
    if (result != 0) Marca(result, kColFrequency, 30);
}

void ChannelPlanEditor::SwitchAllOn() {
    grid_.SetAllActive(true);
    view_.repaintGrid();
}

void ChannelPlanEditor::SwitchAllOff() {
    grid_.SetAllActive(false);
    view_.repaintGrid();
}

void ChannelPlanEditor::AnalogToDigital() {
    grid_.AllToDigital();
    view_.repaintGrid();
}

void ChannelPlanEditor::DigitalToAnalog() {
    grid_.AllToAnalog(planName_);
    view_.repaintGrid();
}

void ChannelPlanEditor::WriteSelectedCell(const std::string& text) {
    grid_.setCell(selectedColumn, selectedRow, text);
}

void ChannelPlanEditor::ChooseDigitalSystem(const std::string& system,
                                            const std::string& symbolRate) {
    grid_.setCell(selectedColumn, selectedRow, system);
    grid_.setCell(kColSymbolRate, selectedRow, symbolRate);
}

void ChannelPlanEditor::ChooseGroup(const std::string& group) {
    grid_.setCell(kColGroup, selectedRow, group);
    if (group == "NO GROUP") grid_.setCell(kColGroupFlag, selectedRow, "NO");
}

void ChannelPlanEditor::Rename(const std::string& text) {
    setPlanName(CleanPlanName(text));
}

// ---------------------------------------------------------------------------------------------
// Loading and new plans

int ChannelPlanEditor::LoadChannelPlanFile(int position, FileDialogState& dialog,
                                           const PlanIndex& list, const std::string& copiesFolder) {
    std::string content;
    if (position < 0) {
        const auto path = prompts_.chooseOpenFile(dialog);
        if (!path) return -1;
        if (!EndsWith(*path, ".c52")) {
            message(message::kWrongExtension);
            return 12;
        }
        const FileRead read = ReadWholeFile(*path, content, file_limit::kPlanFile);
        if (read.status == FileRead::TooLarge) {
            message(message::kBadChannel, *path);
            return 13;
        }
        if (!read) {
            message(message::kFileUnreadable, UnreadableDetail(*path, read));
            return 13;
        }
        view_.showFileName(*path);
        savePath_ = *path;
    } else {
        if (position >= list.count()) return 14;
        const auto slot = static_cast<std::size_t>(position);
        const std::string path = LocalPlanCopyPath(copiesFolder, list.names(), slot);
        if (!ReadWholeFile(path, content, file_limit::kPlanFile)) return 14;
        view_.showFileName(LocalPlanCopyPath("", list.names(), slot));
        savePath_.clear();  // a plain Save never writes into a local plan copy
    }
    std::string name;
    const int result = LoadPlanText(content, grid_, name);
    setPlanName(name);
    if (result != 0) message(message::kBadChannel);
    view_.repaintGrid();
    return result;
}

bool ChannelPlanEditor::StartNewChannelPlan(bool ask) {
    if (ask &&
        !prompts_.askYesNo(texts_.text(text::kQuestionCaption), texts_.text(text::kAskReplacePlan)))
        return false;
    setPlanName("NEW");
    view_.showFileName("");
    savePath_.clear();
    grid_.StartNewPlan();
    view_.repaintGrid();
    return true;
}

bool ChannelPlanEditor::ReplaceWithPlanFile(FileDialogState& dialog, const PlanIndex& list,
                                            const std::string& copiesFolder) {
    if (!prompts_.askYesNo(texts_.text(text::kQuestionCaption), texts_.text(text::kAskReplacePlan)))
        return false;
    return LoadChannelPlanFile(-1, dialog, list, copiesFolder) == 0;
}

// ---------------------------------------------------------------------------------------------
// Saving and closing

bool ChannelPlanEditor::MiraSiPotsDesar() {
    const int order = grid_.Ordena();
    view_.repaintGrid();
    if (order == -200) {
        message(message::kTooManyChannels);
        return false;
    }
    if (order != 0) {
        Marca(order, kColFrequency, message::kSameFrequency);
        return false;
    }
    int errorRow = 0;
    int errorColumn = 0;
    if (const int code = grid_.Repassa(errorColumn, errorRow)) {
        Marca(errorRow, errorColumn, code);
        return false;
    }
    return true;
}

int ChannelPlanEditor::DesaCanalitzacio(bool saveAs, FileDialogState& saveDialog) {
    std::string path;
    if (!saveAs && !savePath_.empty()) {
        path = savePath_;
    } else {
        if (saveDialog.fileName.empty()) saveDialog.fileName = planName_ + ".c52";
        const auto chosen = prompts_.chooseSaveFile(saveDialog);
        if (!chosen) return 1;
        if (chosen->empty()) return 2;
        path = *chosen;
        if (!EndsWith(path, ".c52")) path += ".c52";
    }
    std::string text;
    if (!PlanTextFromGrid(grid_, planName_, text)) {
        message(message::kBadChannel);
        return 3;
    }
    if (const FileWrite written = WriteFileAtomically(path, text); !written) {
        message(message::kFileUnwritable, UnwritableDetail(path, written));
        return 4;
    }
    savePath_ = path;
    view_.showFileName(path);
    return 0;
}

void ChannelPlanEditor::SavePlan(FileDialogState& saveDialog) {
    if (MiraSiPotsDesar()) DesaCanalitzacio(false, saveDialog);
}

void ChannelPlanEditor::SavePlanAs(FileDialogState& saveDialog) {
    if (MiraSiPotsDesar()) DesaCanalitzacio(true, saveDialog);
}

bool ChannelPlanEditor::ExportCsv(FileDialogState& dialog) {
    dialog.fileName = SafeFileName(planName_) + ".csv";
    const auto chosen = prompts_.chooseSaveFile(dialog);
    if (!chosen || chosen->empty()) return false;
    std::string path = *chosen;
    if (!EndsWith(path, ".csv")) path += ".csv";
    const FileWrite written = WriteFileAtomically(path, PlanCsvFromGrid(grid_));
    if (written) return true;
    message(message::kFileUnwritable, UnwritableDetail(path, written));
    return false;
}

bool ChannelPlanEditor::ImportCsv(FileDialogState& dialog) {
    const auto chosen = prompts_.chooseOpenFile(dialog);
    if (!chosen || chosen->empty()) return false;
    std::string content;
    const FileRead read = ReadWholeFile(*chosen, content, file_limit::kCsvFile);
    if (read.status == FileRead::TooLarge) {
        message(message::kBadChannel, *chosen);
        return false;
    }
    if (!read) {
        message(message::kFileUnreadable, *chosen);
        return false;
    }
    const auto problems = LoadPlanCsv(content, grid_);
    view_.repaintGrid();
    if (problems.empty()) return true;
    // The first rows that fail are enough to mend the sheet; a message box of thousands of
    // lines would not fit any screen.
    constexpr std::size_t kListedRows = 20;
    std::string detail;
    for (std::size_t k = 0; k < problems.size() && k < kListedRows; ++k) {
        const CsvRowProblem& problem = problems[k];
        const int code = problem.code != 0 ? problem.code : message::kBadChannelData;
        detail += (detail.empty() ? "" : "\n") + std::to_string(problem.line) + ": " +
                  MessageText(code, texts_).value_or("");
    }
    if (problems.size() > kListedRows)
        detail += "\n" + texts_.text(text::kRowsNotListed) + " " +
                  std::to_string(problems.size() - kListedRows);
    ShowMessageCode(prompts_, texts_, message::kBadChannel, detail);
    return false;
}

bool ChannelPlanEditor::FormCloseQuery(FileDialogState& saveDialog) {
    switch (prompts_.askYesNoCancel(texts_.text(text::kQuestionCaption),
                                    texts_.text(text::kAskSaveOnClose))) {
        case YesNoCancel::Cancel:
            return false;
        case YesNoCancel::No:
            return true;
        case YesNoCancel::Yes:
            return MiraSiPotsDesar() && DesaCanalitzacio(false, saveDialog) == 0;
    }
    return false;
}

}  // namespace veltra
