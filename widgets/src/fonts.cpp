#include "widgets/fonts.h"

#include <QStringList>

namespace fonts {

void RegisterKoreanSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("굴림"),
                               {QStringLiteral("Gulim"), QStringLiteral("NanumGothic"),
                                QStringLiteral("NanumBarunGothic"),
                                QStringLiteral("Noto Sans CJK KR"),
                                QStringLiteral("Malgun Gothic"),
                                QStringLiteral("Apple SD Gothic Neo")});
}

QFont Gulim(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("굴림"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace fonts
