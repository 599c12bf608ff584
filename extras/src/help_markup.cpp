#include "extras/help_markup.h"

#include <QList>
#include <QString>

#include <algorithm>

namespace {

bool IsSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// A name as Qt's parser reads it: up to a space, ">", "=" or "/>". An
// entity in it would be decoded into who knows what element: such a name
// is counted as every kind of element at once.
struct Name
{
    QString text;
    bool anything = false;
};

Name ReadName(QStringView html, qsizetype &at)
{
    const qsizetype start = at;
    while (at < html.size()) {
        const QChar c = html[at];
        if (IsSpace(c) || c == u'>' || c == u'=' || (c == u'/' && html.sliced(at).startsWith(u"/>")))
            break;
        ++at;
    }
    const QStringView name = html.sliced(start, at - start);
    return Name{name.toString().toLower(), name.contains(u'&')};
}

// What stays open while the markup is read, as Qt's parser nests it.
struct Open
{
    QString name;
    bool table = false;
    int items = 0; // of a list
};

class Measurer
{
public:
    explicit Measurer(QStringView html) : html_(html) {}

    // Stops at the first cap passed: the file is refused whatever follows,
    // and the measure itself stays cheap (what is open never grows past
    // the depth cap, so every look-up in it is short).
    HelpMarkup Run()
    {
        qsizetype at = 0;
        while (at < html_.size() && shape_.Fits()) {
            const QChar c = html_[at];
            if (c == u'<') {
                at = Tag(at + 1);
            } else {
                if (c == u'{' && inStyle_ > 0)
                    ++shape_.styleRules;
                Text(IsSpace(c));
                ++at;
            }
        }
        return shape_;
    }

private:
    // An entity is counted as the characters it is written with, none of
    // them a space: "&nbsp;" does not break a line.
    void Text(bool space)
    {
        run_ = space && inNobr_ == 0 ? 0 : run_ + 1;
        shape_.unbrokenRun = std::max(shape_.unbrokenRun, run_);
    }

    // Reads the tag after "<"; returns where the text goes on. A tag ends at
    // the first ">" whatever quotes it holds, never later than where Qt's
    // parser ends it: whatever it reads in between is counted as markup too.
    qsizetype Tag(qsizetype at)
    {
        while (at < html_.size() && IsSpace(html_[at]))
            ++at;
        const qsizetype end = html_.indexOf(u'>', at);
        const qsizetype next = end < 0 ? html_.size() : end + 1;
        if (at < html_.size() && html_[at] == u'!')
            return next; // a comment or a declaration (see the class comment)
        if (at < html_.size() && html_[at] == u'/') {
            ++at;
            Close(ReadName(html_, at));
            return next;
        }
        const Name name = ReadName(html_, at);
        if (name.text.isEmpty())
            return next;
        // Closed by "/>" right after the name, or after attributes without
        // quotes or entities (with them, Qt may read further than this
        // measure does).
        const QStringView rest = html_.sliced(at, next - at);
        const bool closed = rest.startsWith(u"/>")
                            || (!rest.contains(u'"') && !rest.contains(u'\'') && !rest.contains(u'&')
                                && rest.trimmed().endsWith(u"/>"));
        Start(name, closed);
        return next;
    }

