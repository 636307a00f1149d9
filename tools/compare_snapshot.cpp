// Presses Compare Cores on the real input screen, waits until the window
// shows its table and chart, and prints the time from the click to the drawn
// window: the first click (the window created), then later Refresh clicks.
// Saves a picture of the window and one of the input screen:
//   compare_snapshot [OUTPUT_FOLDER] [--repeat N] [--worst]
// --worst compares the inputs at which most rows run to the bound of
// inductance passes (10000 H at 0.1 mA, fill factor .9).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app_startup.h"
#include "design_record.h"
#include "frmCompareCores.h"
#include "frmXls.h"
#include "screen_registry.h"

using namespace coredesign;
using namespace coredesign::gui;

namespace {

// Milliseconds from the click on `button` to the window drawn with the new
// table and chart, and of those the drawing alone.
struct ClickTime {
    double total = -1, drawing = 0;
};

ClickTime TimeClick(QPushButton& button, ScreenRegistry& registry) {
    QElapsedTimer clock;
    clock.start();
    button.click();
    frmCompareCores* window = registry.Find<frmCompareCores>();
    if (!window) return {};
    if (window->Busy()) {
        QSignalSpy shown(window, &frmCompareCores::ComparisonShown);
        if (!shown.wait(10000)) return {};
    }
    const qint64 drawn = clock.nsecsElapsed();
    window->repaint();  // the table and the chart drawn
    return {static_cast<double>(clock.nsecsElapsed()) / 1e6, static_cast<double>(clock.nsecsElapsed() - drawn) / 1e6};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString folder;
    int repeat = 10;
    bool worst = false;
    for (int k = 1; k < argc; ++k) {
        if (!std::strcmp(argv[k], "--repeat") && k + 1 < argc)
            repeat = std::atoi(argv[++k]);
        else if (!std::strcmp(argv[k], "--worst"))
            worst = true;
        else
            folder = QString::fromLocal8Bit(argv[k]);
    }
    QTemporaryDir temp;
    qputenv("TEMP", temp.path().toLocal8Bit());
    DesignRecord record;
    ScreenRegistry registry(record);
    registry.SetOnEmpty([] {});
    InstallCommands(registry);
    frmXls& input = registry.Get<frmXls>();
    input.show();
    if (worst) {
        input.findChild<QLineEdit*>(QStringLiteral("txtInductance"))->setText(QStringLiteral("10000"));
        input.findChild<QLineEdit*>(QStringLiteral("txtDCCurrent"))->setText(QStringLiteral(".0001"));
        input.findChild<QLineEdit*>(QStringLiteral("txtFill_Factor"))->setText(QStringLiteral(".9"));
    }
    QApplication::processEvents();

    auto* compare = input.findChild<QPushButton*>(QStringLiteral("cmdCompare"));
    const ClickTime first = TimeClick(*compare, registry);
    auto* window = registry.Find<frmCompareCores>();
    if (first.total < 0 || !window) {
        std::fprintf(stderr, "compare_snapshot: the window did not show a comparison\n");
        return 1;
    }
    std::vector<ClickTime> later;
    auto* refresh = window->findChild<QPushButton*>(QStringLiteral("cmdRefresh"));
    for (int k = 0; k < repeat; ++k) later.push_back(TimeClick(*refresh, registry));
    std::sort(later.begin(), later.end(), [](const ClickTime& a, const ClickTime& b) { return a.total < b.total; });
    std::printf("first click to table and chart: %.1f ms (drawing %.1f ms)\n", first.total, first.drawing);
    if (!later.empty())
        std::printf("Refresh to table and chart: median %.1f ms (drawing %.1f ms), range %.1f-%.1f ms (%d clicks)\n",
                    later[later.size() / 2].total, later[later.size() / 2].drawing, later.front().total,
                    later.back().total, repeat);
    std::printf("rows shown: %d of %zu\n", window->findChild<QTableView*>()->model()->rowCount(),
                window->Shown()->rows.size());

    if (!folder.isEmpty()) {
        const QDir out(folder);
        bool ok = window->grab().save(out.filePath(QStringLiteral("screen-compare.png")));
        ok = input.grab().save(out.filePath(QStringLiteral("screen-input.png"))) && ok;
        if (!ok) {
            std::fprintf(stderr, "compare_snapshot: could not write the pictures into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
