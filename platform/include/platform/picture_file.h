#pragma once

#include <QString>

class QImage;

// Saving a picture as a PNG file that is either complete or not there at
// all: it is written to a temporary file beside the target and renamed
// only once every byte is on disk.
namespace picture_file {

// The message when a picture cannot be saved in folder.
QString CannotSaveMessage(const QString &folder);

// Saves image at path, replacing a file there. Returns an empty string on
// success, else CannotSaveMessage naming the target's folder.
QString SavePng(const QImage &image, const QString &path);

} // namespace picture_file
