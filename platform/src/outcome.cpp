#include "platform/outcome.h"

#include "platform/messages.h"

#include <QDir>

bool Outcome::MadeASheet() const
{
    return kind == Kind::Printed || kind == Kind::Unconfirmed || kind == Kind::StandInShown
           || kind == Kind::StandInSaved;
}

void Tell(Messages &messages, const Outcome &outcome)
{
    const QString where = QDir::toNativeSeparators(outcome.detail);
    switch (outcome.kind) {
    case Outcome::Kind::Printed:
    case Outcome::Kind::StandInShown:
    case Outcome::Kind::Saved:
    case Outcome::Kind::SamePress:
    case Outcome::Kind::Cancelled:
        return;
    case Outcome::Kind::Unconfirmed:
        messages.Inform(QStringLiteral("결과표를 프린터로 보냈지만 인쇄를 확인하지 못했습니다. 프린터를 확인하세요."));
        return;
    case Outcome::Kind::StandInSaved:
        messages.Inform(QStringLiteral("결과표를 PDF로 저장했습니다: %1").arg(where));
        return;
    case Outcome::Kind::Refused:
        messages.Inform(outcome.detail);
        return;
    case Outcome::Kind::PrinterFailure:
        messages.Inform(QStringLiteral("프린터 설정이 잘못되었습니다"));
        return;
    case Outcome::Kind::SheetNotSaved:
        messages.Warn(QStringLiteral("결과표를 PDF로 저장하지 못했습니다: %1").arg(where));
        return;
    case Outcome::Kind::PictureNotSaved:
        messages.Warn(QStringLiteral("그림을 저장하지 못했습니다: %1").arg(where));
        return;
    case Outcome::Kind::TableNotSaved:
        messages.Warn(QStringLiteral("지난 게임을 CSV로 저장하지 못했습니다: %1").arg(where));
        return;
    case Outcome::Kind::NoFolder:
        messages.Warn(QStringLiteral("결과표를 저장할 폴더를 만들 수 없습니다: %1").arg(where));
        return;
    case Outcome::Kind::NoFreeName:
        messages.Warn(QStringLiteral("결과표 PDF의 이름을 정할 수 없습니다 (같은 이름이 모두 있습니다): %1").arg(where));
        return;
    }
}
