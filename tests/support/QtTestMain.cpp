// Test entry for window tests: an offscreen QApplication around GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Remembered window places and limits go to a folder of the run, not the user's.
    char config[] = "/tmp/veltra52-test-config-XXXXXX";
    if (mkdtemp(config)) setenv("XDG_CONFIG_HOME", config, 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
