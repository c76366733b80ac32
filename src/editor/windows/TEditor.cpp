#include "editor/windows/TEditor.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <array>

#include "widgets/ControlTexts.h"
#include "widgets/QtText.h"
#include "widgets/Settings.h"
#include "widgets/TDialog.h"
#include "widgets/WindowStyle.h"

namespace veltra {

namespace {

const QColor kInactiveColor(255, 128, 128);
const QColor kWindowColor(215, 228, 242);  // the desktop's inactive caption gradient

// Language texts of the column headers 1..11.

QString HeaderWithBreak(const QString& text) {
    const auto [first, second] = HeaderLines(fromQt(text));
    return second.empty() ? toQt(first) : toQt(first) + "\n" + toQt(second);
}

// Draws the two-line headers and the inactive rows.
class EditorDelegate : public GridDelegate {
  public:
    EditorDelegate(StringGrid* grid, TEditor* editor) : GridDelegate(grid), editor_(editor) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        const int column = index.column();
        if (column >= 1 && row == 0) {
            painter->fillRect(option.rect, grid_->fixedColor());
            drawText(painter, option, HeaderWithBreak(editor_->headerTexts()[column]));
            return;
        }
        if (column >= 1 && editor_->editor().grid().inactive(row)) {
            painter->fillRect(option.rect, kInactiveColor);
            drawText(painter, option, index.data().toString());
            return;
        }
        GridDelegate::paint(painter, option, index);
    }

  private:
    static void drawText(QPainter* painter, const QStyleOptionViewItem& option,
                         const QString& text) {
        painter->save();
        painter->setPen(option.palette.color(QPalette::Text));
        painter->drawText(option.rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
        painter->restore();
    }

    TEditor* editor_;
};

}  // namespace

TEditor::TEditor(UserPrompts& prompts, const LanguageTable& texts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), texts_(texts) {
    setObjectName("Editor");
    // Opens at its own size; may be made larger and maximised, the grid taking the room.
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName("MainMenu");
    layout->setMenuBar(MainMenu);
    client_ = new QWidget(this);
    client_->setObjectName("EditorClient");
    client_->setMinimumSize(792, 546);
    SetBackground(client_, kWindowColor);
    client_->installEventFilter(this);
    layout->addWidget(ScrollingClient(this, client_));

    ChPlanNameLabel = new QLabel(client_);
    ChPlanNameLabel->setObjectName("ChPlanNameLabel");
    ChPlanNameLabel->setGeometry(24, 24, 324, 37);
    QFont big = ChPlanNameLabel->font();
    big.setPixelSize(32);
    big.setBold(true);
    ChPlanNameLabel->setFont(big);
    ChPlanNameLabel->setCursor(Qt::PointingHandCursor);
    ChPlanNameLabel->installEventFilter(this);

    FileNameLabel = new QLabel(client_);
    FileNameLabel->setObjectName("FileNameLabel");
    FileNameLabel->setGeometry(24, 72, 750, 40);
    QFont medium = FileNameLabel->font();
    medium.setPixelSize(16);
    FileNameLabel->setFont(medium);
    FileNameLabel->setWordWrap(true);
    FileNameLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    TaulaCanals = new StringGrid(kEditorColumns, 2, client_);
    TaulaCanals->setObjectName("TaulaCanals");
    TaulaCanals->setGeometry(24, 120, 745, 377);
    TaulaCanals->setFixedColor(kSkyBlue);
    TaulaCanals->setItemDelegate(new EditorDelegate(TaulaCanals, this));
    TaulaCanals->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    TaulaCanals->setRowHeight(0, 30);
    QFont gridFont = TaulaCanals->font();
    gridFont.setPointSize(8);
    TaulaCanals->setFont(gridFont);

    VersioControllerLabel = new QLabel(kVersionLabel, client_);
    VersioControllerLabel->setObjectName("VersioControllerLabel");
    VersioControllerLabel->move(24, 512);
    QFont bold = VersioControllerLabel->font();
    bold.setBold(true);
    VersioControllerLabel->setFont(bold);
    VersioControllerLabel->adjustSize();

    gridText_ = std::make_unique<StringGridText>(TaulaCanals);
    editor_ = std::make_unique<ChannelPlanEditor>(*gridText_, *this, prompts_, texts_);
    TaulaCanals->setSelectCellHook(
        [this](int column, int row) { return editor_->TaulaCanalsSelectCell(column, row); });
    connect(TaulaCanals, &StringGrid::mouseReleased, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint position) {
                TaulaCanalsMouseUp(button, position);
            });

    buildMenus();
    buildPopups();
    editor_->StartNewChannelPlan(false);
}

TEditor::~TEditor() = default;

