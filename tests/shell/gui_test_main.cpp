// The shell tests' main: one application under the offscreen platform, the C
// locale for number texts, and no debug chatter.
#include <QApplication>
#include <QLocale>
#include <QLoggingCategory>

#include <clocale>
#include <cstdio>

#include <gtest/gtest.h>

namespace {
// The offscreen platform warns about what it cannot do; nothing else is dropped.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("This plugin does not support"))) return;
    if (type == QtDebugMsg) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\nqt.qpa.*=false"));
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
