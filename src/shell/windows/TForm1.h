// The main window (Cercahid): menu, connection panel, the channel plan tab and the Loggers tab.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "channelplans/ChannelPlanTransfers.h"
#include "channelplans/PlanIndex.h"
#include "face/DeviceBusy.h"
#include "face/UserPrompts.h"
#include "instrument/Identity.h"
#include "language/Language.h"
#include "language/WindowTexts.h"
#include "link/Link.h"
#include "loggers/LoggerRecords.h"
#include "widgets/StringGrid.h"

namespace veltra {

class DeviceMonitor;
class TEditor;
class LoggerTransfers;
class FirmwareUpdates;
class TextPrinter;
class LoggerViewer;

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    TForm1(Language& language, Link& link, UserPrompts& prompts, QWidget* parent = nullptr);
    ~TForm1() override;

    // Windows whose texts ApplyLanguageTexts puts on, in creation order.
    void registerWindowTexts(WindowTexts* window) { windowTexts_.push_back(window); }

    // The file named on the command line; the IO interface update runs with it at start.
    void setCommandLineFile(std::string file) { commandLineFile_ = std::move(file); }
    const std::string& commandLineFile() const { return commandLineFile_; }
    // Who the instrument is, as last asked (empty texts before, or without one).
    const InstrumentIdentity& identity() const { return identity_; }

    // Start step: language menu and language, decimal separator, first connection check,
    // logger index set-up, device-change hook, command-line update. Errors from missing pictures
    // or a bad language file escape to the start-up code.
    void AlExecutar();

    // Numbered message through the prompts.
    void ShowMessageCode(int code);

    // Language (language menu, loading, window texts).
    void BuildLanguageMenu();
    void LoadStartLanguage();
    // Loads the current language, applies its texts and shows its flag. Throws FileError when
    // no flag at all can be shown and std::runtime_error for a key that is not a number.
    void SetLanguage();
    void SelectLanguage(QAction* entry);
    void ApplyLanguageTexts();

    // Connection panel.
    void ConnectionStatus();
    void AppMessage();  // a device was plugged in or out
    void Timer2Timer();

    // Channel plan tab.
    PlanIndex& planIndex() { return planIndex_; }
    void setChannelPlans(ChannelPlanTransfers* transfers) { channelPlans_ = transfers; }
    void ReceiveButClick();
    void LoadButClick();
    void DelSelButClick();
    void EditButClick();
    void NewButClick();
    void LlistaDblClick();
    void LlistaSelectionChange();
    void setEditor(TEditor* editor) { editor_ = editor; }

    // Loggers tab.
    void setLoggers(LoggerTransfers* loggers, LoggerViewer* tv, LoggerViewer* down,
                    LoggerViewer* modem);
    void ReceiveLogButClick();
    void LoggerIndexDblClick();
    // A mouse release over the index: the mark column toggles a mark, or all of them from its
    // header; the cell is remembered for a double click.
    void LoggerIndexMouseUp(bool leftButton, int column, int row);
    void SaveLogButClick();
    void SaveLogAsButClick();
    void OpenLogButClick();
    void OpenFolderButClick();
    void PrintSelButClick();
    void ExportCsv1Click();
    void setPrinter(TextPrinter* printer) { printer_ = printer; }
    void showViewer(LoggerKindShown kind);
    void LoggerTypeChange();
    void NumberLoggerIndex();
    // Draws the index model into the grid, and empties both.
    void showLoggerIndex();
    // Draws the plan index into Llista and the send and delete buttons.
    void showPlanIndex();
    void clearLoggerIndex();

    // Menu handlers.
    void Salir1Click() { close(); }
    void Firmware1Click();
    void VELTRA521Click();
    void Puestaenhora1Click();
    void SobreVELTRA52Click();
    void SobreControladorClick();

