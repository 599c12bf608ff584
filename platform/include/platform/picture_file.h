#pragma once

#include "platform/outcome.h"

#include <QString>

class QImage;

// Saving a picture as a PNG file that is either complete or not there at
// all: it is written to a temporary file beside the target and renamed over
// it only once every byte is on disk, so a file that was there stays whole
// whatever fails on the way.
namespace picture_file {

// Saves image at path, in place of a file there: Saved at path, or
// PictureNotSaved naming path's folder.
Outcome SavePng(const QImage &image, const QString &path);

} // namespace picture_file
