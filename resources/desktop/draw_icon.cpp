// Draws the program's desktop icon: a wound toroidal core on a rounded tile.
// Run once after changing the drawing and commit the PNG files it writes:
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

    // The core: a thick ring, shaded from its hole outwards.
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
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    bool ok = true;
    for (int size : {48, 128, 256})
        ok = DrawIcon(size).save(folder.filePath(QStringLiteral("coredesign-%1.png").arg(size))) && ok;
    if (!ok) std::fprintf(stderr, "could not write the icons into %s\n", qPrintable(folder.path()));
    return ok ? 0 : 1;
}
