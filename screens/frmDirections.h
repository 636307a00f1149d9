// The directions screen: how to use the tool, and how to reach the maker.
// The input screen's Help fills it each time; its Exit closes it.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace coredesign::gui {

class ScreenRegistry;

// A multi-line text box whose text keeps its CR LF line breaks: they show as
// one line break each and read back as CR LF.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MultiLineTextBox(QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
};

class frmDirections : public QWidget {
    Q_OBJECT
public:
    explicit frmDirections(ScreenRegistry& registry);

    MultiLineTextBox* txtHelp() const { return txtHelp_; }
    MultiLineTextBox* TxtHelp2() const { return txtHelp2_; }
    QPushButton* cmdExit() const { return cmdExit_; }

private:
    QLineEdit* text1_ = nullptr;
    MultiLineTextBox* txtHelp_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    MultiLineTextBox* txtHelp2_ = nullptr;
};

// The directions text: 23 lines, each ended by CR LF.
QString DirectionsText();
// The maker's contact text: e-mail address, then one line of telephone numbers.
QString ContactText();

// The input screen's Help: creates the directions screen if needed, writes its
// two texts, shows it (not modal, no owner) with the focus on its Exit button,
// and sets the pointer of `inputScreen` (when given) back to the normal arrow.
void ShowDirections(ScreenRegistry& registry, QWidget* inputScreen);

}  // namespace coredesign::gui
