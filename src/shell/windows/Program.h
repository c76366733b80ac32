// The program's windows, created once at start in their fixed order and living for the run.
#pragma once

#include <memory>

#include "editor/windows/TEditor.h"
#include "firmware/windows/TConfUpgr.h"
#include "firmware/windows/TUpdatingFORM.h"
#include "loggers/windows/QtTextPrinter.h"
#include "loggers/windows/TDownWindow.h"
#include "loggers/windows/TLoggerWindow.h"
#include "loggers/windows/TModemWindow.h"
#include "shell/windows/LeftAltKey.h"
#include "shell/windows/TAboutController.h"
#include "shell/windows/TAboutVELTRA52.h"
#include "shell/windows/TForm1.h"
#include "shell/windows/TOculta.h"
#include "widgets/TDialog.h"

namespace veltra {

class Program {
  public:
    // `wait` waits with the windows going on; empty: the real 10 ms steps.
    Program(Language& language, Link& link, UserPrompts& prompts,
            std::function<void(int)> wait = {});
    ~Program();

    DeviceBusy busy;

    std::unique_ptr<TForm1> Form1;
    // Owned by Form1 through Qt's parent chain.
    TUpdatingFORM* UpdatingFORM;
    TConfUpgr* ConfUpgr;
    TAboutVELTRA52* AboutVELTRA52;
    TAboutController* AboutController;
    TOculta* Oculta;
    TEditor* Editor;
    TDialog* Dialog;
    TLoggerWindow* LoggerWindow;
    TModemWindow* ModemWindow;
    TDownWindow* DownWindow;

    std::unique_ptr<ChannelPlanTransfers> channelPlans;
    std::unique_ptr<LoggerTransfers> loggers;
    std::unique_ptr<FirmwareUpdates> updates;
    std::unique_ptr<QtTextPrinter> printer;
    std::unique_ptr<LeftAltKey> leftAlt;

  private:
    // The spreadsheets the program writes give their levels in the viewers' unit and their
    // verdicts on the limit set of the viewer of their kind.
    void shareViewerChoices();
};

}  // namespace veltra
