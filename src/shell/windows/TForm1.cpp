#include "shell/windows/TForm1.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QSignalBlocker>
#include <QUrl>
#include <clocale>
#include <ctime>

#include "editor/windows/TEditor.h"
#include "face/Messages.h"
#include "firmware/FirmwareUpdates.h"
#include "instrument/Clock.h"
#include "instrument/Identity.h"
#include "loggers/LoggerTransfers.h"
#include "loggers/windows/LoggerViewer.h"
#include "shell/windows/DeviceMonitor.h"
#include "text/Files.h"
#include "widgets/ControlTexts.h"
#include "widgets/Pictures.h"
#include "widgets/QtText.h"
#include "widgets/WindowStyle.h"

namespace veltra {

QColor WindowsColor(unsigned value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSilver(192, 192, 192);

QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QRect& geometry,
                        const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

// The program's logo, drawn once: the model name on the navy title panel.
QPixmap DrawLogo() {
    QPixmap logo(144, 24);
    logo.fill(kNavy);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 200, 40), 2));
    for (int i = 0; i < 3; ++i)
        painter.drawArc(QRect(4 + i * 4, 6 + i * 2, 16 - i * 8 + 8, 12 - i * 4), 30 * 16, 120 * 16);
    painter.setFont(LogoFont());
    painter.setPen(Qt::white);
    painter.drawText(QRect(28, 0, 116, 24), Qt::AlignVCenter | Qt::AlignLeft, "VELTRA-52");
    return logo;
}

}  // namespace

TForm1::TForm1(Language& language, Link& link, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), language_(language), link_(link), prompts_(prompts) {
    setObjectName("Form1");
    auto* central = new QWidget(this);
    central->setObjectName("ClientArea");
    central->setFixedSize(792, 546);
    SetBackground(central, WindowsColor(kMainWindowColor));
    // On a small screen or at a large scale the window is made smaller and its client scrolls.
    setCentralWidget(ScrollingClient(this, central));

    Panel1 = new QWidget(central);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(3, 0, 785, 40);
    SetBackground(Panel1, kNavy);
    Logo = MakeLabel(Panel1, "Logo", 8, 8);
    Logo->setFixedSize(144, 24);
    Logo->setScaledContents(true);
    Logo->setPixmap(DrawLogo());
    Bandera = MakeLabel(Panel1, "Bandera", 745, 8);
    Bandera->setFixedSize(32, 24);
    Bandera->setScaledContents(true);

    buildMenu();
    buildConnectionPanel(central);

    PageControl = new QTabWidget(central);
    PageControl->setObjectName("PageControl");
    PageControl->setGeometry(3, 145, 785, 401);
    buildChannelPlanTab();
    buildLoggersTab();
    PageControl->setCurrentIndex(0);

    Timer2.setObjectName("Timer2");
    Timer2.setInterval(1200);
    Timer2.setSingleShot(true);
    connect(&Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);

    CarregarHex.initialFolder = language_.programFolder() + "Version";
    CarregarCanals.initialFolder = language_.programFolder();
    OpenLoggerDialog.initialFolder = language_.loggersFolder();
    SaveAllAsDialog.initialFolder = language_.loggersFolder();
    setFilters(LanguageTable());
    ApplyAddedTexts(*this, window_text::kForm1Controls);

    // It grows no larger than its client; it may be made smaller.
    setMaximumSize(sizeHint());
}

TForm1::~TForm1() = default;

