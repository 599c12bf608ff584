#pragma once

#include <QImage>
#include <QString>

// A sheet for looking at the pictures as written: every picture at 1x and
// enlarged four times on the panel blue, the icons and cursor, and the
// background with the faces placed where the window shows them.
namespace contact_sheet {

QImage Sheet(const QString &assetsDir);

} // namespace contact_sheet
