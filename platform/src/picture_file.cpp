#include "platform/picture_file.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

namespace picture_file {

Outcome SavePng(const QImage &image, const QString &path)
{
    const Outcome failed{Outcome::Kind::PictureNotSaved, QFileInfo(path).absolutePath()};
    if (image.isNull())
        return failed;
    // QSaveFile writes beside the target and renames over it on commit
    // (never writing into the target itself); anything that went wrong on
    // the way leaves the target as it was.
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
    return {Outcome::Kind::Saved, path};
}

} // namespace picture_file