void TForm1::buildMenu() {
    QMenuBar* bar = menuBar();
    auto addMenu = [&](QMenu* parentMenu, const char* name, const char* text) {
        QMenu* menu = parentMenu ? parentMenu->addMenu(text) : bar->addMenu(text);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(QString(name) + "Action");
        return menu;
    };
    auto addAction = [&](QMenu* menu, const char* name, const char* text, auto handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    Archivo1 = addMenu(nullptr, "Archivo1", "&File");
    ExportCsv1 = addAction(Archivo1, "ExportCsv1", "", &TForm1::ExportCsv1Click);
    Archivo1->addSeparator();
    Salir1 = addAction(Archivo1, "Salir1", "E&xit", &TForm1::Salir1Click);
    Idioma1 = addMenu(nullptr, "Idioma1", "&Language");
    Actualizar1 = addMenu(nullptr, "Actualizar1", "&Update");
    Firmware1 =
        addAction(Actualizar1, "Firmware1", "IO interface firmware", &TForm1::Firmware1Click);
    VELTRA521 = addAction(Actualizar1, "VELTRA521", "VELTRA-52 firmware", &TForm1::VELTRA521Click);
    Puestaenhora1 = addAction(Actualizar1, "Puestaenhora1", "Set instrument clock",
                              &TForm1::Puestaenhora1Click);
    Ayuda1 = addMenu(nullptr, "Ayuda1", "&Help");
    Contenidos1 = Ayuda1->addAction("Contents");
    Contenidos1->setObjectName("Contenidos1");
    Contenidos1->setEnabled(false);
    SobreVELTRA52 =
        addAction(Ayuda1, "SobreVELTRA52", "About VELTRA-52", &TForm1::SobreVELTRA52Click);
    SobreControlador = addAction(Ayuda1, "SobreControlador", "About this software",
                                 &TForm1::SobreControladorClick);
}

void TForm1::buildConnectionPanel(QWidget* central) {
    CStatus = new QGroupBox("Connection", central);
    CStatus->setObjectName("CStatus");
    // 105 high, not 106: the banner (40), this box and the tabs (401) fill the 546 of the client
    // without overlapping.
    CStatus->setGeometry(8, 40, 306, 105);

    Connexio = MakeLabel(CStatus, "Connexio", 10, 18);
    QFont big = Connexio->font();
    big.setBold(true);
    big.setPixelSize(16);
    Connexio->setFont(big);
    Usb = MakeLabel(CStatus, "Usb", 234, 16);
    Usb->setFixedSize(64, 40);

    struct Row {
        QLabel** caption;
        const char* captionName;
        QLabel** value;
        const char* valueName;
        int y;
    };
    const Row rows[] = {
        {&Model, "Model", &Mod, "Mod", 42},
        {&SNumber, "SNumber", &SN, "SN", 57},
        {&IOVersion, "IOVersion", &IOV, "IOV", 72},
        {&VTVersion, "VTVersion", &VTV, "VTV", 87},
    };
    for (const Row& row : rows) {
        *row.caption = MakeLabel(CStatus, row.captionName, 10, row.y);
        *row.value = MakeLabel(CStatus, row.valueName, 100, row.y);
        QFont bold = (*row.value)->font();
        bold.setBold(true);
        (*row.value)->setFont(bold);
        QPalette valuePalette = (*row.value)->palette();
        valuePalette.setColor(QPalette::WindowText, kNavy);
        (*row.value)->setPalette(valuePalette);
    }
}

void TForm1::buildChannelPlanTab() {
    ChannelPlan = new QWidget;
    ChannelPlan->setObjectName("ChannelPlan");
    PageControl->addTab(ChannelPlan, "Channel plans");

    ReceiveBut =
        MakeButton(ChannelPlan, "ReceiveBut", {24, 16, 233, 49}, "Read equipment's channel plans");
    DelSelBut =
        MakeButton(ChannelPlan, "DelSelBut", {24, 72, 233, 49}, "Delete selected channel plans");
    LoadBut = MakeButton(ChannelPlan, "LoadBut", {24, 128, 233, 49}, "Load channel plan");
    EditBut = MakeButton(ChannelPlan, "EditBut", {24, 208, 233, 49}, "Edit channel plan");
    NewBut = MakeButton(ChannelPlan, "NewBut", {24, 264, 233, 49}, "New channel plan");
    DelSelBut->setEnabled(false);
    LoadBut->setEnabled(false);

    ListLabel = MakeLabel(ChannelPlan, "ListLabel", 280, 14, "Equipment's channel plans");
    QFont bold = ListLabel->font();
    bold.setBold(true);
    ListLabel->setFont(bold);
    Llista = new QListWidget(ChannelPlan);
    Llista->setObjectName("Llista");
    Llista->setGeometry(280, 32, 481, 329);
    Llista->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Llista->setEnabled(false);
    ListLabel->setBuddy(Llista);
    planIndex_.setOnChange([this] { showPlanIndex(); });
    connect(Llista, &QListWidget::itemSelectionChanged, this, [this] { LlistaSelectionChange(); });
    connect(ReceiveBut, &QPushButton::clicked, this, &TForm1::ReceiveButClick);
    connect(LoadBut, &QPushButton::clicked, this, &TForm1::LoadButClick);
    connect(DelSelBut, &QPushButton::clicked, this, &TForm1::DelSelButClick);
    connect(EditBut, &QPushButton::clicked, this, &TForm1::EditButClick);
    connect(NewBut, &QPushButton::clicked, this, &TForm1::NewButClick);
    connect(Llista, &QListWidget::itemDoubleClicked, this, [this] { LlistaDblClick(); });

    VersioControllerLabel = MakeLabel(ChannelPlan, "VersioControllerLabel", 24, 350, kVersionLabel);
    VersioControllerLabel->setFont(bold);
}

void TForm1::buildLoggersTab() {
    Loggers = new QWidget;
    Loggers->setObjectName("Loggers");
    PageControl->addTab(Loggers, "Loggers");

    OpenLogBut = MakeButton(Loggers, "OpenLogBut", {24, 16, 233, 33}, "Open logger file");
    // The folder the loggers are saved to, in the file manager.
    OpenFolderBut = MakeButton(Loggers, "OpenFolderBut", {24, 52, 233, 24}, "");
    connect(OpenFolderBut, &QPushButton::clicked, this, &TForm1::OpenFolderButClick);
    Label2 = MakeLabel(Loggers, "Label2", 24, 86, "Logger list:");
    LoggerType = new QComboBox(Loggers);
    LoggerType->setObjectName("LoggerType");
    LoggerType->setGeometry(136, 80, 121, 24);
    LoggerType->addItems({"Modem Logger", "TV Logger"});
    LoggerType->setCurrentIndex(0);
    Label2->setBuddy(LoggerType);
    connect(LoggerType, &QComboBox::currentIndexChanged, this, [this] { LoggerTypeChange(); });
    ReceiveLogBut = MakeButton(Loggers, "ReceiveLogBut", {24, 112, 233, 49}, "Read loggers");
    SaveLogBut = MakeButton(Loggers, "SaveLogBut", {24, 168, 233, 49}, "Save loggers");
    SaveLogAsBut = MakeButton(Loggers, "SaveLogAsBut", {24, 224, 233, 49}, "Save loggers as");
    PrintSelBut = MakeButton(Loggers, "PrintSelBut", {24, 280, 233, 49}, "Print selected loggers");
    SaveLogAsBut->setEnabled(false);
    PrintSelBut->setEnabled(false);

    Label3 = MakeLabel(Loggers, "Label3", 280, 14, "Loggers");
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);

    Panel3 = new QFrame(Loggers);
    Panel3->setObjectName("Panel3");
    static_cast<QFrame*>(Panel3)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel3->setGeometry(280, 32, 481, 329);
    SetBackground(Panel3, WindowsColor(kMainWindowColor));

    LoggerIndex = new StringGrid(5, 31, Panel3);
    LoggerIndex->setObjectName("LoggerIndex");
    LoggerIndex->setGeometry(8, 8, 465, 313);
    LoggerIndex->setFixedColor(kSilver);
    LoggerIndex->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LoggerIndex->viewport()->setCursor(Qt::PointingHandCursor);
    const int widths[] = {25, 100, 100, 100, 100};
    for (int c = 0; c < 5; ++c)
        LoggerIndex->setColWidth(c, widths[c]);
    Label3->setBuddy(LoggerIndex);
    connect(ReceiveLogBut, &QPushButton::clicked, this, &TForm1::ReceiveLogButClick);
    connect(SaveLogBut, &QPushButton::clicked, this, &TForm1::SaveLogButClick);
    connect(SaveLogAsBut, &QPushButton::clicked, this, &TForm1::SaveLogAsButClick);
    connect(OpenLogBut, &QPushButton::clicked, this, &TForm1::OpenLogButClick);
    connect(PrintSelBut, &QPushButton::clicked, this, &TForm1::PrintSelButClick);
    connect(LoggerIndex, &QTableWidget::cellDoubleClicked, this, [this] { LoggerIndexDblClick(); });

    VersioControllerLabel2 = MakeLabel(Loggers, "VersioControllerLabel2", 24, 350, kVersionLabel);
    VersioControllerLabel2->setFont(bold);
}

