// The directions screen: how to use the tool, and how to reach the maker.
// The input screen's Help fills it each time; its Exit closes it.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

#include "screen_registry.h"

class QLineEdit;
class QPushButton;

namespace coredesign::gui {

// A multi-line text box whose text keeps its CR LF line breaks: they show as
// one line break each and read back as CR LF.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MultiLineTextBox(QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
};

class frmDirections : public QWidget, public FlowScreen {
    Q_OBJECT
public:
    static constexpr Screen kScreen = Screen::Directions;
    explicit frmDirections(ScreenRegistry& registry);

    // Refill, the input screen's Help: writes its two texts and puts the
    // focus on its Exit button.
    void Follow(Move move) override;

    MultiLineTextBox* txtHelp() const { return txtHelp_; }
    MultiLineTextBox* TxtHelp2() const { return txtHelp2_; }
    QPushButton* cmdExit() const { return cmdExit_; }

private:
    QLineEdit* text1_ = nullptr;
    MultiLineTextBox* txtHelp_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    MultiLineTextBox* txtHelp2_ = nullptr;
};

}  // namespace coredesign::gui