void TEditor::buildMenus() {
    auto add = [this](QMenu* menu, QAction*& action, const char* name, const char* text,
                      std::function<void()> handler) {
        action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
    };
    Archivo1 = MainMenu->addMenu("&File");
    Archivo1->setObjectName("Archivo1");
    add(Archivo1, Newchannelplan1, "Newchannelplan1", "New channel plan",
        [this] { editor_->StartNewChannelPlan(true); });
    add(Archivo1, Savechannelplan1, "Savechannelplan1", "Save channel plan",
        [this] { Savechannelplan1Click(); });
    add(Archivo1, Savechannelplanas1, "Savechannelplanas1", "Save channel plan as...",
        [this] { Savechannelplanas1Click(); });
    add(Archivo1, Loadchannelplan1, "Loadchannelplan1", "Open channel plan...",
        [this] { Loadchannelplan1Click(); });
    Archivo1->addSeparator();
    add(Archivo1, ImportCsv1, "ImportCsv1", "", [this] { editor_->ImportCsv(CsvDialog); });
    add(Archivo1, ExportCsv1, "ExportCsv1", "", [this] { editor_->ExportCsv(CsvDialog); });
    Archivo1->addSeparator();
    add(Archivo1, Exit1, "Exit1", "Exit", [this] { close(); });
    Edit1 = MainMenu->addMenu("&Edit");
    Edit1->setObjectName("Edit1");
    add(Edit1, Sortchannels1, "Sortchannels1", "Sort channels", [this] { Sortchannels1Click(); });
    add(Edit1, Activeall1, "Activeall1", "All channels on", [this] { Activeall1Click(); });
    add(Edit1, Unactiveall1, "Unactiveall1", "All channels off", [this] { Unactiveall1Click(); });
    add(Edit1, Allanalog1, "Allanalog1", "All channels analog", [this] { Allanalog1Click(); });
    add(Edit1, Alldigital1, "Alldigital1", "All channels digital", [this] { Alldigital1Click(); });
    Help1 = MainMenu->addMenu("&Help");
    Help1->setObjectName("Help1");
    Help1->setEnabled(false);
}

void TEditor::buildPopups() {
    auto menu = [this](const char* name) {
        auto* popup = new QMenu(this);
        popup->setObjectName(name);
        return popup;
    };
    auto entry = [this](QMenu* popup, const char* name, const QString& caption,
                        std::function<void()> handler) {
        QAction* action = popup->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, handler] {
            handler();
            repaintGrid();
        });
        return action;
    };
    popupchannel = menu("popupchannel");
    INSERTACANAL = entry(popupchannel, "INSERTACANAL", "Insert channel",
                         [this] { editor_->InsertChannel(editor_->selectedRow); });
    ESBORRACANAL = entry(popupchannel, "ESBORRACANAL", "Delete channel",
                         [this] { editor_->DeleteChannel(editor_->selectedRow); });

    popupmodulacio = menu("popupmodulacio");
    for (std::string_view word : kModulations) {
        const std::string text(word);
        entry(popupmodulacio, text.c_str(), toQt(text),
              [this, text] { editor_->WriteSelectedCell(text); });
    }

    popupsistemaanalog = menu("popupsistemaanalog");
    const char* analogNames[18] = {"PALBG1",  "PALDK1",   "PALL1",    "PALI1",   "PALM1",
                                   "PAMN1",   "SECAMBG1", "SECAMDK1", "SECAML1", "SECAMI1",
                                   "SECAMM1", "SECAMN1",  "NTSCBG1",  "NTSCDK1", "NTSCL1",
                                   "NTSCI1",  "NTSCM1",   "NTSCN1"};
    for (std::size_t i = 0; i < kAnalogSystems.size(); ++i) {
        const std::string system(kAnalogSystems[i]);
        const QString caption = i == 5 ? QString("PAM/N") : toQt(system);
        entry(popupsistemaanalog, analogNames[i], caption,
              [this, system] { editor_->WriteSelectedCell(system); });
    }

    popupsistemadigital = menu("popupsistemadigital");
    const struct {
        const char* name;
        const char* system;
        const char* rate;
    } digital[] = {{"DVBC1", "DVB-C", "6875"},
                   {"ITUJ83B1", "ITU J.83/B", "5057"},
                   {"ITUJ83C1", "ITU J.83/C", "6875"}};
    for (const auto& d : digital) {
        const std::string system = d.system;
        const std::string rate = d.rate;
        entry(popupsistemadigital, d.name, d.system,
              [this, system, rate] { editor_->ChooseDigitalSystem(system, rate); });
    }

    popupsymbolrate1 = menu("popupsymbolrate1");
    popupsymbolrate2 = menu("popupsymbolrate2");
    const std::pair<QMenu*, std::array<const char*, 2>> rateMenus[] = {
        {popupsymbolrate1, {"6875", "6952"}}, {popupsymbolrate2, {"5057", "5361"}}};
    for (const auto& [popup, rates] : rateMenus) {
        for (const char* rate : rates) {
            const std::string text = rate;
            entry(popup, ("sr" + text).c_str(), rate,
                  [this, text] { editor_->WriteSelectedCell(text); });
        }
    }

    popupgrupdocsis = menu("popupgrupdocsis");
    entry(popupgrupdocsis, "NOGROUP", "NO GROUP", [this] { editor_->ChooseGroup("NO GROUP"); });
    for (int group = 1; group <= 10; ++group) {
        const std::string text = std::to_string(group);
        entry(popupgrupdocsis, ("GRUP" + text).c_str(), toQt(text),
              [this, text] { editor_->ChooseGroup(text); });
    }
}