void TForm1::ShowMessageCode(int code) {
    veltra::ShowMessageCode(prompts_, language_.table(), code);
}

// ---------------------------------------------------------------------------------------------
// Start-up and shut-down

void TForm1::AlExecutar() {
    BuildLanguageMenu();
    LoadStartLanguage();
    // Numbers in files and on screen always use a point, whatever the regional setting.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    ConnectionStatus();
    LoggerTypeChange();
    monitor_ = std::make_unique<DeviceMonitor>(this);
    connect(monitor_.get(), &DeviceMonitor::deviceChanged, this, &TForm1::AppMessage);
    if (!commandLineFile_.empty()) Actualitzar();
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

void TForm1::FormClose() {
    link_.close();
}

// ---------------------------------------------------------------------------------------------
// Connection panel

void TForm1::setConnexio(bool connected) {
    SetLabelText(Connexio, toQt(language_.text(connected ? window_text::kConnected
                                                         : window_text::kNotConnected)));
    QPalette palette = Connexio->palette();
    palette.setColor(QPalette::WindowText,
                     connected ? WindowsColor(0xFF0000) : WindowsColor(0x0000FF));
    Connexio->setPalette(palette);
}

void TForm1::placeValueLabels() {
    const std::pair<QLabel*, QLabel*> pairs[] = {
        {Model, Mod}, {SNumber, SN}, {IOVersion, IOV}, {VTVersion, VTV}};
    for (auto [caption, value] : pairs) {
        caption->adjustSize();
        value->adjustSize();
        value->move(caption->x() + caption->width() + 3, value->y());
    }
}

void TForm1::ConnectionStatus() {
    const auto identity = Identify(link_);
    identity_ = identity.value_or(InstrumentIdentity{});
    if (identity) {
        Usb->setPixmap(LoadPicture(language_.imagesFolder() + "usb.bmp"));
        setConnexio(true);
        Model->setEnabled(true);
        SetLabelText(Mod, toQt(identity->model));
        SNumber->setEnabled(true);
        SetLabelText(SN, toQt(identity->serial));
        ReceiveBut->setEnabled(true);
        IOVersion->setEnabled(true);
        VTVersion->setEnabled(true);
        SetLabelText(IOV, toQt(identity->ioVersion));
        SetLabelText(VTV, toQt(identity->instrumentVersion));
        prompts_.processEvents();
        placeValueLabels();
        // A delete that was cut off last time: its kept plans are still to go back.
        if (channelPlans_ && channelPlans_->PendingWriteBack()) channelPlans_->FinishWriteBack();
        return;
    }
    Usb->setPixmap(LoadPicture(language_.imagesFolder() + "Nousb.bmp"));
    setConnexio(false);
    SetLabelText(Mod, {});
    SetLabelText(SN, {});
    Model->setEnabled(false);
    SNumber->setEnabled(false);
    SetLabelText(IOV, {});
    SetLabelText(VTV, {});
    IOVersion->setEnabled(false);
    VTVersion->setEnabled(false);
    ReceiveBut->setEnabled(false);
    planIndex_.setSendAndDeleteEnabled(false);
    planIndex_.setEnabled(false);
    planIndex_.clear();
    clearLoggerIndex();
}

void TForm1::AppMessage() {
    if (!Timer2.isActive()) Timer2.start();
}

void TForm1::Timer2Timer() {
    Timer2.stop();
    if (deviceBusy()) {
        // A transfer or an update owns the device (the IO interface entering its loader is a
        // plug event too): look again once it is done.
        Timer2.start();
        return;
    }
    try {
        ConnectionStatus();
    } catch (const std::exception& error) {
        ShowFrameworkError(error);
    }
}

// ---------------------------------------------------------------------------------------------
// Channel plan tab

void TForm1::showPlanIndex() {
    const QSignalBlocker blocker(Llista);
    // Drawn anew only when the names changed: the person's selection stays otherwise.
    bool same = Llista->count() == planIndex_.count();
    for (int i = 0; same && i < Llista->count(); ++i)
        same = fromQt(Llista->item(i)->text()) == planIndex_.item(i);
    if (!same) {
        Llista->clear();
        for (const std::string& name : planIndex_.names())
            Llista->addItem(toQt(name));
    }
    Llista->setEnabled(planIndex_.enabled());
    DelSelBut->setEnabled(planIndex_.sendAndDeleteEnabled());
    LoadBut->setEnabled(planIndex_.sendAndDeleteEnabled());
}

void TForm1::LlistaSelectionChange() {
    for (int i = 0; i < Llista->count() && i < planIndex_.count(); ++i)
        planIndex_.setSelected(i, Llista->item(i)->isSelected());
}

void TForm1::ReceiveButClick() {
    if (channelPlans_) channelPlans_->ReadChannelPlans();
}

void TForm1::LoadButClick() {
    if (!channelPlans_) return;
    channelPlans_->SendPlanFiles([this] {
        CarregarCanals.initialFolder = language_.programFolder();
        return prompts_.chooseOpenFiles(CarregarCanals);
    });
}

void TForm1::DelSelButClick() {
    if (channelPlans_) channelPlans_->DeleteSelectedPlans();
}

void TForm1::EditButClick() {
    if (!editor_ || !channelPlans_) return;
    if (editor_->editor().LoadChannelPlanFile(-1, EditDialog, planIndex_,
                                              channelPlans_->copiesFolder()) == 0)
        editor_->showModally();
}

void TForm1::NewButClick() {
    if (!editor_) return;
    if (editor_->editor().StartNewChannelPlan(false)) editor_->showModally();
}

void TForm1::LlistaDblClick() {
    if (!editor_ || !channelPlans_) return;
    const auto position = channelPlans_->PlanToOpen();
    if (position && editor_->editor().LoadChannelPlanFile(*position, EditDialog, planIndex_,
                                                          channelPlans_->copiesFolder()) == 0)
        editor_->showModally();
}

// ---------------------------------------------------------------------------------------------
// Loggers tab

void TForm1::NumberLoggerIndex() {
    for (int row = 1; row < LoggerIndex->rowCount(); ++row)
        LoggerIndex->setCell(0, row, QString::number(row - 1));
}

void TForm1::clearLoggerIndex() {
    if (loggers_) loggers_->index().clear();
    showLoggerIndex();
}

void TForm1::showLoggerIndex() {
    const auto* rows = loggers_ ? &loggers_->index().rows() : nullptr;
    for (int row = 1; row < LoggerIndex->rowCount(); ++row) {
        const auto position = static_cast<std::size_t>(row - 1);
        const LoggerIndexRow* entry =
            rows && position < rows->size() ? &(*rows)[position] : nullptr;
        LoggerIndex->setCell(1, row, entry ? toQt(entry->name) : QString());
        LoggerIndex->setCell(2, row, entry ? toQt(entry->time) : QString());
        LoggerIndex->setCell(3, row, entry ? toQt(entry->date) : QString());
        LoggerIndex->setCell(4, row, !entry ? QString() : entry->marked ? "YES" : "NO");
    }
}

void TForm1::LoggerIndexMouseUp(bool leftButton, int column, int row) {
    loggerClick_ = {column, row};
    if (!loggers_ || !leftButton || column != kLoggerMarkColumn) return;
    if (row == 0) loggers_->index().toggleAllMarks();
    if (row >= 1) loggers_->index().toggleMark(static_cast<std::size_t>(row - 1));
    showLoggerIndex();
}

void TForm1::setLoggers(LoggerTransfers* loggers, LoggerViewer* tv, LoggerViewer* down,
                        LoggerViewer* modem) {
    loggers_ = loggers;
    viewers_[kShowTv] = tv;
    viewers_[kShowDown] = down;
    viewers_[kShowModem] = modem;
    // Only the cells of listed loggers can be selected, never the numbers.
    LoggerIndex->setSelectCellHook([this](int column, int row) {
        return column != 0 && row >= 1 && static_cast<std::size_t>(row) <= loggers_->index().size();
    });
    connect(LoggerIndex, &StringGrid::mouseReleased, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint position) {
                const auto [column, row] = LoggerIndex->cellAt(position);
                LoggerIndexMouseUp(button == Qt::LeftButton, column, row);
            });
}

