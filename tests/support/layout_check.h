// Checks a screen as the designer sees it, at the scale the test runs under
// (the screens' tests run once more with QT_SCALE_FACTOR=1.5): every control
// inside its window, no control over another, no text cut off.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <vector>

#include "screen_look.h"
#include "widgets.h"

namespace coredesign::gui::testing {

inline void CheckLayout(QWidget& window) {
    window.show();
    PumpEvents();
    std::vector<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (w->isVisibleTo(&window) && !w->isWindow() &&
            (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
             qobject_cast<QComboBox*>(w) || dynamic_cast<look::Picture*>(w)))
            controls.push_back(w);
    ASSERT_GT(controls.size(), 10u);
    auto place = [&](const QWidget* w) { return QRect(w->mapTo(&window, QPoint(0, 0)), w->size()); };
    for (QWidget* w : controls) {
        SCOPED_TRACE(w->objectName().isEmpty() ? w->metaObject()->className() : Str(w->objectName()));
        EXPECT_TRUE(window.rect().contains(place(w))) << "outside its window";
        const QFontMetrics metrics(w->font());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            const QMargins m = edit->textMargins();
            EXPECT_LE(metrics.horizontalAdvance(edit->text()) + m.left() + m.right() + 4, edit->width());
            EXPECT_LE(metrics.height(), edit->height());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int k = 0; k < combo->count(); ++k)
                EXPECT_LE(metrics.horizontalAdvance(combo->itemText(k)) + 24, combo->width()) << "item " << k;
        } else if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height());  // all its lines shown
        } else {
            EXPECT_LE(w->sizeHint().width(), w->width());
            EXPECT_LE(w->sizeHint().height(), w->height());
        }
        for (QWidget* other : controls)
            EXPECT_FALSE(other < w && place(w).intersects(place(other))) << "overlaps " << Str(other->objectName());
    }
}

}  // namespace coredesign::gui::testing
