// The main of every GUI test: one application under the offscreen platform
// (with the web engine's shared OpenGL contexts) on a screen of a common
// desktop's size, the C locale for number texts, and no debug chatter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QLoggingCategory>
#include <QTemporaryFile>
#include <clocale>
#include <cstdio>

namespace {
// The offscreen platform warns about what it cannot do; nothing else is dropped.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    for (const char* expected : {"This plugin does not support", "WebEngineContext used before",
                                 "GL Type:", "No suitable graphics backend", "XDG_RUNTIME_DIR"})
        if (message.contains(QLatin1String(expected))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietMessages);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's own screen is 800 pixels wide, narrower than
    // the Compare Cores window: the tests' screen is 1920 by 1080 at 96 dpi.
    QTemporaryFile screen;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screen.open()) {
        screen.write(R"({"synchronousWindowSystemEvents": false, "windowFrameMargins": true, "screens": [{"name":
            "OffscreenScreen", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96,
            "logicalBaseDpi": 96, "dpr": 1}]})");
        screen.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screen.fileName()));
    }
    // The report viewer's web engine refuses its sandbox when run as root.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\nqt.qpa.*=false\nqt.webenginecontext=false"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