void TForm1::showViewer(LoggerKindShown kind) {
    if (kind >= kShowTv && kind <= kShowModem && viewers_[kind]) viewers_[kind]->showModally();
}

void TForm1::ReceiveLogButClick() {
    if (!loggers_) return;
    const auto list = LoggerType->currentIndex() == 1 ? LoggerList::Tv : LoggerList::Modem;
    const bool listed = loggers_->ReceiveLoggerList(list) && loggers_->index().LoggerCount() > 0;
    showLoggerIndex();
    if (listed) {
        PrintSelBut->setEnabled(true);
        SaveLogBut->setEnabled(true);
        SaveLogAsBut->setEnabled(true);
    }
}

void TForm1::LoggerIndexDblClick() {
    // The mark column toggles marks; a double click there opens nothing.
    const auto [column, row] = loggerClick_;
    if (!loggers_ || row <= 0 || column == kLoggerMarkColumn) return;
    const auto list = loggers_->ChooserList(LoggerType->currentIndex());
    if (!list) return;
    const auto shown = loggers_->FetchListedLogger(*list, static_cast<std::size_t>(row - 1));
    if (shown) showViewer(*shown);
}

void TForm1::SaveLogButClick() {
    if (!loggers_) return;
    if (const auto list = loggers_->ChooserList(LoggerType->currentIndex()))
        loggers_->SaveAllLoggers(*list);
}

