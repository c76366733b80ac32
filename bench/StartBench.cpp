// Start-up, from exec to exit: the command line's "veltra52-cli --simulate info" (language file,
// simulated instrument, the identity queries) beside a C++ program that does nothing; the
// windows' program on the simulated instrument until its main window is painted (every window
// created, the start step's queries) beside Qt's application with one main window. The windows
// run on the display of DISPLAY, else on Qt's offscreen platform (QT_QPA_PLATFORM chooses).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;

namespace {

void Run(benchmark::State& state, std::vector<const char*> argv) {
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", 1, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", 1, 0);
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], &quiet, nullptr, const_cast<char**>(argv.data()),
                        environ) != 0) {
            state.SkipWithError("cannot start the program");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&quiet);
}

void BareStart(benchmark::State& state) {
    Run(state, {VELTRA_BARE_START});
}
BENCHMARK(BareStart)->Unit(benchmark::kMillisecond);

void CliInfo(benchmark::State& state) {
    Run(state, {VELTRA_CLI, "--simulate", "info"});
}
BENCHMARK(CliInfo)->Unit(benchmark::kMillisecond);

void BareWindow(benchmark::State& state) {
    Run(state, {VELTRA_BARE_WINDOW});
}
BENCHMARK(BareWindow)->Unit(benchmark::kMillisecond);

void WindowsStart(benchmark::State& state) {
    Run(state, {VELTRA_WINDOWS, "--simulate"});
}
BENCHMARK(WindowsStart)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
