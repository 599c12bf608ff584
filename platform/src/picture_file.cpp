#include "platform/picture_file.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

namespace picture_file {

QString CannotSaveMessage(const QString &folder)
{
    return QStringLiteral("그림을 저장하지 못했습니다: %1").arg(QDir::toNativeSeparators(folder));
}

QString SavePng(const QImage &image, const QString &path)
{
    const QString failed = CannotSaveMessage(QFileInfo(path).absolutePath());
    if (image.isNull())
        return failed;
    // QSaveFile writes beside the target and renames on commit; anything
    // that went wrong on the way leaves the target as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed;
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return failed;
    }
    if (!file.commit())
        return failed;
    return {};
}

} // namespace picture_file
