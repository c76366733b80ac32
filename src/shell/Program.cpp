#include "shell/Program.h"

namespace veltra {

Program::Program(Language& language, Link& link, UserPrompts& prompts)
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

    channelPlans = std::make_unique<ChannelPlanTransfers>(link, prompts, language.table(),
                                                          *UpdatingFORM, Form1->planList(),
                                                          *Form1, busy);
    Form1->setChannelPlans(channelPlans.get());
    Form1->setEditor(Editor);
    Editor->setDialog(Dialog);
    loggers = std::make_unique<LoggerTransfers>(link, prompts, language.table(),
                                                Form1->loggerIndexText(), busy,
                                                language.programFolder() + "Loggers/");
    for (LoggerViewer* viewer : std::initializer_list<LoggerViewer*>{LoggerWindow, ModemWindow, DownWindow})
        viewer->setServices(loggers.get(), Dialog, &language.table());
    Form1->setLoggers(loggers.get(), LoggerWindow, DownWindow, ModemWindow);
    Editor->setPlanSource(&Form1->EditDialog, &Form1->planList(),
                          [this] { return channelPlans->copiesFolder(); });
}

Program::~Program() = default;

}  // namespace veltra
