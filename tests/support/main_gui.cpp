// Test main for the window tests: offscreen platform, a private runtime dir,
// pinned locale and time zone, and the program's files in a test location.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
    setenv("TZ", "UTC", 1);
    setenv("LC_ALL", "C", 1);
    tzset();
    std::setlocale(LC_ALL, "C");
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir runtime;
    setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
