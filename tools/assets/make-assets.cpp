// Draws the program's two pictures, the arrow shown beside the stepping controls and the window
// icon, and writes them as PNG files into the folder given on the command line (assets/). The
// build compiles this tool but does not run it: the PNGs are committed.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>

namespace {

// The arrow's outline path, along the middle of its 32-pixel outline: a tail sweeping in from the
// upper left, bending down into the shaft, and a wide head pointing down at x = 256.
QPainterPath ArrowPath() {
    QPainterPath path;
    path.moveTo(96, 32);
    // Outer bend: a quarter ellipse about (96, 200) from the tail's top to the shaft's right edge.
    path.arcTo(QRectF(96 - 239, 200 - 168, 2 * 239, 2 * 168), 90, -90);
    path.lineTo(335, 314);
    path.lineTo(414, 314);
    path.lineTo(256, 479);
    path.lineTo(98, 314);
    path.lineTo(176, 314);
    path.lineTo(176, 200);
    // Inner bend, back up to the tail's lower end.
    path.arcTo(QRectF(96 - 80, 200 - 70, 2 * 80, 2 * 70), 0, 90);
    path.closeSubpath();
    return path;
}

QImage Arrow() {
    QImage image(512, 512, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = ArrowPath();
    // Two flat blues, split at x = 256; the outline covers the fill's antialiased edge.
    painter.setPen(Qt::NoPen);
    painter.setClipRect(0, 0, 256, 512);
    painter.fillPath(path, QColor(66, 165, 245));
    painter.setClipRect(256, 0, 256, 512);
    painter.fillPath(path, QColor(63, 152, 224));
    painter.setClipping(false);
    painter.strokePath(path,
                       QPen(QColor(33, 33, 33), 32, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return image;
}

// The window icon: four coloured tiles behind a stair-step wave.
QImage Icon() {
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor tiles[] = {{66, 165, 245}, {255, 193, 7}, {76, 175, 80}, {233, 30, 99}};
    for (int i = 0; i < 4; ++i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(tiles[i]);
        painter.drawRoundedRect(QRectF(2 + (i % 2) * 23, 2 + (i / 2) * 23, 21, 21), 4, 4);
    }
    QPainterPath stairs;
    const int levels[] = {30, 18, 10, 14, 26, 38, 34};
    stairs.moveTo(4, levels[0]);
    for (int i = 1; i < 7; ++i) {
        stairs.lineTo(4 + i * 6.7, levels[i - 1]);
        stairs.lineTo(4 + i * 6.7, levels[i]);
    }
    stairs.lineTo(44, levels[6]);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(33, 33, 33), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(stairs);
    painter.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(stairs);
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool ok = Arrow().save(folder + QStringLiteral("/arrow.png"), "PNG") &&
                    Icon().save(folder + QStringLiteral("/icon.png"), "PNG");
    if (!ok)
        std::fprintf(stderr, "%s: cannot write the pictures into %s\n", argv[0], argv[1]);
    return ok ? 0 : 1;
}