void TForm1::SaveLogAsButClick() {
    if (!loggers_) return;
    if (const auto list = loggers_->ChooserList(LoggerType->currentIndex()))
        loggers_->SaveAllLoggersAs(*list, SaveAllAsDialog);
}

void TForm1::OpenLogButClick() {
    if (!loggers_) return;
    if (const auto shown = loggers_->OpenLoggerFile(OpenLoggerDialog)) showViewer(*shown);
}

void TForm1::OpenFolderButClick() {
    const std::string folder = language_.loggersFolder();
    MakeFolders(folder);
    QDesktopServices::openUrl(QUrl::fromLocalFile(toQt(folder)));
}

void TForm1::PrintSelButClick() {
    if (!loggers_ || !printer_) return;
    if (const auto list = loggers_->ChooserList(LoggerType->currentIndex()))
        loggers_->PrintMarkedLoggers(*list, *printer_);
}

void TForm1::ExportCsv1Click() {
    if (!loggers_) return;
    if (const auto list = loggers_->ChooserList(LoggerType->currentIndex()))
        loggers_->ExportMarkedCsv(*list, CsvAllDialog);
}

void TForm1::LoggerTypeChange() {
    PrintSelBut->setEnabled(false);
    SaveLogBut->setEnabled(false);
    SaveLogAsBut->setEnabled(false);
    LoggerIndex->setRowCountTotal(LoggerType->currentIndex() == 1 ? 51 : 31);
    NumberLoggerIndex();
    clearLoggerIndex();
}

