// Renders the start screen and the directions screen (as Help shows it) to
// PNG files, for the documentation:
//   QT_QPA_PLATFORM=offscreen coredesign_screenshots <folder>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "app_startup.h"
#include "design_record.h"
#include "frmDirections.h"
#include "frmEnter.h"
#include "screen_registry.h"

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
    registry.Command().ShowDirections();
    QApplication::processEvents();

    bool ok = registry.Find<coredesign::gui::frmEnter>()->grab().save(out.filePath(QStringLiteral("screen-start.png")));
    ok = registry.Find<coredesign::gui::frmDirections>()->grab().save(
             out.filePath(QStringLiteral("screen-directions.png"))) &&
         ok;
    if (!ok) std::fprintf(stderr, "could not write the pictures into %s\n", argv[1]);
    return ok ? 0 : 1;
}
