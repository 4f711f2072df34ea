#include "ui/WindowIcon.h"

#include <QDir>
#include <QFileInfo>

QIcon WindowIcon() {
    QIcon icon(QStringLiteral(":/icon.png"));
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        icon.addFile(file.filePath());
    return icon;
}
