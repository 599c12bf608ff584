#pragma once

#include <QValidator>

class QLineEdit;

// Caps a text box at a number of characters as a reader counts them: a
// Hangul syllable, a letter with its accents, a surrogate pair, an emoji with
// its skin tone or a whole joined emoji sequence each count once. Whatever
// arrives (a key, a paste, an input method's commit, setText) is cut back at
// a character boundary, so no half of a character is ever stored. What
// overflows is dropped from the text just put in, before the cursor; the
// text that was there stays. What is typed next at the place of a dropped
// character and only joins the character before it (a skin tone, a joiner,
// an accent typed after its emoji or letter) is dropped with it: typed one
// code point at a time, a refused emoji leaves nothing of itself behind.
class GraphemeLimit : public QValidator
{
    Q_OBJECT

public:
    GraphemeLimit(int limit, QObject *parent);

    // Gives `box` the limit; the box's own limit, which counts UTF-16 units
    // and would split a pair, is lifted.
    static void Apply(QLineEdit *box, int limit);

    static int Count(const QString &text);

    int Limit() const { return limit_; }

    State validate(QString &input, int &pos) const override;

private:
    // Whether `input` is the text the last refusal left with something
    // typed at the refused place that joins the character before it.
    bool ContinuesRefused(const QString &input, int pos) const;

    int limit_;
    // The text as the last refusal left it and where the cursor then
    // stood; refusedAt_ is -1 when the last change was no refusal.
    mutable QString refusedText_;
    mutable int refusedAt_ = -1;
};
