// Which language text each window puts on its controls at every language load: the window's
// caption, then each control by its object name with its key (its text; a hint where marked).
// The windows apply these tables, and the window texts test reads them back.
#pragma once

#include <span>

#include "language/TextKeys.h"

namespace veltra::window_text {

// Where a control shows its text: its caption, its hint, or the description a screen reader
// gives.
enum class Shows { Text, Hint, Description };

struct Control {
    const char* name;
    int key;
    Shows shows = Shows::Text;
};

struct Window {
    int caption;
    std::span<const Control> controls;
};

// The main window. "ChannelPlan" and "Loggers" are the tab pages, whose tab shows the text.
inline constexpr Control kForm1Controls[] = {
    {"Archivo1", 1},
    {"Salir1", 2},
    {"Idioma1", 4},
    {"Actualizar1", 5},
    {"Firmware1", 6},
    {"VELTRA521", 11},
    {"Puestaenhora1", 28},
    {"Ayuda1", 7},
    {"Contenidos1", 8},
    {"SobreVELTRA52", 9},
    {"SobreControlador", 10},
    {"Model", 16},
    {"SNumber", 17},
    {"IOVersion", 18},
    {"VTVersion", 32},
    {"CStatus", 19},
    {"ChannelPlan", 115},
    {"Loggers", 116},
    {"Label3", 116},
    {"ListLabel", 77},
    {"ReceiveBut", 41},
    {"DelSelBut", 42},
    {"LoadBut", 44},
    {"EditBut", 93},
    {"NewBut", 94},
    {"Label2", 3},
    {"ReceiveLogBut", 128},
    {"OpenLogBut", 119},
    {"SaveLogBut", 72},
    {"SaveLogAsBut", 125},
    {"PrintSelBut", 123},
    {"ExportCsv1", text::kExportMarkedCsv},
    {"OpenFolderBut", text::kOpenLoggersFolder},
    {"Mod", text::kModelHint, Shows::Description},
    {"SN", text::kSerialHint, Shows::Description},
    {"IOV", text::kIOVersionHint, Shows::Description},
    {"VTV", text::kInstrumentVersionHint, Shows::Description},
};
inline constexpr Window kForm1{31, kForm1Controls};
// The connection label: the IO interface found, or not.
inline constexpr int kConnected = 14;
inline constexpr int kNotConnected = 15;
// Header cells of columns 1..4 of the logger index grid.
inline constexpr int kLoggerIndexHeaders[] = {20, 21, 22, 23};

inline constexpr Control kConfUpgrControls[] = {
    {"SI", 51},
    {"NO", 52},
    {"VersioActual", text::kVersionNowDescription, Shows::Description},
    {"VersionTo", text::kFirmwareFileDescription, Shows::Description},
};
inline constexpr Window kConfUpgr{33, kConfUpgrControls};
inline constexpr Control kUpdatingControls[] = {
    {"DoNotDisconnect", 57},
    {"Progres", text::kProgressDescription, Shows::Description},
};
inline constexpr Window kUpdatingForm{56, kUpdatingControls};
inline constexpr Window kAboutVeltra52{9, {}};
inline constexpr Window kAboutController{10, {}};
inline constexpr Control kOcultaControls[] = {{"EnvPregBut", 35}, {"Label1", 36}};
inline constexpr Window kOculta{34, kOcultaControls};

inline constexpr Control kEditorControls[] = {
    {"Archivo1", 1},
    {"Newchannelplan1", 94},
    {"Savechannelplan1", 96},
    {"Savechannelplanas1", 107},
    {"Loadchannelplan1", 95},
    {"Exit1", 2},
    {"Edit1", 27},
    {"Sortchannels1", 99},
    {"Activeall1", 127},
    {"Unactiveall1", 164},
    {"Allanalog1", 165},
    {"Alldigital1", 13},
    {"Help1", 7},
    {"INSERTACANAL", 97},
    {"ESBORRACANAL", 98},
    {"ChPlanNameLabel", 166, Shows::Hint},
    {"ImportCsv1", text::kImportCsv},
    {"ExportCsv1", text::kExportCsv},
    {"ChPlanNameLabel", text::kPlanNameDescription, Shows::Description},
    {"FileNameLabel", text::kPlanFileDescription, Shows::Description},
};
inline constexpr Window kEditor{100, kEditorControls};
// Header texts of the editor's columns 1..11.
inline constexpr int kEditorHeaders[] = {81, 82, 83, 84, 85, 87, 88, 89, 90, 91, 86};
// The rename dialog of a plan: caption and prompt.
inline constexpr int kRenamePlanCaption = 101;
inline constexpr int kRenamePlanPrompt = 102;

// What the three logger viewers share; each adds its own.
inline constexpr Control kViewerControls[] = {
    {"Archivo1", 1},
    {"DesarRegistreComA", 121},
    {"ImprimirRegistre", 122},
    {"SortirFinestraRegistre", 2},
    {"DataLabel", 22},
    {"HoraLabel", 21},
    {"LoggerNameLabel", 167, Shows::Hint},
    {"ExportCsv", text::kExportCsv},
    {"Help1", 7},
    {"LoggerNameLabel", text::kLoggerNameDescription, Shows::Description},
    {"FileNameLabel", text::kLoggerFileDescription, Shows::Description},
};
// The graph's entries, in the viewers that have a graph.
inline constexpr Control kGraphControls[] = {
    {"SaveGraph", text::kSaveGraph},       {"LimitsEntry", text::kLimitsEntry},
    {"LevelsInDbmv", text::kLevelsInDbmv}, {"SaveReport", text::kSaveReportPdf},
    {"PrintReport", text::kPrintReport},
};
// The rename dialog of a logger: caption and prompt.
inline constexpr int kRenameLoggerCaption = 129;
inline constexpr int kRenameLoggerPrompt = 130;

inline constexpr Control kTvViewerControls[] = {
    {"ChPlanNameLabel", 137},
    {"ModeMesuraSorollLabel", 138},
    {"FreqMesuraSorollLabel", 139},
    {"LlindarLabel", 140},
    {"CompareWith", text::kCompareWith},
    {"StopComparing", text::kStopComparing},
};
inline constexpr Window kTvViewer{159, kTvViewerControls};

inline constexpr Control kDownViewerControls[] = {
    {"ChannelLabel", 145}, {"ChannelPlanLabel", 146}, {"FreqLabel", 82},   {"SystLabel", 87},
    {"VerLabel", 149},     {"ModLabel", 150},         {"SymbolLabel", 89}, {"PowerLabel", 131},
    {"MERLabel", 153},     {"iLabel", 154},           {"jLabel", 155},     {"OffsetLabel", 156},
    {"PreBERLabel", 157},  {"PostBERLabel", 158},
};
inline constexpr Window kDownViewer{160, kDownViewerControls};
// Header cells of the downstream table's columns 1..4.
inline constexpr int kDownHeaders[] = {145, 146, 82, 131};

inline constexpr Window kModemViewer{161, {}};
// Header cells of the modem's downstream table (columns 1..6) and upstream table (1..7).
inline constexpr int kModemDownHeaders[] = {145, 146, 82, 131, 153, 150};
inline constexpr int kModemUpHeaders[] = {147, 82, 131, 162, 83, 89, 150};

}  // namespace veltra::window_text
