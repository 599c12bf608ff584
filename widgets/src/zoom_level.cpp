#include "widgets/zoom_level.h"

const ZoomLevel &ZoomLevel::Unzoomed()
{
    static const ZoomLevel unzoomed;
    return unzoomed;
}
