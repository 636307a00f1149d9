// The start screen: the terms of use and the disclaimer. "I Accept" goes on to
// the input screen, "Exit" leaves.
#pragma once

#include <QWidget>

#include "screen_flow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace coredesign::gui {

class ScreenRegistry;

class frmEnter : public QWidget {
    Q_OBJECT
public:
    static constexpr Screen kScreen = Screen::Start;
    // Places the screen and reads the temporary folder into the design record.
    explicit frmEnter(ScreenRegistry& registry);

private:
    void cmdProcess_Click();

    ScreenRegistry& registry_;
    QWidget* picture1_ = nullptr;
    QWidget* sidepic_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label6_ = nullptr;
    QPushButton* cmdProcess_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QLineEdit* text1_ = nullptr;
};

}  // namespace coredesign::gui
