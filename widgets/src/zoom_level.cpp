#include "widgets/zoom_level.h"

void ZoomLevel::Set(units::Zoom zoom)
{
    if (zoom == current_)
        return;
    current_ = zoom;
    emit changed();
}

const ZoomLevel &ZoomLevel::Unzoomed()
{
    static const ZoomLevel unzoomed;
    return unzoomed;
}
