#include "shell/windows/Program.h"

#include "widgets/ControlTexts.h"

#include "face/Messages.h"
#include "loggers/LoggerTransfers.h"
#include "widgets/WindowStyle.h"

#include <QCoreApplication>
#include <QThread>

namespace veltra {

// Waits in 10 ms sleeps with the windows going on between them.
void WaitWithMessages(int milliseconds) {
    for (int elapsed = 0; elapsed < milliseconds; elapsed += 10) {
        QThread::msleep(10);
        QCoreApplication::processEvents();
    }
}

Program::Program(Language& language, Link& link, UserPrompts& prompts,
                 std::function<void(int)> wait)
    : Form1(std::make_unique<TForm1>(language, link, prompts)) {
    QWidget* owner = Form1.get();
    UpdatingFORM = new TUpdatingFORM(owner);
    ConfUpgr = new TConfUpgr(owner);
    AboutVELTRA52 = new TAboutVELTRA52(owner);
    AboutController = new TAboutController(owner);
    Oculta = new TOculta(owner);
    Editor = new TEditor(prompts, language.table(), owner);
    Dialog = new TDialog(owner);
    LoggerWindow = new TLoggerWindow(owner);
    ModemWindow = new TModemWindow(owner);
    DownWindow = new TDownWindow(owner);
    for (WindowTexts* window : std::initializer_list<WindowTexts*>{
             UpdatingFORM, ConfUpgr, AboutVELTRA52, AboutController, Oculta, Editor, Dialog,
             LoggerWindow, ModemWindow, DownWindow})
        Form1->registerWindowTexts(window);
    Form1->setAboutWindows(AboutVELTRA52, AboutController);
    // The added texts' captions until a language file is loaded.
    using namespace window_text;
    const std::pair<QWidget*, std::span<const Control>> added[] = {
        {ConfUpgr, kConfUpgrControls},   {UpdatingFORM, kUpdatingControls},
        {Editor, kEditorControls},       {LoggerWindow, kTvViewerControls},
        {LoggerWindow, kViewerControls}, {ModemWindow, kViewerControls},
        {DownWindow, kViewerControls},   {LoggerWindow, kGraphControls},
        {ModemWindow, kGraphControls},   {DownWindow, kGraphControls},
    };
    for (const auto& [window, controls] : added)
        ApplyAddedTexts(*window, controls);

    channelPlans = std::make_unique<ChannelPlanTransfers>(link, prompts, language.table(),
                                                          *UpdatingFORM, Form1->planIndex(), busy);
    // The local plan copies live with config.txt and the Loggers folder: beside the program when
    // its folder is writable, else in the user's data folder, never in the current folder.
    channelPlans->setCopiesFolder(language.dataFolder());
    Form1->setChannelPlans(channelPlans.get());
    Form1->setEditor(Editor);
    Editor->setDialog(Dialog);
    loggers = std::make_unique<LoggerTransfers>(link, prompts, language.table(), busy,
                                                language.loggersFolder());
    printer = std::make_unique<QtTextPrinter>(Form1.get());
    Form1->setLoggers(loggers.get(), LoggerWindow, DownWindow, ModemWindow);
    LoggerWindow->setCompareSource(
        [this](FileDialogState& dialog) { return loggers->OpenTvForComparison(dialog); });
    Form1->setPrinter(printer.get());
    const std::pair<LoggerViewer*, LoggerKindShown> viewers[] = {
        {LoggerWindow, kShowTv}, {DownWindow, kShowDown}, {ModemWindow, kShowModem}};
    for (const auto& [viewer, kind] : viewers) {
        viewer->setServices(&loggers->records, Dialog, &language.table());
        viewer->setPrompts(&prompts);
        viewer->setLimitSetsFolder(language.dataFolder() + "Limits/");
        viewer->setInstrument([this] {
            return ReportInstrument{Form1->identity().model, Form1->identity().serial,
                                    Form1->identity().simulated};
        });
        viewer->setChoicesChanged([this] { shareViewerChoices(); });
        viewer->setFileHandlers(
            [this, kind = kind](FileDialogState& dialog) { loggers->SaveRecordAs(kind, dialog); },
            [this, kind = kind](FileDialogState& dialog) {
                loggers->ExportRecordCsv(kind, dialog);
            },
            [this, kind = kind] { loggers->PrintRecord(kind, *printer); });
    }
    shareViewerChoices();
    updates =
        std::make_unique<FirmwareUpdates>(link, prompts, language.table(), *UpdatingFORM, *ConfUpgr,
                                          busy, wait ? std::move(wait) : WaitWithMessages);
    Form1->setFirmwareUpdates(updates.get());
    Form1->setDeviceBusy(&busy);
    leftAlt = std::make_unique<LeftAltKey>();
    Oculta->setQuery([this, &link, &prompts,
                      &language](const std::string& command) -> std::optional<std::string> {
        // A transfer or an update owns the device, also while it waits: nothing goes out.
        DeviceBusy::Guard guard(busy);
        if (!guard) {
            ShowMessageCode(prompts, language.table(), message::kBusy);
            return std::nullopt;
        }
        return link.SendQuery(command);
    });
    AboutVELTRA52->setServices(
        leftAlt.get(), [this] { Oculta->exec(); },
        [this] { channelPlans->EraseAllChannelPlans(); });
    Editor->setPlanSource(&Form1->EditDialog, &Form1->planIndex(),
                          [this] { return channelPlans->copiesFolder(); });
}

Program::~Program() = default;

void Program::shareViewerChoices() {
    LoggerFiles& files = loggers->files();
    files.setLevelUnit(LoggerViewer::ShownLevelUnit());
    const std::pair<LoggerViewer*, LoggerKindShown> viewers[] = {
        {LoggerWindow, kShowTv}, {DownWindow, kShowDown}, {ModemWindow, kShowModem}};
    for (const auto& [viewer, kind] : viewers)
        files.setJudging(kind, viewer->limitSet());
}

}  // namespace veltra
