#include "ui/WindowIcon.h"

#include <QDir>
#include <QImageReader>
#include <algorithm>

QIcon WindowIcon(const QString& picture) {
    QStringList files{picture};
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        files.append(file.filePath());
    // Smallest first: on X11 Qt hands the sizes to the window manager in the order they were
    // added and stops at the first one too large to send (256 pixels), losing any after it.
    const auto width = [](const QString& file) { return QImageReader(file).size().width(); };
    std::sort(files.begin(), files.end(),
              [&](const QString& a, const QString& b) { return width(a) < width(b); });
    QIcon icon;
    for (const QString& file : files)
        icon.addFile(file);
    return icon;
}
