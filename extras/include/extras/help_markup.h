#pragma once

#include <QStringView>

// The shape of a help file's markup, told before the text browser parses a
// byte of it. The byte cap bounds the file, not the work: Qt's HTML parser
// spends time in proportion to the depth of every element, a table is laid
// out afresh for every table around it (2,000 nested tables froze the
// window; 8,700 overflowed the stack), the items of one list cost in
// proportion to their square, and so do the characters of a line that has
// nowhere to break and the pictures of one paragraph; style rules are
// matched against every element. Each of these is measured here and capped;
// a file beyond any cap is not shown. The caps were chosen by timing files
// at them (bench_help); the help the program ships is far inside them.
//
// The measure follows how Qt's parser nests what it reads (an unclosed
// element stays open, a closing tag closes up to its element, a paragraph
// or list item does not open inside one of its kind, a cell or row opens
// inside the nearest row or table, "/>" closes what it ends), and where it
// cannot be sure it counts more, never less: a tag ends at its first ">"
// and a comment too, so what follows inside quotes or a comment is read as
// markup; a name with an entity in it counts as every kind of element; and
// only <br>, <hr>, <img> and <meta> are taken as empty.
struct HelpMarkup
{
    static constexpr int kMaxDepth = 32;
    static constexpr int kMaxTableDepth = 2;
    static constexpr int kMaxCells = 1500;
    static constexpr int kMaxListItems = 128;
    static constexpr int kMaxStyleRules = 48;
    static constexpr int kMaxUnbrokenRun = 4096;
    static constexpr int kMaxImages = 256;

    // The deepest nesting of elements.
    int depth = 0;
    // The deepest nesting of tables.
    int tableDepth = 0;
    // Table cells, in all tables together.
    int cells = 0;
    // The items of the longest list.
    int listItems = 0;
    // Rules ("{") of the style sheets written in the file.
    int styleRules = 0;
    // The longest run of text with no space, line break or block boundary
    // in it (an entity counts as the characters it is written with; spaces
    // inside <nobr> do not count).
    int unbrokenRun = 0;
    // <img> elements: pictures in one paragraph cost in proportion to the
    // square of their number, whatever their size.
    int images = 0;

    // Read up to the first cap it passes, or to its end.
    static HelpMarkup Measure(QStringView html);

    // Within every cap.
    bool Fits() const;
};