// ---------------------------------------------------------------------------------------------
// Menu

void TForm1::Firmware1Click() {
    Actualitzar();
}

void TForm1::Actualitzar() {
    if (!updates_) return;
    const Ended ended = updates_->UpdateIOInterface(
        [this]() -> std::optional<std::string> {
            CarregarHex.initialFolder = language_.programFolder() + "Version";
            if (!commandLineFile_.empty()) return commandLineFile_;
            return prompts_.chooseOpenFile(CarregarHex);
        },
        identity_.ioVersion);
    if (FileUsedUp(ended)) commandLineFile_.clear();
}

void TForm1::VELTRA521Click() {
    if (!updates_) return;
    updates_->UpdateInstrument([this] { return prompts_.chooseOpenFile(CarregarHex); },
                               identity_.instrumentVersion, commandLineFile_);
}

bool TForm1::deviceBusy() const {
    return busy_->busy();
}

void TForm1::Puestaenhora1Click() {
    SetInstrumentClock(
        link_, *busy_, prompts_, [this](int code) { ShowMessageCode(code); }, identity_.serial,
        LocalTime(std::time(nullptr)));
}

void TForm1::SobreVELTRA52Click() {
    if (aboutVeltra52_) aboutVeltra52_->exec();
}

void TForm1::SobreControladorClick() {
    if (aboutController_) aboutController_->exec();
}

}  // namespace veltra
