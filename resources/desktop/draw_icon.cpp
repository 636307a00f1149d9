// Draws the program's desktop icon, a wound toroidal core on a rounded tile,
// and the icon of its design files, the same core on a page with a folded
// corner. Run once after changing the drawing and commit the PNG files it
// writes:
//   QT_QPA_PLATFORM=offscreen coredesign_draw_icon <resources/desktop folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

// The wound core in a 256 x 256 square: a thick ring, shaded from its hole
// outwards, with copper turns across it over most of its circumference.
void DrawCore(QPainter& p) {
    const QPointF centre(128, 128);
    QRadialGradient shade(centre, 96);
    shade.setColorAt(0.50, QColor(130, 160, 210));
    shade.setColorAt(0.80, QColor(70, 110, 170));
    shade.setColorAt(1.00, QColor(0, 0, 128));
    QPainterPath ring;
    ring.addEllipse(centre, 96, 96);
    ring.addEllipse(centre, 46, 46);
    p.setPen(Qt::NoPen);
    p.fillPath(ring, shade);

    // The winding: copper turns across the ring over most of its circumference.
    p.setPen(QPen(QColor(184, 115, 51), 9, Qt::SolidLine, Qt::RoundCap));
    constexpr double kPi = 3.14159265358979;
    for (int turn = 0; turn < 13; ++turn) {
        const double angle = kPi * (0.75 + turn * 1.5 / 12);
        const QPointF inner(centre.x() + 40 * std::cos(angle), centre.y() - 40 * std::sin(angle));
        const QPointF outer(centre.x() + 104 * std::cos(angle), centre.y() - 104 * std::sin(angle));
        p.drawLine(inner, outer);
    }
}

QImage DrawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);

    // The tile.
    QLinearGradient tile(0, 0, 0, 256);
    tile.setColorAt(0, QColor(235, 241, 250));
    tile.setColorAt(1, QColor(196, 210, 232));
    p.setPen(QPen(QColor(0, 0, 128), 6));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
    DrawCore(p);
    return image;
}

// The design file's icon: a page with its top right corner folded over,
// the program's core drawn smaller on it.
QImage DrawDesignFileIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);

    const QColor navy(0, 0, 128);
    QPainterPath page;
    page.moveTo(40, 10);
    page.lineTo(166, 10);
    page.lineTo(216, 60);
    page.lineTo(216, 246);
    page.lineTo(40, 246);
    page.closeSubpath();
    QLinearGradient paper(0, 0, 0, 256);
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(222, 230, 242));
    p.setPen(QPen(navy, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(paper);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(166, 10);
    fold.lineTo(166, 60);
    fold.lineTo(216, 60);
    fold.closeSubpath();
    p.setBrush(QColor(196, 210, 232));
    p.drawPath(fold);

    p.translate(128, 146);
    p.scale(0.62, 0.62);
    p.translate(-128, -128);
    DrawCore(p);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    bool ok = true;
    for (int size : {48, 128, 256}) {
        ok = DrawIcon(size).save(folder.filePath(QStringLiteral("coredesign-%1.png").arg(size))) && ok;
        ok = DrawDesignFileIcon(size).save(folder.filePath(QStringLiteral("coredesign-design-%1.png").arg(size))) && ok;
    }
    if (!ok) std::fprintf(stderr, "could not write the icons into %s\n", qPrintable(folder.path()));
    return ok ? 0 : 1;
}
