#include "screen_look.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "screen_registry.h"

// The pictures live in a static library; this pulls them into the program.
static void InitPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace coredesign::gui::look {

QFont Arial(double points, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QColor Colour(TextColour colour) {
    switch (colour) {
        case TextColour::Black: return Qt::black;
        case TextColour::Navy: return kNavy;
        case TextColour::NoteBlue: return kNoteBlue;
        case TextColour::Red: return kRed;
        case TextColour::LinkBlue: return kLinkBlue;
        case TextColour::LinkYellow: return kLinkYellow;
    }
    return Qt::black;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, colour);
    widget->setPalette(palette);
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (auto role : {QPalette::Window, QPalette::Base}) palette.setColor(group, role, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* Caption(QWidget* parent, const QString& name, const QString& text, const QFont& font, const QColor& colour,
                Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText);
    SetTextColour(label, colour);
    return label;
}

QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, bool greyFace) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(Arial(9.75, true));
    button->setAutoDefault(false);
    button->setDefault(false);
    if (greyFace) {
        QPalette palette = button->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Button, kButtonGrey);
        button->setPalette(palette);
    }
    button->setMinimumHeight(28);
    button->setMinimumWidth(button->sizeHint().width() + 16);
    return button;
}

QPushButton* PlacedButton(QWidget* parent, const QString& name, const QString& caption, const QFont& font, int left,
                          int top, int width, int height) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(font);
    button->setAutoDefault(false);
    PlaceAtTwips(button, left, top, width, height);
    return button;
}

void PlaceAtTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(Twips(left), Twips(top), Twips(width), Twips(height));
}

Picture::Picture(QWidget* parent, const QString& name, const QString& resource, Fit fit) : QWidget(parent), fit_(fit) {
    InitPictures();
    setObjectName(name);
    pixmap_.load(resource);
}

void Picture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (fit_ == Fit::Stretch) {
        painter.drawPixmap(rect(), pixmap_);
        return;
    }
    if (pixmap_.isNull()) return;
    const QSizeF picture = pixmap_.size();
    if (fit_ == Fit::FillHeight) {
        const double scale = height() / picture.height();
        painter.drawPixmap(QRectF(0, 0, picture.width() * scale, height()), pixmap_, QRectF(pixmap_.rect()));
    } else {
        const QSizeF shown = picture.scaled(size(), Qt::KeepAspectRatio);
        const QPointF corner((width() - shown.width()) / 2, (height() - shown.height()) / 2);
        painter.drawPixmap(QRectF(corner, shown), pixmap_, QRectF(pixmap_.rect()));
    }
}

Picture* Logo(QWidget* parent, int width) {
    auto* logo = new Picture(parent, QStringLiteral("Picture1"), QStringLiteral(":/coredesign/logo.png"));
    logo->setFixedSize(width, width * 111 / 519);
    return logo;
}

Picture* SideStrip(QWidget* parent) {
    auto* strip = new Picture(parent, QStringLiteral("sidepic"), QStringLiteral(":/coredesign/sidestrip.png"));
    strip->setFixedWidth(35);
    strip->setMinimumHeight(200);
    strip->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return strip;
}

RuledTable::RuledTable(QWidget* parent) : QFrame(parent), grid_(new QGridLayout(this)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    SetBackground(this, Qt::white);
    grid_->setContentsMargins(1, 1, 1, 1);  // the cells keep clear of the frame at any scale
    grid_->setSpacing(1);
}

void RuledTable::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(150, 150, 150), 0));
    const QRect inside = contentsRect();
    for (int row = 1; row < grid_->rowCount(); ++row) {
        const int y = grid_->cellRect(row, 0).top() - 1;
        painter.drawLine(inside.left(), y, inside.right(), y);
    }
    for (int column = 1; column < grid_->columnCount(); ++column) {
        const int x = grid_->cellRect(0, column).left() - 1;
        painter.drawLine(x, inside.top(), x, inside.bottom());
    }
}

void PlaceAtTwips(QWidget* window, int left, int top) {
    window->move(Twips(left), Twips(top));
}

void Present(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    bool first = true;
    for (QPushButton* button : buttons) {
        if (!first) row->addSpacing(12);
        row->addWidget(button);
        first = false;
    }
    row->addStretch(1);
    return row;
}

void FrameWithSideStrip(QWidget* screen, QLayout* body) {
    auto* root = new QHBoxLayout(screen);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(SideStrip(screen));
    root->addLayout(body, 1);
    root->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace coredesign::gui::look
