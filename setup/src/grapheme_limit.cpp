#include "setup/grapheme_limit.h"

#include <QLineEdit>
#include <QTextBoundaryFinder>

namespace {

// QLineEdit's own default: in effect no limit of its own.
constexpr int kNoUnitLimit = 32767;

} // namespace

GraphemeLimit::GraphemeLimit(int limit, QObject *parent)
    : QValidator(parent)
    , limit_(limit)
{
}

void GraphemeLimit::Apply(QLineEdit *box, int limit)
{
    box->setMaxLength(kNoUnitLimit);
    box->setValidator(new GraphemeLimit(limit, box));
}

int GraphemeLimit::Count(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

bool GraphemeLimit::ContinuesRefused(const QString &input, int pos) const
{
    const qsizetype added = input.size() - refusedText_.size();
    if (refusedAt_ <= 0 || added <= 0 || pos != refusedAt_ + added
        || QStringView(input).left(refusedAt_) != QStringView(refusedText_).left(refusedAt_)
        || QStringView(input).mid(pos) != QStringView(refusedText_).mid(refusedAt_))
        return false;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, input);
    finder.setPosition(refusedAt_);
    return !finder.isAtBoundary();
}

QValidator::State GraphemeLimit::validate(QString &input, int &pos) const
{
    if (refusedAt_ >= 0) {
        // The box checks again what the refusal left: nothing changed.
        if (input == refusedText_)
            return Acceptable;
        if (ContinuesRefused(input, pos)) {
            input = refusedText_;
            pos = refusedAt_;
            return Acceptable;
        }
        refusedAt_ = -1;
    }
    int excess = Count(input) - limit_;
    if (excess <= 0)
        return Acceptable;
    // The characters just put in end at the cursor: drop the last of them.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, input);
    finder.setPosition(std::clamp<qsizetype>(pos, 0, input.size()));
    int end = int(finder.position());
    if (end == 0)
        end = int(input.size());
    finder.setPosition(end);
    int start = end;
    while (excess > 0 && start > 0) {
        start = int(finder.toPreviousBoundary());
        --excess;
    }
    input.remove(start, end - start);
    pos = start;
    // Anything left over lies after the cursor (text that was already too
    // long): keep the first characters.
    if (excess > 0) {
        finder = QTextBoundaryFinder(QTextBoundaryFinder::Grapheme, input);
        for (int kept = 0; kept < limit_; ++kept)
            finder.toNextBoundary();
        input.truncate(finder.position());
        pos = std::min(pos, int(input.size()));
    }
    refusedText_ = input;
    refusedAt_ = pos;
    return Acceptable;
}
