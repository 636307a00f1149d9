// The screens' tests run the real widgets under the offscreen platform,
// with the C locale (so numbers are written with a point) and without
// Qt's debug chatter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <clocale>

namespace {
void Quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(Quiet);
    QApplication app(argc, argv);  // sets the process locale from the environment ...
    std::setlocale(LC_ALL, "C");   // ... so pin it afterwards
    QLocale::setDefault(QLocale::c());
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
