// Test entry for window tests: an offscreen QApplication around GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace {
void SetVariable(const char* name, const std::string& value, bool replace) {
    if (!replace && std::getenv(name)) return;
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}
}  // namespace

int main(int argc, char** argv) {
    SetVariable("QT_QPA_PLATFORM", "offscreen", false);
    // Remembered window places and limits go to a folder of the run, not the user's (on
    // Windows they live in the registry of the wine prefix the tests run in).
    const std::filesystem::path config =
        std::filesystem::temp_directory_path() /
        ("veltra52-test-config-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(config);
    SetVariable("XDG_CONFIG_HOME", config.string(), true);
    int status = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
    }
    std::error_code ec;
    std::filesystem::remove_all(config, ec);
    return status;
}
