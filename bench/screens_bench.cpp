// Timing of the desktop program's Show Results: the click on the input
// screen's Show Results to the results screen shown with the design, on the
// offscreen platform. Budget: 50 ms on the project's two-core build machine.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>

#include "design_record.h"
#include "frmResult.h"
#include "frmXls.h"
#include "screen_registry.h"
#include "seams.h"

namespace {

using namespace coredesign;
using namespace coredesign::gui;

void Settle() {
    for (int k = 0; k < 3; ++k) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// Each iteration: Show Results with the initial inputs (timed), then Reset
// Design Inputs back to the input screen (not timed), so that every click
// creates and fills the results screen afresh.
void ShowResultsClick(benchmark::State& state) {
    DesignRecord record;
    ScreenRegistry registry(record);
    registry.StandIns().message = [](const MessageBoxRequest&) {};
    frmXls& input = registry.Get<frmXls>();
    input.show();
    Settle();
    auto* process = input.findChild<QAbstractButton*>(QStringLiteral("cmdProcess"));
    for (auto _ : state) {
        process->click();
        QCoreApplication::processEvents();
        frmResult* results = registry.Find<frmResult>();
        if (!results || !results->isVisible()) {
            state.SkipWithError("the results screen did not come up");
            break;
        }
        state.PauseTiming();
        results->findChild<QAbstractButton*>(QStringLiteral("cmdExit"))->click();
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(ShowResultsClick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