    void Start(const Name &name, bool closed)
    {
        const QString &n = name.text;
        if (IsBlock(n))
            run_ = 0;
        if (n == u"td" || n == u"th") {
            if (Find({QStringLiteral("tr")}) < 0) {
                Push(QStringLiteral("table"));
                Push(QStringLiteral("tr"));
            }
            PopTo({QStringLiteral("tr")});
        } else if (n == u"tr") {
            if (Find({QStringLiteral("table")}) < 0)
                Push(QStringLiteral("table"));
            PopTo({QStringLiteral("table"), QStringLiteral("thead"), QStringLiteral("tbody"),
                   QStringLiteral("tfoot")});
        } else if (n == u"thead" || n == u"tbody" || n == u"tfoot" || n == u"caption") {
            PopTo({QStringLiteral("table")});
        } else if (n == u"dd") {
            PopTo({QStringLiteral("dt"), QStringLiteral("dl")});
        } else if (n == u"dt") {
            PopTo({QStringLiteral("dl")});
        } else if ((n == u"p" || n == u"li") && !open_.isEmpty() && open_.last().name == n) {
            Pop();
        }
        if (n == u"td" || n == u"th" || name.anything)
            ++shape_.cells;
        if (n == u"li" || name.anything) {
            const qsizetype list = Find({QStringLiteral("ul"), QStringLiteral("ol")});
            if (list >= 0)
                shape_.listItems = std::max(shape_.listItems, ++open_[list].items);
        }
        if (n == u"img" || name.anything)
            ++shape_.images;
        const bool empty = n == u"br" || n == u"hr" || n == u"img" || n == u"meta";
        if (empty || closed) {
            shape_.depth = std::max(shape_.depth, int(open_.size()) + 1);
            return;
        }
        Push(n, n == u"table" || name.anything);
    }

    void Close(const Name &name)
    {
        if (IsBlock(name.text))
            run_ = 0;
        const qsizetype at = Find({name.text});
        if (at < 0 || name.anything)
            return;
        while (open_.size() > at)
            Pop();
    }

    static bool IsBlock(const QString &n)
    {
        static const QStringList kBlocks{
            QStringLiteral("br"), QStringLiteral("p"),     QStringLiteral("div"),
            QStringLiteral("li"), QStringLiteral("td"),    QStringLiteral("th"),
            QStringLiteral("tr"), QStringLiteral("table"), QStringLiteral("ul"),
            QStringLiteral("ol"), QStringLiteral("dl"),    QStringLiteral("dt"),
            QStringLiteral("dd"), QStringLiteral("hr"),    QStringLiteral("pre"),
            QStringLiteral("h1"), QStringLiteral("h2"),    QStringLiteral("h3"),
            QStringLiteral("h4"), QStringLiteral("h5"),    QStringLiteral("h6"),
            QStringLiteral("blockquote")};
        return kBlocks.contains(n);
    }

    // The innermost open element with one of these names, or -1.
    qsizetype Find(std::initializer_list<QString> names) const
    {
        for (qsizetype i = open_.size() - 1; i >= 0; --i) {
            if (std::find(names.begin(), names.end(), open_[i].name) != names.end())
                return i;
        }
        return -1;
    }

    // Closes what is open inside the innermost of these, or everything.
    void PopTo(std::initializer_list<QString> names)
    {
        const qsizetype keep = Find(names) + 1;
        while (open_.size() > keep)
            Pop();
    }

    void Push(const QString &name, bool table = false)
    {
        inStyle_ += name == u"style";
        inNobr_ += name == u"nobr";
        open_.append(Open{name, table || name == u"table", 0});
        tables_ += open_.last().table;
        shape_.depth = std::max(shape_.depth, int(open_.size()));
        shape_.tableDepth = std::max(shape_.tableDepth, tables_);
    }

    void Pop()
    {
        tables_ -= open_.last().table;
        inStyle_ -= open_.last().name == u"style";
        inNobr_ -= open_.last().name == u"nobr";
        open_.removeLast();
    }

    QStringView html_;
    HelpMarkup shape_;
    QList<Open> open_;
    int tables_ = 0;
    int inStyle_ = 0;
    int inNobr_ = 0; // spaces inside <nobr> do not break a line
    int run_ = 0;
};

} // namespace

HelpMarkup HelpMarkup::Measure(QStringView html)
{
    return Measurer(html).Run();
}

bool HelpMarkup::Fits() const
{
    return depth <= kMaxDepth && tableDepth <= kMaxTableDepth && cells <= kMaxCells
           && listItems <= kMaxListItems && styleRules <= kMaxStyleRules
           && unbrokenRun <= kMaxUnbrokenRun && images <= kMaxImages;
}
