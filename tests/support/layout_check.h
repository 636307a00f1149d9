// Checks a screen as the designer sees it, at the scale the test runs under
// (the screens' tests run once more with QT_SCALE_FACTOR=1.5): every control
// inside its window, no control over another, no text cut off. With
// COREDESIGN_SCREENSHOT_DIR set, the screen is also written there as PNG.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <string>
#include <vector>

#include "screen_look.h"
#include "widgets.h"

namespace coredesign::gui::testing {

inline std::string Describe(const QWidget* w) {
    std::string name = Str(w->objectName());
    if (name.empty()) name = w->metaObject()->className();
    if (auto* label = qobject_cast<const QLabel*>(w)) name += " \"" + Str(label->text()) + "\"";
    return name;
}

// Texts must fit their controls.
inline void ExpectNotClipped(const QWidget* w) {
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        const QMargins margins = edit->textMargins();
        const int needed =
            QFontMetrics(edit->font()).horizontalAdvance(edit->text()) + margins.left() + margins.right() + 4;
        EXPECT_LE(needed, edit->width()) << Describe(w);
        EXPECT_LE(QFontMetrics(edit->font()).height(), edit->height()) << Describe(w);
    } else if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        for (int k = 0; k < combo->count(); ++k)
            EXPECT_LE(QFontMetrics(combo->font()).horizontalAdvance(combo->itemText(k)) + 24, combo->width())
                << Describe(w) << " item " << k;
    } else {
        const QSize hint = w->sizeHint();
        EXPECT_LE(hint.width(), w->width()) << Describe(w);
        EXPECT_LE(hint.height(), w->height()) << Describe(w);
    }
}

inline void CheckAndRender(QWidget& window, const char* file) {
    window.show();
    PumpEvents();
    std::vector<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->isWindow()) continue;
        if (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QComboBox*>(w) || dynamic_cast<look::Picture*>(w))
            controls.push_back(w);
    }
    ASSERT_GT(controls.size(), 10u);
    const QRect inside = window.rect();
    std::vector<QRect> places;
    for (QWidget* w : controls) {
        const QRect place(w->mapTo(&window, QPoint(0, 0)), w->size());
        EXPECT_TRUE(inside.contains(place)) << Describe(w) << " lies outside its window";
        ExpectNotClipped(w);
        places.push_back(place);
    }
    for (size_t a = 0; a < controls.size(); ++a)
        for (size_t b = a + 1; b < controls.size(); ++b)
            EXPECT_FALSE(places[a].intersects(places[b]))
                << Describe(controls[a]) << " overlaps " << Describe(controls[b]);

    const QPixmap picture = window.grab();
    ASSERT_FALSE(picture.isNull());
    const QByteArray folder = qgetenv("COREDESIGN_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(QDir().mkpath(QString::fromLocal8Bit(folder)));
        EXPECT_TRUE(picture.save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromUtf8(file))));
    }
}

}  // namespace coredesign::gui::testing