    // The IO interface update (also run at start with the command-line file).
    void Actualitzar();
    void setFirmwareUpdates(FirmwareUpdates* updates) { updates_ = updates; }
    // Device operations in progress: the connection check waits for them.
    void setDeviceBusy(DeviceBusy* busy) { busy_ = busy; }
    bool deviceBusy() const;

    void setAboutWindows(QDialog* aboutVeltra52, QDialog* aboutController) {
        aboutVeltra52_ = aboutVeltra52;
        aboutController_ = aboutController;
    }

    Language& language() { return language_; }
    Link& link() { return link_; }
    UserPrompts& prompts() { return prompts_; }

    // Controls, named as the program names them (also their objectName).
    QWidget* Panel1;
    QLabel* Logo;
    QLabel* Bandera;
    QGroupBox* CStatus;
    QLabel* Connexio;
    QLabel* Usb;
    QLabel *Model, *Mod, *SNumber, *SN, *IOVersion, *IOV, *VTVersion, *VTV;
    QTabWidget* PageControl;
    QWidget* ChannelPlan;
    QWidget* Loggers;
    QLabel* VersioControllerLabel;
    QLabel* VersioControllerLabel2;
    // Channel plan tab.
    QPushButton *ReceiveBut, *EditBut, *NewBut, *DelSelBut, *LoadBut;
    QLabel* ListLabel;
    QListWidget* Llista;
    // Loggers tab.
    QPushButton *OpenLogBut, *ReceiveLogBut, *SaveLogBut, *SaveLogAsBut, *PrintSelBut;
    QPushButton* OpenFolderBut;
    QLabel* Label2;
    QLabel* Label3;
    QComboBox* LoggerType;
    QWidget* Panel3;
    StringGrid* LoggerIndex;
    // Menu.
    QMenu *Archivo1, *Idioma1, *Actualizar1, *Ayuda1;
    QAction *Salir1, *Firmware1, *VELTRA521, *Puestaenhora1, *Contenidos1, *SobreVELTRA52,
        *SobreControlador, *ExportCsv1;
    QTimer Timer2;
    // Dialogs the window keeps between uses.
    FileDialogState CarregarHex, OpenDialog1, CarregarCanals, EditDialog, OpenLoggerDialog,
        SaveAllAsDialog, CsvAllDialog;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The file dialogs' filters in the language of `texts`.
    void setFilters(const LanguageTable& texts);
    void buildMenu();
    void buildConnectionPanel(QWidget* central);
    void buildChannelPlanTab();
    void buildLoggersTab();
    void placeValueLabels();
    void setConnexio(bool connected);
    void FormClose();

    Language& language_;
    Link& link_;
    UserPrompts& prompts_;
    std::vector<WindowTexts*> windowTexts_;
    std::string commandLineFile_;
    std::unique_ptr<DeviceMonitor> monitor_;
    // The plan list Llista and the send and delete buttons draw it.
    PlanIndex planIndex_;
    ChannelPlanTransfers* channelPlans_ = nullptr;
    TEditor* editor_ = nullptr;
    static constexpr int kLoggerMarkColumn = 4;
    std::pair<int, int> loggerClick_{0, 0};  // column and row of the last mouse release
    LoggerTransfers* loggers_ = nullptr;
    FirmwareUpdates* updates_ = nullptr;
    // The program's busy guard; a window of its own (in tests) has its own.
    DeviceBusy ownBusy_;
    DeviceBusy* busy_ = &ownBusy_;
    // The instrument as the last connection check found it: what the updates and the clock
    // work with (never read back from the labels).
    InstrumentIdentity identity_;
    TextPrinter* printer_ = nullptr;
    LoggerViewer* viewers_[4] = {nullptr, nullptr, nullptr, nullptr};
    QDialog* aboutVeltra52_ = nullptr;
    QDialog* aboutController_ = nullptr;
};

// The window's colours, converted once from the program's Windows colour values (0x00BBGGRR).
QColor WindowsColor(unsigned value);
inline constexpr unsigned kMainWindowColor = 16750967;

}  // namespace veltra
