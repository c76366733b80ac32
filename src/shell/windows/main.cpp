// Start-up of the VELTRA-52 companion program.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <unistd.h>
#endif
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <csignal>
#include <cstdio>
#include <iostream>

#include "language/Language.h"
#include "language/WindowTexts.h"
#include "link/Link.h"
#include "shell/CommandLine.h"
#include "shell/windows/Program.h"
#include "shell/windows/QtUserPrompts.h"
#include "sim/StartInstrument.h"
#include "text/Files.h"
#include "widgets/Pictures.h"
#include "widgets/QtText.h"
#include "widgets/WindowStyle.h"
#ifdef VELTRA_START_PROBE
#include "QuitWhenPainted.h"
#endif

namespace {

// A text for the person who started the program: its help, its version, why it cannot start.
// On Windows the windows' program has no console of its own: the text goes where its output
// was sent, else to the console it was started from, else into a message box.
void Tell(const std::string& text, bool error) {
#ifdef _WIN32
    FILE* stream = error ? stderr : stdout;
    const HANDLE handle = ::GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    const bool sent =
        handle && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
    if (sent || (::AttachConsole(ATTACH_PARENT_PROCESS) &&
                 std::freopen("CONOUT$", "w", stream) != nullptr)) {
        if (!sent) ::SetConsoleOutputCP(CP_UTF8);
        std::fputs(text.c_str(), stream);
        std::fflush(stream);
        return;
    }
    const std::wstring wide = QString::fromStdString(text).toStdWString();
    ::MessageBoxW(nullptr, wide.c_str(), L"VELTRA-52 Software",
                  MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
#else
    (error ? std::cerr : std::cout) << text << std::flush;
#endif
}

#ifndef _WIN32
int g_signalPipe[2] = {-1, -1};

void OnPlugSignal(int) {
    const char byte = 1;
    [[maybe_unused]] auto n = ::write(g_signalPipe[1], &byte, 1);
}

// SIGUSR1 unplugs the simulated instrument or plugs it in again, as a hand on the cable would.
void InstallPlugToggle(veltra::sim::Simulator& simulator, QObject* owner) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [&simulator] {
        char byte;
        [[maybe_unused]] auto n = ::read(g_signalPipe[0], &byte, 1);
        simulator.setPlugged(!simulator.plugged());
    });
    std::signal(SIGUSR1, OnPlugSignal);
}
#endif

std::vector<std::string> Arguments(const QStringList& list) {
    std::vector<std::string> arguments;
    for (qsizetype i = 1; i < list.size(); ++i)
        arguments.push_back(veltra::fromQt(list[i]));
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace veltra;
    {
        std::vector<std::string> raw(argv + 1, argv + argc);
        const CommandLine early = ParseCommandLine(raw);
        if (early.help) {
            Tell(HelpText("veltra52"), false);
            return 0;
        }
        if (early.version) {
            Tell(std::string(kVersionLabel) + "\n", false);
            return 0;
        }
    }

    QApplication app(argc, argv);
    const CommandLine commandLine = ParseCommandLine(Arguments(QCoreApplication::arguments()));
    if (!commandLine.error.empty()) {
        Tell("veltra52: " + commandLine.error + "\n" + HelpText("veltra52"), true);
        return 2;
    }
    QApplication::setApplicationName("veltra52");
    QApplication::setApplicationDisplayName(kApplicationTitle);

    Outcome<StartedInstrument> instrument =
        StartInstrument({commandLine.simulate, commandLine.simulateFolder, commandLine.traceFile});
    if (!instrument) {
        Tell("veltra52: " + instrument.detail() + "\n", true);
        return 2;
    }
    HidBackend& device = instrument->device();
    sim::Simulator* simulator = instrument->simulator();

    const std::string programFolder = fromQt(QCoreApplication::applicationDirPath());
    const std::string dataFolder =
        ChooseDataFolder(programFolder, static_cast<bool>(CanWriteInFolder(programFolder)),
                         fromQt(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    QDir().mkpath(toQt(dataFolder));
    Language language(programFolder, dataFolder);
    QtUserPrompts prompts;
    std::unique_ptr<Program> program;
    std::unique_ptr<Link> link;
    try {
        QApplication::setWindowIcon(QIcon(LoadPicture(language.imagesFolder() + "veltra52.ico")));
        link = std::make_unique<Link>(device);
        program = std::make_unique<Program>(language, *link, prompts);
        prompts.setParentWindow(program->Form1.get());
        prompts.setTexts(&language.table());
        program->Form1->setCommandLineFile(commandLine.firmwareFile);
        if (simulator) {
            TForm1* form = program->Form1.get();
            simulator->setDeviceChangeCallback([form] {
                QMetaObject::invokeMethod(form, &TForm1::AppMessage, Qt::QueuedConnection);
            });
#ifndef _WIN32
            InstallPlugToggle(*simulator, form);
#endif
        }
        CentreOnScreen(program->Form1.get());
#ifdef VELTRA_START_PROBE
        new bench::QuitWhenPainted(*program->Form1);  // the start-up benchmark's build
#endif
        program->Form1->show();
        program->Form1->AlExecutar();
    } catch (const std::exception& error) {
        std::cerr << "veltra52: " << error.what() << "\n";
        ShowFrameworkError(error);
        return 1;
    }
    const int status = app.exec();
    program.reset();
    return status;
}
