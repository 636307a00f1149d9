// Calculates one design on the real screens, presses View Report
// and saves a picture of the viewer window showing the report, with the time
// from the click to the loaded page. Run it on a display (e.g. under
// xvfb-run) to look at the report as a designer sees it:
//   report_snapshot OUTPUT.png [--nogap] [--pick PARTNO] [--stack N] [--full]
// With --full the picture is the whole page, as tall as the report, instead
// of the viewer window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <cstdio>
#include <cstring>

#include "app_startup.h"
#include "catalogue.h"
#include "design_record.h"
#include "frmHtmlReport.h"
#include "frmResult.h"
#include "frmXls.h"
#include "screen_registry.h"
#include "viewer_plugin.h"

using namespace coredesign;
using namespace coredesign::gui;

namespace {
bool Blank(const QImage& image) {
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            if (image.pixel(x, y) != image.pixel(0, 0)) return false;
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: report_snapshot OUTPUT.png [--nogap] [--pick PARTNO] [--stack N]\n");
        return 2;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QTemporaryDir temp;
    qputenv("TEMP", temp.path().toLocal8Bit());

    DesignRecord record;
    ScreenRegistry registry(record);
    registry.SetOnEmpty([] {});
    InstallCommands(registry, [](QString&) { return &coredesign_view_report; });
    frmXls& input = registry.Get<frmXls>();
    input.show();
    bool full = false;
    for (int k = 2; k < argc; ++k) {
        if (!std::strcmp(argv[k], "--full")) {
            full = true;
        } else if (!std::strcmp(argv[k], "--nogap")) {
            input.findChild<QCheckBox*>(QStringLiteral("chkNoGap"))->click();
        } else if (!std::strcmp(argv[k], "--pick") && k + 1 < argc) {
            input.findChild<QCheckBox*>(QStringLiteral("chkPickCore"))->click();
            auto* list = input.findChild<QComboBox*>(QStringLiteral("txtCoreSize"));
            for (int i = 1; i < list->count(); ++i)
                if (PartNumberOfEntry(list->itemText(i).toStdString()) == argv[k + 1]) list->setCurrentIndex(i);
            ++k;
        } else if (!std::strcmp(argv[k], "--stack") && k + 1 < argc) {
            input.findChild<QLineEdit*>(QStringLiteral("txtStack"))->setText(QString::fromLatin1(argv[++k]));
        }
    }
    input.findChild<QPushButton*>(QStringLiteral("cmdProcess"))->click();
    frmResult* results = registry.Find<frmResult>();
    if (!results || !results->isVisible()) {
        std::fprintf(stderr, "the design did not reach the results screen\n");
        return 1;
    }

    QElapsedTimer sinceClick;
    sinceClick.start();
    results->findChild<QPushButton*>(QStringLiteral("cmdReport"))->click();
    std::printf("first View Report: viewer created and navigated %lld ms after the click\n",
                static_cast<long long>(sinceClick.elapsed()));
    frmHtmlReport* viewer = registry.Find<frmHtmlReport>();
    if (!viewer) {
        std::fprintf(stderr, "no viewer\n");
        return 1;
    }
    auto* view = viewer->findChild<QWebEngineView*>(QStringLiteral("wb"));
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    if (!loaded.wait(30000)) {
        std::fprintf(stderr, "the report did not load\n");
        return 1;
    }
    std::printf("first View Report: page loaded %lld ms after the click\n",
                static_cast<long long>(sinceClick.elapsed()));

    // The first frame follows the load: wait until the view shows more than a blank page.
    QImage picture;
    const bool drawn = QTest::qWaitFor(
        [&] {
            picture = viewer->grab().toImage();
            return !Blank(view->grab().toImage());
        },
        10000);
    std::printf("first View Report: report drawn %lld ms after the click%s\n",
                static_cast<long long>(sinceClick.elapsed()), drawn ? "" : " (still blank)");
    if (full && drawn) {
        // The whole page: the same file in a view of the same width as tall as the report.
        QVariant height;
        // (The page's own scripts are off: this runs in the viewer's script world.)
        view->page()->runJavaScript(QStringLiteral("document.documentElement.scrollHeight"),
                                    QWebEngineScript::ApplicationWorld, [&height](const QVariant& v) { height = v; });
        if (!QTest::qWaitFor([&] { return height.isValid(); }, 10000)) return 1;
        QWebEngineView page(view->page()->profile());
        page.settings()->setDefaultTextEncoding(view->settings()->defaultTextEncoding());
        page.resize(view->width(), height.toInt());
        page.show();
        QSignalSpy pageLoaded(&page, &QWebEngineView::loadFinished);
        page.load(view->url());
        if (!pageLoaded.wait(30000)) return 1;
        // Drawn when two grabs in a row agree and differ from a blank page.
        QImage previous;
        const bool settled = QTest::qWaitFor(
            [&] {
                picture = page.grab().toImage();
                const bool same = picture == previous && !Blank(picture);
                previous = picture;
                return same;
            },
            10000);
        std::printf("whole page %dx%d%s\n", picture.width(), picture.height(), settled ? "" : " (not settled)");
    }
    if (!picture.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    delete viewer;
    return drawn ? 0 : 1;
}
