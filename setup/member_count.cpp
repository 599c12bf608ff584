#include "setup/member_count.h"

#include "game/ladder.h"
#include "game/whole_number.h"

#include <QLineEdit>

MemberCount::MemberCount(GameState &state, DrawingSurface &surface, QLineEdit *txtMember,
                         std::array<PictureButton *, 2> picUpdown, QTimer *tmrUpdown,
                         QObject *parent)
    : QObject(parent)
    , state_(state)
    , surface_(surface)
    , txtMember_(txtMember)
    , picUpdown_(picUpdown)
    , tmrUpdown_(tmrUpdown)
{
    connect(txtMember_, &QLineEdit::textChanged, this, &MemberCount::TextChanged);
}

void MemberCount::TextChanged()
{
    const auto n = whole_number::ToInt16(txtMember_->text());
    if (n)
        DrawColumns(state_, surface_, *n);
}
