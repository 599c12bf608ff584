#include "platform/registry_format.h"

#include <array>
#include <optional>

namespace registry_format {

namespace {

constexpr QByteArrayView kMagic = "KapunaRegistry";
constexpr int kVersion = 1;
constexpr QByteArrayView kEnd = "end";

struct TypeName
{
    quint32 type;
    QByteArrayView name;
};

constexpr std::array<TypeName, 9> kTypeNames = {{
    {0, "REG_NONE"},
    {1, "REG_SZ"},
    {2, "REG_EXPAND_SZ"},
    {3, "REG_BINARY"},
    {4, "REG_DWORD"},
    {5, "REG_DWORD_BIG_ENDIAN"},
    {6, "REG_LINK"},
    {7, "REG_MULTI_SZ"},
    {11, "REG_QWORD"},
}};

bool MustEscape(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7f || c == '%' || c == '=';
}

void AppendEscaped(QByteArray &out, QByteArrayView bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : bytes) {
        if (MustEscape(c)) {
            const auto b = static_cast<unsigned char>(c);
            out.append('%');
            out.append(kHex[b >> 4]);
            out.append(kHex[b & 0xf]);
        } else {
            out.append(c);
        }
    }
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Nothing for a "%" not followed by two hex digits. A byte that should have
// been escaped but was not is accepted: hand edits are allowed to be sloppy
// as long as they stay unambiguous.
std::optional<QByteArray> Unescape(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.append(text[i]);
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int hi = HexDigit(text[i + 1]);
        const int lo = HexDigit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out.append(char((hi << 4) | lo));
        i += 2;
    }
    return out;
}

std::optional<quint32> ParseType(QByteArrayView token)
{
    for (const TypeName &t : kTypeNames) {
        if (token == t.name)
            return t.type;
    }
    // A decimal number of at most ten digits, checked before it is trusted.
    if (token.isEmpty() || token.size() > 10)
        return std::nullopt;
    quint64 n = 0;
    for (const char c : token) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + quint64(c - '0');
    }
    if (n > 0xffffffffu)
        return std::nullopt;
    return quint32(n);
}

QByteArray TypeToken(quint32 type)
{
    for (const TypeName &t : kTypeNames) {
        if (t.type == type)
            return t.name.toByteArray();
    }
    return QByteArray::number(type);
}

// The version number of a header line "KapunaRegistry N", or nothing.
std::optional<int> HeaderVersion(QByteArrayView line)
{
    if (!line.startsWith(kMagic) || line.size() < kMagic.size() + 2
        || line[kMagic.size()] != ' ')
        return std::nullopt;
    const QByteArrayView digits = line.sliced(kMagic.size() + 1);
    if (digits.size() > 6)
        return std::nullopt;
    int n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

Parsed Corrupt()
{
    return {Status::Corrupt, {}};
}

} // namespace

Parsed Parse(QByteArrayView bytes)
{
    // Every line, the last included, ends with LF; anything after the last
    // LF is a line cut short.
    if (bytes.isEmpty() || bytes.back() != '\n')
        return Corrupt();

    RegistryTree tree;
    bool sawHeader = false;
    bool sawEnd = false;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', pos);
        QByteArrayView line = bytes.sliced(pos, lf - pos);
        pos = lf + 1;
        if (line.endsWith('\r'))
            line.chop(1);

        if (!sawHeader) {
            const std::optional<int> version = HeaderVersion(line);
            if (!version || *version < 1)
                return Corrupt();
            if (*version > kVersion)
                return {Status::NewerVersion, {}};
            sawHeader = true;
            continue;
        }
        if (sawEnd)
            return Corrupt(); // the end line must be the last
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line == kEnd) {
            sawEnd = true;
            continue;
        }

        if (line.startsWith('[')) {
            if (!line.endsWith(']') || line.size() < 2)
                return Corrupt();
            const std::optional<QByteArray> path = Unescape(line.sliced(1, line.size() - 2));
            if (!path || !tree.AddKey(QString::fromUtf8(*path)))
                return Corrupt();
            continue;
        }

        const qsizetype space = line.indexOf(' ');
        if (space < 0)
            return Corrupt();
        const std::optional<quint32> type = ParseType(line.first(space));
        const QByteArrayView rest = line.sliced(space + 1);
        const qsizetype equals = rest.indexOf('=');
        if (!type || equals < 0)
            return Corrupt();
        const std::optional<QByteArray> name = Unescape(rest.first(equals));
        std::optional<QByteArray> data = Unescape(rest.sliced(equals + 1));
        if (!name || !data)
            return Corrupt();
        if (!tree.AddValueToLastKey({QString::fromUtf8(*name), *type, std::move(*data)}))
            return Corrupt();
    }
    if (!sawEnd)
        return Corrupt();
    return {Status::Ok, std::move(tree)};
}

QByteArray Serialize(const RegistryTree &tree)
{
    QByteArray out = kMagic.toByteArray() + ' ' + QByteArray::number(kVersion) + '\n';
    for (const RegistryTree::Key &key : tree.Keys()) {
        out.append('[');
        AppendEscaped(out, key.path.toUtf8());
        out.append("]\n");
        for (const RegistryTree::Value &value : key.values) {
            out.append(TypeToken(value.type));
            out.append(' ');
            AppendEscaped(out, value.name.toUtf8());
            out.append('=');
            AppendEscaped(out, value.data);
            out.append('\n');
        }
    }
    out.append(kEnd.toByteArray() + '\n');
    return out;
}

} // namespace registry_format
