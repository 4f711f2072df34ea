#include "ui/Fonts.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <utility>

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

// A TrueType file held in memory, with the few fields of its tables that are patched below.
class TTrueTypeFile {
public:
    explicit TTrueTypeFile(QByteArray data) : fData(std::move(data)) {}

    const QByteArray& Data() const { return fData; }

    // The offset of a table's field in the file, if the table is there and holds the field.
    std::optional<int> Field(const char* tag, int offset) const {
        if (fData.size() < 12)
            return std::nullopt;
        const int tables = U16(4);
        for (int i = 0; i < tables; ++i) {
            const int entry = 12 + 16 * i;
            if (entry + 16 > fData.size())
                break;
            if (fData.mid(entry, 4) != tag)
                continue;
            const qint64 start = U32(entry + 8);
            const qint64 length = U32(entry + 12);
            if (offset + 2 > length || start + offset + 2 > fData.size())
                return std::nullopt;
            return int(start + offset);
        }
        return std::nullopt;
    }
    // Changes a 16-bit field of a table, if the table holds it.
    void Clear(const char* tag, int offset, int bits) {
        if (const auto at = Field(tag, offset))
            Write(*at, U16(*at) & ~bits);
    }
    void Set(const char* tag, int offset, int value) {
        if (const auto at = Field(tag, offset))
            Write(*at, value);
    }

private:
    int U16(int at) const { return (uchar(fData[at]) << 8) | uchar(fData[at + 1]); }
    quint32 U32(int at) const { return (quint32(U16(at)) << 16) | quint32(U16(at + 2)); }
    void Write(int at, int value) {
        fData[at] = char((value >> 8) & 0xff);
        fData[at + 1] = char(value & 0xff);
    }

    QByteArray fData;
};

// OS/2 table: usWeightClass, fsSelection and its bits; head table: macStyle and its bold bit.
constexpr int WeightClass = 4;
constexpr int Selection = 62;
constexpr int SelectionBold = 0x20;
constexpr int UseTypoMetrics = 0x80;
constexpr int MacStyle = 44;
constexpr int MacStyleBold = 0x01;

// Wine's Tahoma files ask for their compact typographic line metrics, which give a 20-pixel font
// 20-pixel lines; without that flag the lines are the 24 pixels (28 for 23) the layout was
// designed with. Wine's bold file has the bold face's widths and outlines but strokes not much
// heavier than the regular face's; registered as a medium weight, it is what Qt picks for a bold
// Tahoma and then emboldens, so that bold captions look bold at bold Tahoma's widths.
void RegisterWineTahoma() {
    for (const QString& path : PackageFiles(QStringLiteral("fonts-wine"))) {
        const QString name = QFileInfo(path).fileName();
        if (name != u"tahoma.ttf" && name != u"tahomabd.ttf")
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        TTrueTypeFile font(file.readAll());
        font.Clear("OS/2", Selection, UseTypoMetrics);
        if (name == u"tahomabd.ttf") {
            font.Set("OS/2", WeightClass, QFont::Medium);
            font.Clear("OS/2", Selection, SelectionBold);
            font.Clear("head", MacStyle, MacStyleBold);
        }
        QFontDatabase::addApplicationFontFromData(font.Data());
    }
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
    // Unhinted outlines have the same advances under every platform plugin; the captions are laid
    // out from them (TextLayout.h).
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}
