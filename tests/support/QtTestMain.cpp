// Test entry for window tests: an offscreen QApplication around GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Remembered window places and limits go to a folder of the run, not the user's.
    char config[] = "/tmp/veltra52-test-config-XXXXXX";
    if (mkdtemp(config)) setenv("XDG_CONFIG_HOME", config, 1);
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
