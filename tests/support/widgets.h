// Finding and driving the real widgets of the screens in a test: one child
// finder that names what it could have found, one event pump, clicks.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPalette>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <stdexcept>
#include <string>
#include <vector>

namespace coredesign::gui::testing {

// The child of `parent` with this object name and type. When there is none,
// the test fails with the names that were there to be found.
template <class T = QWidget>
T& Child(const QObject& parent, const QString& name) {
    if (T* found = parent.findChild<T*>(name)) return *found;
    QStringList names;
    for (const QObject* child : parent.findChildren<QObject*>())
        if (!child->objectName().isEmpty() && !child->objectName().startsWith(QLatin1String("qt_")))
            names << child->objectName();
    names.sort();
    throw std::runtime_error("no " + std::string(T::staticMetaObject.className()) + " named '" + name.toStdString() +
                             "' in " + parent.objectName().toStdString() +
                             "; there are: " + names.join(QStringLiteral(", ")).toStdString());
}

// Delivers what is queued (focus moves, deferred deletes, the registry's
// end-of-program check); nothing is waited for.
inline void PumpEvents() {
    for (int k = 0; k < 5; ++k) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

inline std::string Str(const QString& text) {
    return text.toStdString();
}

inline QColor TextColour(const QWidget& widget, QPalette::ColorRole role = QPalette::WindowText) {
    return widget.palette().color(role);
}

inline bool Shown(const QWidget* screen) {
    return screen && screen->isVisible();
}

// The window is told it became the active one.
inline void Activate(QWidget& window) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
}

// The top-level windows of this object name, shown or not.
inline std::vector<QWidget*> TopLevels(const char* objectName) {
    std::vector<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget() && w->objectName() == QLatin1String(objectName)) found.push_back(w);
    return found;
}

inline QWidget* TopLevel(const char* objectName) {
    const std::vector<QWidget*> found = TopLevels(objectName);
    return found.empty() ? nullptr : found.front();
}

// Deletes every top-level window; deleting one may delete others (its
// pop-ups), so they are held by guarded pointers.
inline void DeleteTopLevels() {
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) windows.emplace_back(w);
    for (const QPointer<QWidget>& w : windows) delete w.data();
}

// A mouse click on the button of this name.
inline void Click(QWidget& screen, const char* button) {
    QTest::mouseClick(&Child<QAbstractButton>(screen, QString::fromUtf8(button)), Qt::LeftButton);
}

// Clicks the enabled button of this name and lets what follows run.
inline void Press(QWidget* screen, const char* button) {
    ASSERT_NE(screen, nullptr) << button;
    QAbstractButton& b = Child<QAbstractButton>(*screen, QString::fromUtf8(button));
    ASSERT_TRUE(b.isEnabled()) << button;
    b.click();
    PumpEvents();
}

}  // namespace coredesign::gui::testing
