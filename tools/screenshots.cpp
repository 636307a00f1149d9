// Renders the start screen, the directions screen (as Help shows it), the
// results screen of a stacked Pick Core design and its Inductance Curve
// window to PNG files, for the documentation:
//   QT_QPA_PLATFORM=offscreen coredesign_screenshots <folder>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

#include "app_startup.h"
#include "design_record.h"
#include "frmDirections.h"
#include "frmEnter.h"
#include "frmInductanceCurve.h"
#include "frmResult.h"
#include "frmXls.h"
#include "screen_registry.h"

namespace {

// Pick Core with 6218TXGP, two cores stacked, at 150 degC ambient (the total
// temperature marked), Show Results, then Inductance Curve.
bool ShowDesignAndCurve(coredesign::gui::ScreenRegistry& registry) {
    auto& input = registry.Get<coredesign::gui::frmXls>();
    input.show();
    input.findChild<QCheckBox*>(QStringLiteral("chkPickCore"))->click();
    auto* list = input.findChild<QComboBox*>(QStringLiteral("txtCoreSize"));
    for (int k = 0; k < list->count(); ++k)
        if (list->itemText(k).startsWith(QLatin1String("6218TXGP"))) list->setCurrentIndex(k);
    input.findChild<QLineEdit*>(QStringLiteral("txtStack"))->setText(QStringLiteral("2"));
    input.findChild<QLineEdit*>(QStringLiteral("txtAmbientTemp"))->setText(QStringLiteral("150"));
    registry.StandIns().message = [](const coredesign::gui::MessageBoxRequest&) {};  // the temperature message
    input.findChild<QPushButton*>(QStringLiteral("cmdProcess"))->click();
    auto* results = registry.Find<coredesign::gui::frmResult>();
    if (!results || !results->isVisible()) return false;
    results->findChild<QPushButton*>(QStringLiteral("cmdCurve"))->click();
    QApplication::processEvents();
    return registry.Find<coredesign::gui::frmInductanceCurve>() != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    coredesign::DesignRecord record;
    coredesign::gui::ScreenRegistry registry(record);
    registry.SetOnEmpty([] {});
    coredesign::gui::StartApplication(registry);
    registry.Carry(registry.Flow().Command(coredesign::FlowCommand::Help));
    QApplication::processEvents();

    bool ok = registry.Find<coredesign::gui::frmEnter>()->grab().save(out.filePath(QStringLiteral("screen-start.png")));
    ok = registry.Find<coredesign::gui::frmDirections>()->grab().save(
             out.filePath(QStringLiteral("screen-directions.png"))) &&
         ok;
    ok = ShowDesignAndCurve(registry) &&
         registry.Find<coredesign::gui::frmResult>()->grab().save(out.filePath(QStringLiteral("screen-results.png"))) &&
         registry.Find<coredesign::gui::frmInductanceCurve>()->grab().save(
             out.filePath(QStringLiteral("screen-curve.png"))) &&
         ok;
    if (!ok) std::fprintf(stderr, "could not write the pictures into %s\n", argv[1]);
    return ok ? 0 : 1;
}
