#include "ui/Fonts.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>
#include <algorithm>

namespace {

const QString Tahoma = QStringLiteral("Tahoma");

bool Known(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

// The files a Debian package installed, as dpkg lists them; none when it is not installed.
QStringList PackageFiles(const QString& package) {
    QFile list(QStringLiteral("/var/lib/dpkg/info/%1.list").arg(package));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList files;
    while (!list.atEnd()) {
        const QString path = QString::fromUtf8(list.readLine()).trimmed();
        if (QFileInfo(path).isFile())
            files.append(path);
    }
    return files;
}

// Debian's fonts-wine installs Wine's copy of Tahoma in a folder that fontconfig does not scan, so
// the files are looked up in the package's own file list. Only the regular face is taken: Wine's
// bold file has bold widths but regular-weight strokes, whereas the regular face emboldened by the
// rasteriser looks like the real bold.
void RegisterWineTahoma() {
    for (const QString& file : PackageFiles(QStringLiteral("fonts-wine")))
        if (QFileInfo(file).fileName() == u"tahoma.ttf")
            QFontDatabase::addApplicationFont(file);
}

} // namespace

QString LayoutFontFamily() {
    static const QString family = [] {
        // A Tahoma that fontconfig already knows comes first.
        if (Known(Tahoma))
            return Tahoma;
        RegisterWineTahoma();
        if (Known(Tahoma))
            return Tahoma;
        for (const char* other : {"DejaVu Sans", "Liberation Sans", "Arial"})
            if (QFontDatabase::families().contains(QString::fromLatin1(other)))
                return QString::fromLatin1(other);
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

QFont LayoutFont(int pixelSize, bool bold) {
    QFont font(LayoutFontFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(bold);
    return font;
}
