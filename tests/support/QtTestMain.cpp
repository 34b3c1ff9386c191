#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // Qt's settings too, away from the user's

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
