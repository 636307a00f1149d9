// The look that the screens share: colours, fonts, pictures, the ruled
// tables of the results screens, and placing windows and controls in twips.
#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPixmap>
#include <QString>
#include <initializer_list>

#include "shown_texts.h"

class QGridLayout;
class QHBoxLayout;
class QLayout;
class QLabel;
class QPushButton;

namespace coredesign::gui::look {

inline const QColor kNavy(0, 0, 128);            // captions
inline const QColor kNoteBlue(0, 0, 192);        // the results screen's notes
inline const QColor kFieldGrey(224, 224, 224);   // input fields, heading rows
inline const QColor kButtonGrey(192, 192, 192);  // button faces, a greyed core list
inline const QColor kRed(255, 0, 0);             // a value that breaks a design limit
inline const QColor kLinkBlue(0, 0, 255);
inline const QColor kLinkYellow(255, 255, 0);

// Arial at this size (Liberation Sans where Arial is not installed).
QFont Arial(double points, bool bold = false);

// Sets the colour of a widget's text in every colour group.
void SetTextColour(QWidget* widget, const QColor& colour);
// A colour the engine's models name.
QColor Colour(TextColour colour);
// Fills a widget's background with this colour.
void SetBackground(QWidget* widget, const QColor& colour);

// A label with a name, a text, a font and a colour.
QLabel* Caption(QWidget* parent, const QString& name, const QString& text, const QFont& font, const QColor& colour,
                Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// A button with a name and a caption ("&" marks the access key), sized to
// its caption, for a screen laid out by layouts.
QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, bool greyFace);

// A button with a name, a caption and a font at a place given in twips, for a
// screen whose controls stand at fixed places.
QPushButton* PlacedButton(QWidget* parent, const QString& name, const QString& caption, const QFont& font, int left,
                          int top, int width, int height);

// Puts a control at a place given in twips within its window.
void PlaceAtTwips(QWidget* control, int left, int top, int width, int height);

// A picture drawn smoothly into the widget's rectangle: stretched to it,
// scaled to fit and centred with its shape kept, or scaled to the
// rectangle's height from its left edge (its right part cut off where the
// rectangle ends).
class Picture : public QWidget {
public:
    enum class Fit { Stretch, Centred, FillHeight };
    Picture(QWidget* parent, const QString& name, const QString& resource, Fit fit = Fit::Stretch);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap pixmap_;
    Fit fit_;
};

// The maker's logo at this width (its height follows the picture's shape).
Picture* Logo(QWidget* parent, int width);
// The narrow vertical strip along a screen's left edge.
Picture* SideStrip(QWidget* parent);

// A framed white table: the cells of its grid layout stand one pixel apart
// and a thin rule is drawn in every gap between rows and between columns.
// A control spanning several cells covers the rules it spans when it fills
// its background.
class RuledTable : public QFrame {
public:
    explicit RuledTable(QWidget* parent);
    QGridLayout* Grid() const { return grid_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QGridLayout* grid_;
};

// A row of buttons, centred, 12 pixels apart.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);

// Lays a screen out as the side strip along its left edge and `body` beside
// it, the window sized to fit its contents.
void FrameWithSideStrip(QWidget* screen, QLayout* body);

// Moves a window to a place given in twips from the desktop's top-left corner.
void PlaceAtTwips(QWidget* window, int left, int top);

// Shows a window without blocking and brings it to the front.
void Present(QWidget* window);

}  // namespace coredesign::gui::look