void TEditor::setPlanSource(FileDialogState* editDialog, const PlanIndex* list,
                            std::function<std::string()> copiesFolder) {
    editDialog_ = editDialog;
    planList_ = list;
    copiesFolder_ = std::move(copiesFolder);
}

void TEditor::applyLanguageTexts(const LanguageTable& texts) {
    ApplyWindowTexts(*this, window_text::kEditor, texts);
    CsvDialog.filter = FileFilter(texts, text::kSpreadsheetFiles, "*.csv");
    VersioControllerLabel->setText(kVersionLabel);
    TaulaCanals->setColCount(kEditorColumns);
    TaulaCanals->setDefaultRowHeight(20);
    TaulaCanals->setRowHeight(0, 30);
    for (int column = 1; column < kEditorColumns; ++column)
        headers_[column] = toQt(texts.text(window_text::kEditorHeaders[column - 1]));
    TaulaCanals->viewport()->update();
}

void TEditor::showModally() {
    ShowInRememberedPlace(*this, modalRunner_
                                     ? std::function<void()>([this] { modalRunner_(*this); })
                                     : std::function<void()>());
}

// ---------------------------------------------------------------------------------------------
// View

void TEditor::showPlanName(const std::string& name) {
    ChPlanNameLabel->setText(toQt(name));
}

void TEditor::showFileName(const std::string& path) {
    FileNameLabel->setText(toQt(path));
}

void TEditor::repaintGrid() {
    TaulaCanals->setRowHeight(0, 30);
    if (isVisible()) FormShow();  // new values may need wider columns
    TaulaCanals->viewport()->update();
}

void TEditor::FormShow() {
    TaulaCanals->setColWidth(0, 25);
    const QFontMetrics metrics(TaulaCanals->font());
    for (int column = 1; column < kEditorColumns; ++column) {
        const auto [first, second] = HeaderLines(fromQt(headers_[column]));
        const int width = std::max(metrics.horizontalAdvance(toQt(first)),
                                   metrics.horizontalAdvance(toQt(second))) +
                          5;
        int minimum = 0;
        if (column == 1) minimum = 32;
        if (column == 5) minimum = 55;
        if (column == 6 || column == 9) minimum = 62;
        // No value is cut either.
        int widest = 0;
        for (int row = 1; row < TaulaCanals->rowCount(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(TaulaCanals->cell(column, row)));
        TaulaCanals->setColWidth(column, std::max({width, minimum, widest + 10}));
    }
}

void TEditor::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TEditor::ChPlanNameLabelClick() {
    if (!dialog_) return;
    const auto text =
        dialog_->ask(kSkyBlue, toQt(texts_.text(window_text::kRenamePlanCaption)),
                     toQt(texts_.text(window_text::kRenamePlanPrompt)), toQt(editor_->planName()));
    if (text) editor_->Rename(fromQt(*text));
}

void TEditor::TaulaCanalsMouseUp(Qt::MouseButton button, QPoint position) {
    const auto [column, row] = TaulaCanals->cellAt(position);
    const EditorPopup popup = editor_->TaulaCanalsMouseUp(button == Qt::LeftButton, column, row);
    QMenu* menu = nullptr;
    switch (popup) {
        case EditorPopup::Channel:
            menu = popupchannel;
            break;
        case EditorPopup::AnalogSystem:
            menu = popupsistemaanalog;
            break;
        case EditorPopup::DigitalSystem:
            menu = popupsistemadigital;
            break;
        case EditorPopup::Modulation:
            menu = popupmodulacio;
            break;
        case EditorPopup::SymbolRate1:
            menu = popupsymbolrate1;
            break;
        case EditorPopup::SymbolRate2:
            menu = popupsymbolrate2;
            break;
        case EditorPopup::Group:
            menu = popupgrupdocsis;
            break;
        case EditorPopup::None:
            break;
    }
    if (menu) menu->popup(TaulaCanals->viewport()->mapToGlobal(position));
}

bool TEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ChPlanNameLabel && event->type() == QEvent::MouseButtonRelease) {
        ChPlanNameLabelClick();
        return true;
    }
    if (watched == client_ && event->type() == QEvent::MouseButtonPress) FormClick();
    if (watched == client_ && event->type() == QEvent::Resize) {
        TaulaCanals->setGeometry(24, 120, client_->width() - 47, client_->height() - 169);
        VersioControllerLabel->move(24, client_->height() - 34);
    }
    return QDialog::eventFilter(watched, event);
}

void TEditor::closeEvent(QCloseEvent* event) {
    // Every close asks first, whether or not anything changed.
    if (editor_->FormCloseQuery(SaveChPDialog)) {
        event->accept();
        QDialog::done(QDialog::Rejected);
    } else {
        event->ignore();
    }
}

void TEditor::reject() {
    close();
}

// ---------------------------------------------------------------------------------------------
// Menu handlers

void TEditor::Loadchannelplan1Click() {
    if (editDialog_ && planList_)
        editor_->ReplaceWithPlanFile(*editDialog_, *planList_, copiesFolder_());
}

}  // namespace veltra
