// Draws the program's own pictures: the maker's logo (519 x 111 pixels) and
// the narrow vertical side strip (35 x 400 pixels) that the screens show.
// Run once after changing a drawing and commit the PNG files it writes:
//   QT_QPA_PLATFORM=offscreen coredesign_draw_pictures <resources folder>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSteel(70, 110, 170);

QImage DrawLogo() {
    QImage image(519, 111, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A toroid seen from above: a thick ring with a narrow gap, and a few
    // turns of wire across it.
    const QPointF centre(58, 55.5);
    QRadialGradient shade(centre, 46);
    shade.setColorAt(0.55, QColor(120, 150, 200));
    shade.setColorAt(0.80, kSteel);
    shade.setColorAt(1.00, kNavy);
    QPainterPath ring;
    ring.addEllipse(centre, 46, 46);
    ring.addEllipse(centre, 24, 24);
    p.fillPath(ring, shade);
    p.setPen(QPen(kNavy, 2));
    p.drawPath(ring);
    p.setPen(QPen(QColor(184, 115, 51), 4, Qt::SolidLine, Qt::RoundCap));  // copper
    for (int k = 0; k < 7; ++k) {
        const double angle = (200 + k * 20) * 3.14159265358979 / 180;
        const QPointF inner = centre + QPointF(std::cos(angle) * 20, std::sin(angle) * 20);
        const QPointF outer = centre + QPointF(std::cos(angle) * 50, std::sin(angle) * 50);
        p.drawLine(inner, outer);
    }

    QFont name(QStringLiteral("Liberation Sans"));
    name.setPixelSize(62);
    name.setBold(true);
    name.setItalic(true);
    p.setFont(name);
    p.setPen(kNavy);
    p.drawText(QRectF(122, 2, 390, 76), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kestrova"));

    QFont line(QStringLiteral("Liberation Sans"));
    line.setPixelSize(19);
    line.setBold(true);
    line.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(line);
    p.setPen(kSteel);
    p.drawText(QRectF(126, 74, 390, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("POWDER CORES"));
    p.setPen(QPen(kSteel, 3));
    p.drawLine(QPointF(330, 89), QPointF(505, 89));
    return image;
}

QImage DrawSideStrip() {
    QImage image(35, 400, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QLinearGradient fade(0, 0, 0, 400);
    fade.setColorAt(0.0, kNavy);
    fade.setColorAt(0.6, kSteel);
    fade.setColorAt(1.0, QColor(200, 215, 235));
    p.fillRect(image.rect(), fade);
    // Two fine light lines down the strip; the screens stretch it to their
    // height, so it carries no shapes that stretching would distort.
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawLine(QPointF(8.5, 0), QPointF(8.5, 400));
    p.setPen(QPen(QColor(255, 255, 255, 70), 3));
    p.drawLine(QPointF(27.5, 0), QPointF(27.5, 400));
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    const bool ok = DrawLogo().save(folder.filePath(QStringLiteral("logo.png"))) &&
                    DrawSideStrip().save(folder.filePath(QStringLiteral("sidestrip.png")));
    if (!ok) std::fprintf(stderr, "could not write the pictures into %s\n", qPrintable(folder.path()));
    return ok ? 0 : 1;
}
