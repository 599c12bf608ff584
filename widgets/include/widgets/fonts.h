#pragma once

#include <QFont>

// "굴림" is the font every text of the game asks for. Where it is not
// installed it resolves to an installed Korean font, so no Korean text ever
// shows as empty boxes.
namespace fonts {

void RegisterKoreanSubstitutes();
QFont Gulim(qreal pointSize, bool bold = false);

} // namespace fonts
