// The channel plan editor (Uniteditor): the plan name, the file name and the grid TaulaCanals,
// with its menus and popup menus. What the editor does lives in ChannelPlanEditor; this window
// draws it and passes events on.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <array>
#include <functional>
#include <memory>

#include "editor/ChannelPlanEditor.h"
#include "language/WindowTexts.h"
#include "widgets/StringGrid.h"

namespace veltra {

class TDialog;

class TEditor : public QDialog, public WindowTexts, public EditorView {
    Q_OBJECT
  public:
    TEditor(UserPrompts& prompts, const LanguageTable& texts, QWidget* parent = nullptr);
    ~TEditor() override;

    void applyLanguageTexts(const LanguageTable& texts) override;

    // Where the editor's own Load entry finds its files, and the rename dialog.
    void setPlanSource(FileDialogState* editDialog, const PlanIndex* list,
                       std::function<std::string()> copiesFolder);
    void setDialog(TDialog* dialog) { dialog_ = dialog; }

    ChannelPlanEditor& editor() { return *editor_; }
    // Shows the window modally (tests replace how).
    void showModally();
    void setModalRunner(std::function<void(TEditor&)> runner) { modalRunner_ = std::move(runner); }

    // EditorView
    void showPlanName(const std::string& name) override;
    void showFileName(const std::string& path) override;
    void repaintGrid() override;

    void FormShow();
    void ChPlanNameLabelClick();
    const std::array<QString, 12>& headerTexts() const { return headers_; }

    QLabel* ChPlanNameLabel;
    QLabel* FileNameLabel;
    StringGrid* TaulaCanals;
    QLabel* VersioControllerLabel;
    QMenuBar* MainMenu;
    QMenu *Archivo1, *Edit1, *Help1;
    QAction *Newchannelplan1, *Savechannelplan1, *Savechannelplanas1, *Loadchannelplan1, *Exit1;
    QAction *ImportCsv1, *ExportCsv1;
    QAction *Sortchannels1, *Activeall1, *Unactiveall1, *Allanalog1, *Alldigital1;
    QMenu *popupchannel, *popupmodulacio, *popupsistemaanalog, *popupsistemadigital,
        *popupsymbolrate1, *popupsymbolrate2, *popupgrupdocsis;
    QAction *INSERTACANAL, *ESBORRACANAL;
    FileDialogState SaveChPDialog;
    FileDialogState CsvDialog;  // the spreadsheet import and export

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    void buildPopups();
    void TaulaCanalsMouseUp(Qt::MouseButton button, QPoint position);
    // Menu handlers: each asks what it needs and calls the editor.
    void Savechannelplan1Click() { editor_->SavePlan(SaveChPDialog); }
    void Savechannelplanas1Click() { editor_->SavePlanAs(SaveChPDialog); }
    void Loadchannelplan1Click();
    void Sortchannels1Click() { editor_->SortChannels(); }
    void Activeall1Click() { editor_->SwitchAllOn(); }
    void Unactiveall1Click() { editor_->SwitchAllOff(); }
    void Allanalog1Click() { editor_->AnalogToDigital(); }
    void Alldigital1Click() { editor_->DigitalToAnalog(); }
    void FormClick() { editor_->CheckSelectedRow(); }

    std::unique_ptr<StringGridText> gridText_;
    std::unique_ptr<ChannelPlanEditor> editor_;
    UserPrompts& prompts_;
    const LanguageTable& texts_;
    std::array<QString, 12> headers_;
    TDialog* dialog_ = nullptr;
    FileDialogState* editDialog_ = nullptr;
    const PlanIndex* planList_ = nullptr;
    std::function<std::string()> copiesFolder_;
    std::function<void(TEditor&)> modalRunner_;
    QWidget* client_;
};

// Sky blue, the fixed cells' and dialogs' colour.
inline const QColor kSkyBlue(166, 202, 240);

}  // namespace veltra
