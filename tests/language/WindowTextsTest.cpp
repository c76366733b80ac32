#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "support/ProgramFixture.h"
#include "widgets/QtText.h"

namespace veltra {
namespace {

// A language whose text N is "K<N>", so every control shows which key it carries.
class WindowTexts : public test::ProgramFixture {
  protected:
    void SetUp() override {
        std::string probe;
        for (int key = 0; key < kLanguageTextCount; ++key)
            probe += "x," + std::to_string(key) + "=K" + std::to_string(key) + "\n";
        folder.write("Languages/Probe.lng", probe);
        create();
        form().language().setName("Probe");
        form().SetLanguage();
    }
    static QString K(int key) { return "K" + QString::number(key); }

    // The text a named control of `window` shows.
    static QString TextOf(QWidget* window, const char* name) {
        if (auto* label = window->findChild<QLabel*>(name)) return label->text();
        if (auto* button = window->findChild<QPushButton*>(name)) return button->text();
        if (auto* group = window->findChild<QGroupBox*>(name)) return group->title();
        if (auto* menu = window->findChild<QMenu*>(name)) return menu->title();
        if (auto* action = window->findChild<QAction*>(name)) return action->text();
        return "<missing " + QString(name) + ">";
    }
};

TEST_F(WindowTexts, EveryWindowCarriesItsTexts) {
    const struct {
        QWidget* window;
        std::vector<std::pair<const char*, int>> controls;
        int caption;
    } windows[] = {
        {&form(),
         {{"Archivo1", 1},
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
          {"Connexio", 14},
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
          {"SaveLogAsBut", 125}},
         31},
        {program->ConfUpgr, {{"SI", 51}, {"NO", 52}}, 33},
        {program->UpdatingFORM, {{"DoNotDisconnect", 57}}, 56},
        {program->AboutVELTRA52, {}, 9},
        {program->AboutController, {}, 10},
        {program->Oculta, {{"EnvPregBut", 35}, {"Label1", 36}}, 34},
        {program->Editor,
         {{"Archivo1", 1},
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
          {"ESBORRACANAL", 98}},
         100},
        {program->LoggerWindow,
         {{"ChPlanNameLabel", 137},
          {"ModeMesuraSorollLabel", 138},
          {"FreqMesuraSorollLabel", 139},
          {"LlindarLabel", 140},
          {"DataLabel", 22},
          {"HoraLabel", 21},
          {"Archivo1", 1},
          {"DesarRegistreComA", 121},
          {"ImprimirRegistre", 122},
          {"SortirFinestraRegistre", 2}},
         159},
        {program->DownWindow,
         {{"DataLabel", 22},
          {"HoraLabel", 21},
          {"ChannelLabel", 145},
          {"ChannelPlanLabel", 146},
          {"FreqLabel", 82},
          {"SystLabel", 87},
          {"VerLabel", 149},
          {"ModLabel", 150},
          {"SymbolLabel", 89},
          {"PowerLabel", 131},
          {"MERLabel", 153},
          {"iLabel", 154},
          {"jLabel", 155},
          {"OffsetLabel", 156},
          {"PreBERLabel", 157},
          {"PostBERLabel", 158},
          {"DesarRegistreComA", 121}},
         160},
        {program->ModemWindow,
         {{"DataLabel", 22}, {"HoraLabel", 21}, {"ImprimirRegistre", 122}},
         161},
    };
    for (const auto& w : windows) {
        EXPECT_EQ(w.window->windowTitle(), K(w.caption)) << w.window->objectName().toStdString();
        for (const auto& [name, key] : w.controls)
            EXPECT_EQ(TextOf(w.window, name), K(key))
                << w.window->objectName().toStdString() << "." << name;
    }
    EXPECT_EQ(form().PageControl->tabText(0), K(115));
    EXPECT_EQ(form().PageControl->tabText(1), K(116));
    EXPECT_EQ(form().PrintSelBut->text().simplified(), K(123));
    for (int column = 1; column <= 4; ++column)
        EXPECT_EQ(form().LoggerIndex->cell(column, 0), K(19 + column));
    EXPECT_EQ(program->Editor->ChPlanNameLabel->toolTip(), K(166));
    for (LoggerViewer* viewer : std::initializer_list<LoggerViewer*>{
             program->LoggerWindow, program->ModemWindow, program->DownWindow}) {
        EXPECT_EQ(viewer->LoggerNameLabel->toolTip(), K(167));
        EXPECT_EQ(viewer->VersioControllerLabel->text(), "VELTRA-52 Software v1.21");
    }
    const int editorHeaders[12] = {0, 81, 82, 83, 84, 85, 87, 88, 89, 90, 91, 86};
    for (int column = 1; column < 12; ++column)
        EXPECT_EQ(program->Editor->headerTexts()[static_cast<std::size_t>(column)],
                  K(editorHeaders[column]));
    const int downHeaders[5] = {0, 145, 146, 82, 131};
    for (int column = 1; column < 5; ++column)
        EXPECT_EQ(program->DownWindow->TaulaRegistre->cell(column, 0), K(downHeaders[column]));
    const int modemHeaders2[8] = {0, 147, 82, 131, 162, 83, 89, 150};
    for (int column = 1; column < 8; ++column)
        EXPECT_EQ(program->ModemWindow->TaulaRegistre2->cell(column, 0), K(modemHeaders2[column]));
    EXPECT_EQ(program->AboutController->VersioControllerLabel->text(), "VELTRA-52 Software v1.21");
}

}  // namespace
}  // namespace veltra
