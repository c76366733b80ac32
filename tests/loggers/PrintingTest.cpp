#include <QCoreApplication>
#include <QKeyEvent>
#include <cstdio>

#include "loggers/LoggerTransfers.h"
#include "support/ProgramFixture.h"

namespace veltra {
namespace {

std::string Shell(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

class Printing : public test::ProgramFixture {
  protected:
    void SetUp() override {
        sim::SimLogger tv{"NORTH", "09:12:44", "02/12/2026", 0, "H&DOCSI&150&0&5500000&450",
                          {},      {}};
        for (int k = 0; k < 150; ++k)
            tv.records.push_back("1&D" + std::to_string(k) + "&" +
                                 std::to_string(100000000 + 6000000 * k) +
                                 "&0&8000000&0&4&6952&63&38&x");
        sim.tvLoggers()[2] = tv;
        sim.tvLoggers()[5] =
            sim::SimLogger{"SOUTH", "10:00:00", "03/12/2026", 0, "H&P&0&1&0&0", {}, {}};
        create();
        pdf = folder.str() + "out.pdf";
        program->printer->setPdfOutput(QString::fromStdString(pdf));
        for (LoggerViewer* viewer : std::initializer_list<LoggerViewer*>{
                 program->LoggerWindow, program->ModemWindow, program->DownWindow})
            viewer->setModalRunner([](LoggerViewer&) {});
        form().LoggerType->setCurrentIndex(1);
        form().ReceiveLogButClick();
    }
    // VELTRA_KEEP_PDF=path keeps the printed pages for a person to look at.
    void keepPdf() const {
        if (const char* keep = std::getenv("VELTRA_KEEP_PDF"))
            std::filesystem::copy_file(pdf, keep,
                                       std::filesystem::copy_options::overwrite_existing);
    }
    std::string pdf;
};

TEST_F(Printing, ALoggerPrintsOnPagesFromItsViewer) {
    form().LoggerIndexMouseUp(true, 1, 1);
    form().LoggerIndexDblClick();
    program->LoggerWindow->ImprimirRegistreClick();
    EXPECT_EQ(program->printer->jobs(), 1);
    EXPECT_EQ(program->printer->lastTitle(), "NORTH");
    EXPECT_TRUE(folder.exists("Loggers/print.temp"));
    keepPdf();
    if (Shell("command -v pdftotext").empty()) GTEST_SKIP() << "pdftotext is missing";
    const std::string pages = Shell("pdfinfo '" + pdf + "' | grep Pages:");
    EXPECT_NE(pages.find("Pages:"), std::string::npos);
    EXPECT_EQ(pages.find("Pages:           1\n"), std::string::npos);  // 162 lines need pages
    const std::string text = Shell("pdftotext -layout '" + pdf + "' -");
    EXPECT_NE(text.find("TV LOGGER"), std::string::npos);
    EXPECT_NE(text.find("Logger name:                 NORTH"), std::string::npos);
    EXPECT_NE(text.find("D149"), std::string::npos);
    EXPECT_EQ(text.find('#'), std::string::npos);
}

TEST_F(Printing, MarkedLoggersPrintedToAFileShareOneDocument) {
    form().PrintSelButClick();
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{messageText(36)});
    form().LoggerIndexMouseUp(true, 4, 0);  // mark all
    form().PrintSelButClick();
    // One job per logger would leave the file with the last logger only.
    EXPECT_EQ(program->printer->jobs(), 1);
    EXPECT_EQ(program->printer->lastTitle(), "SOUTH");
    keepPdf();
    if (Shell("command -v pdftotext").empty()) GTEST_SKIP() << "pdftotext is missing";
    const std::string text = Shell("pdftotext -layout '" + pdf + "' -");
    EXPECT_NE(text.find("Logger name:                 NORTH"), std::string::npos);
    EXPECT_NE(text.find("Logger name:                 SOUTH"), std::string::npos);
    // SOUTH starts on a page of its own, after NORTH's pages.
    const std::string last = Shell("pdftotext -f 4 -l 4 -layout '" + pdf + "' -");
    EXPECT_EQ(last.find("TV LOGGER"), 0u) << last;
    EXPECT_NE(last.find("SOUTH"), std::string::npos);
}

TEST_F(Printing, OnlyTheLeftAltKeyOpensTheServiceFunctions) {
    int terminals = 0;
    int erasures = 0;
    program->AboutVELTRA52->setServices(
        program->leftAlt.get(), [&] { ++terminals; }, [&] { ++erasures; });
    auto key = [](QEvent::Type type, quint32 keysym) {
        QKeyEvent event(type, Qt::Key_Alt, Qt::AltModifier, 0, keysym, 0);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
    };
    program->AboutVELTRA52->StaticText2Click();
    EXPECT_EQ(terminals, 0);
#ifdef _WIN32
    const quint32 left = 0xA4, right = 0xA5;  // virtual keys
#else
    const quint32 left = 0xFFE9, right = 0xFFEA;  // X11 keysyms
#endif
    key(QEvent::KeyPress, right);
    program->AboutVELTRA52->StaticText2Click();
    EXPECT_EQ(terminals, 0);
    key(QEvent::KeyRelease, right);
    key(QEvent::KeyPress, left);
    program->AboutVELTRA52->StaticText2Click();
    program->AboutVELTRA52->StaticText3Click();
    key(QEvent::KeyRelease, left);
    program->AboutVELTRA52->StaticText3Click();
    EXPECT_EQ(terminals, 1);
    EXPECT_EQ(erasures, 1);
}

TEST_F(Printing, TheTerminalSendsTheTextUnchanged) {
    TOculta& terminal = *program->Oculta;
    EXPECT_EQ(terminal.Edit1->maxLength(), 60);
    sim.clearTraffic();
    terminal.Edit1->setText("*?VE");
    terminal.EnvPregButClick();
    EXPECT_EQ(terminal.Edit2->text(), "?VEVELTRA-52 3.12\r");
    terminal.Edit1->setText("hello");
    terminal.EnvPregButClick();
    EXPECT_EQ(sim.commandsSent(), (std::vector<std::string>{"*?VE", "hello"}));

    // While an operation owns the device (an update waiting for its loader, say) the terminal
    // sends nothing and says so.
    DeviceBusy::Guard update(program->busy);
    terminal.EnvPregButClick();
    EXPECT_EQ(sim.commandsSent().size(), 2u);
    EXPECT_EQ(terminal.Edit2->text(), "");
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{messageText(message::kBusy)});
}

}  // namespace
}  // namespace veltra
