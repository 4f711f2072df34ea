// Draws the program's pictures, the arrow shown beside the stepping controls and the window icon
// at each size that desktops ask for, and writes them as PNG files into the folder given on the
// command line (assets/). The build compiles this tool but does not run it: the PNGs are committed.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int IconSizes[] = {16, 32, 48, 64, 128, 256};

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

// The window icon, drawn afresh for each size rather than scaled from one picture, so that every
// edge falls on the pixel grid: four coloured tiles behind a stair-step wave. The smaller sizes
// have fewer stairs, since seven of them would run into a smudge there.
QImage Icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = size / 48.0; // the design is laid out on 48 x 48
    const auto pixels = [unit](double design) {
        return static_cast<int>(std::lround(design * unit));
    };

    // The tiles' margin and the gap between them, whole pixels, with the gap widened by one where
    // the tiles could otherwise not be equal.
    const int margin = std::max(1, pixels(2));
    int gap = std::max(1, pixels(2));
    gap += (size - 2 * margin - gap) % 2;
    const int tile = (size - 2 * margin - gap) / 2;
    const QColor tiles[] = {{66, 165, 245}, {255, 193, 7}, {76, 175, 80}, {233, 30, 99}};
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(tiles[i]);
        painter.drawRoundedRect(
            QRectF(margin + (i % 2) * (tile + gap), margin + (i / 2) * (tile + gap), tile, tile),
            4 * unit, 4 * unit);
    }

    // A dark stroke with a white core; below three pixels the core would blur the stroke away.
    const int outer = std::max(2, pixels(3.5 + 0.5 / unit));
    const int core = outer >= 3 ? std::max(1, pixels(1.5)) : 0;
    const std::vector<int> levels = size >= 48 ? std::vector<int>{30, 18, 10, 14, 26, 38, 34}
                                               : std::vector<int>{30, 10, 26, 38};
    // An odd stroke width is centred on a pixel's middle, an even one on a pixel edge.
    const double offset = outer % 2 ? 0.5 : 0.0;
    const int left = pixels(4), right = size - pixels(4);
    const int count = static_cast<int>(levels.size());
    QPainterPath stairs;
    const auto at = [&](int step, int level) {
        return QPointF(left + std::lround(double(right - left) * step / count) + offset,
                       pixels(level) + offset);
    };
    stairs.moveTo(at(0, levels[0]));
    for (int i = 1; i < count; ++i) {
        stairs.lineTo(at(i, levels[i - 1]));
        stairs.lineTo(at(i, levels[i]));
    }
    stairs.lineTo(at(count, levels[count - 1]));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(33, 33, 33), outer, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(stairs);
    if (core > 0) {
        painter.setPen(QPen(Qt::white, core, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(stairs);
    }
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = Arrow().save(folder + QStringLiteral("/arrow.png"), "PNG");
    // The window's own icon is the 48-pixel one, icon.png; the other sizes are for the desktop's
    // menus, docks and software centres.
    for (const int size : IconSizes) {
        const QString name =
            size == 48 ? QStringLiteral("/icon.png") : QStringLiteral("/icon-%1.png").arg(size);
        ok = Icon(size).save(folder + name, "PNG") && ok;
    }
    if (!ok)
        std::fprintf(stderr, "%s: cannot write the pictures into %s\n", argv[0], argv[1]);
    return ok ? 0 : 1;
}
