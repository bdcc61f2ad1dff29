#include "project/ObjectTextReader.h"

#include "project/ObjectTextWriter.h"
#include "util/Cp1253.h"

#include <QChar>

#include <limits>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// Deep enough for any real file; stops hostile input such as thousands of
// "(" from exhausting the stack.
constexpr int MaxDepth = 200;

struct ParseError {
    QString reason;
    int line;
};

struct Stop {};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

class Parser {
public:
    Parser(QByteArrayView data, ObjectTextHandler &handler)
        : m_s(data.data()), m_n(data.size()), m_handler(handler), m_cp1253(!data.isValidUtf8())
    {
        if (!m_cp1253 && data.startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
    }

    ObjectTextReadStatus run()
    {
        ObjectTextReadStatus status;
        try {
            skipSpace();
            if (atEnd())
                fail(u"No object found"_s);
            while (!atEnd()) {
                readObject(0);
                m_handler.consumed(m_pos);
                skipSpace();
            }
            status.ok = true;
        } catch (const ParseError &e) {
            status.errorLine = e.line;
            status.error = u"%1 on line %2"_s.arg(e.reason).arg(e.line);
        } catch (const Stop &) {
            status.stopped = true;
        }
        return status;
    }

private:
    [[noreturn]] void fail(const QString &reason) { throw ParseError{reason, m_line}; }

    bool atEnd() const { return m_pos >= m_n; }
    char peek() const { return m_pos < m_n ? m_s[m_pos] : '\0'; }
    ObjectTextSpan span(qsizetype start) const { return {QByteArrayView(m_s + start, m_pos - start), m_cp1253}; }

    // The character at pos and the number of bytes it takes. The text was checked to be
    // valid UTF-8 unless it is read as Windows-1253.
    char32_t charAt(qsizetype pos, int *length) const
    {
        const auto b = uchar(m_s[pos]);
        *length = 1;
        if (b < 0x80 || m_cp1253)
            return Cp1253::toUnicode(b);
        const int n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        if (pos + n > m_n)
            return QChar::ReplacementCharacter;
        char32_t c = b & (0x7F >> n);
        for (int i = 1; i < n; ++i)
            c = (c << 6) | (uchar(m_s[pos + i]) & 0x3F);
        *length = n;
        return c;
    }

    // Letters and digits outside the Basic Multilingual Plane do not count, as they
    // never did when the text was read in UTF-16 units.
    static bool isLetter(char32_t c) { return c < 0x10000 && QChar::isLetter(c); }
    static bool isLetterOrNumber(char32_t c) { return c < 0x10000 && QChar::isLetterOrNumber(c); }
    static bool asciiIdentChar(char c)
    {
        return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c);
    }
    bool identStartAt(qsizetype pos) const
    {
        if (pos >= m_n)
            return false;
        if (uchar(m_s[pos]) < 0x80)
            return asciiIdentChar(m_s[pos]) && !isDigit(m_s[pos]);
        int len = 0;
        const char32_t c = charAt(pos, &len);
        return c == u'_' || isLetter(c);
    }
    // The length of the identifier character at pos, 0 when there is none.
    int identCharAt(qsizetype pos) const
    {
        if (pos >= m_n)
            return 0;
        if (uchar(m_s[pos]) < 0x80)
            return asciiIdentChar(m_s[pos]) ? 1 : 0;
        int len = 0;
        const char32_t c = charAt(pos, &len);
        return c == u'_' || isLetterOrNumber(c) ? len : 0;
    }

    void skipSpace()
    {
        while (m_pos < m_n) {
            const auto c = uchar(m_s[m_pos]);
            if (c == '\n') {
                ++m_line;
            } else if (c == '\r') {
                if (m_pos + 1 >= m_n || m_s[m_pos + 1] != '\n')
                    ++m_line;  // a lone CR ends a line too
            } else if (c > ' ' || c == 0) {
                return;
            }
            ++m_pos;
        }
    }

    void expect(char c, const QString &reason)
    {
        skipSpace();
        if (peek() != c)
            fail(reason);
        ++m_pos;
    }

    // True when the identifier at the read position is keyword (any case).
    bool keywordAhead(const char *keyword) const
    {
        qsizetype i = 0;
        for (; keyword[i]; ++i)
            if (m_pos + i >= m_n || lower(m_s[m_pos + i]) != keyword[i])
                return false;
        return identCharAt(m_pos + i) == 0;
    }

    bool objectKeywordAhead() const
    {
        return keywordAhead("object") || keywordAhead("inherited") || keywordAhead("inline");
    }

    ObjectTextSpan readIdent()
    {
        if (!identStartAt(m_pos))
            fail(u"Identifier expected"_s);
        const qsizetype start = m_pos;
        while (const int len = identCharAt(m_pos))
            m_pos += len;
        return span(start);
    }

    // Names such as Margins.Left and frmVimsel.keloBlock__7.
    ObjectTextSpan readDottedIdent()
    {
        const qsizetype start = m_pos;
        readIdent();
        while (peek() == '.') {
            ++m_pos;
            readIdent();
        }
        return span(start);
    }

    int readIndex()
    {
        // Called at "["
        ++m_pos;
        skipSpace();
        const ObjectTextValueView v = readNumber();
        bool ok = false;
        const qint64 index = v.toInt(&ok);
        if (!ok || index < 0 || index > std::numeric_limits<int>::max())
            fail(u"Invalid index"_s);
        expect(']', u"']' expected"_s);
        return int(index);
    }

    void readObject(int depth)
    {
        if (depth > MaxDepth)
            fail(u"Objects nested too deeply"_s);
        ObjectTextHeader header;
        header.depth = depth;
        header.line = m_line;
        if (!objectKeywordAhead())
            fail(u"'object' expected"_s);
        header.keyword = readIdent();
        skipSpace();
        const ObjectTextSpan first = readDottedIdent();
        skipSpace();
        if (peek() == ':') {
            ++m_pos;
            skipSpace();
            header.name = first;
            header.className = readDottedIdent();
            skipSpace();
        } else {
            header.className = first;
        }
        if (peek() == '[')
            header.index = readIndex();
        if (!m_handler.beginObject(header))
            throw Stop{};
        for (;;) {
            skipSpace();
            if (atEnd())
                fail(u"'end' expected"_s);
            if (keywordAhead("end")) {
                m_pos += 3;
                if (!m_handler.endObject())
                    throw Stop{};
                return;
            }
            if (objectKeywordAhead()) {
                readObject(depth + 1);
            } else {
                const int line = m_line;
                const ObjectTextSpan name = readDottedIdent();
                expect('=', u"'=' expected"_s);
                skipSpace();
                const ObjectTextValueView value = readValue(depth + 1);
                if (!m_handler.property(name, value, line))
                    throw Stop{};
            }
        }
    }

    ObjectTextProperty readNestedProperty(int depth)
    {
        ObjectTextProperty property;
        property.line = m_line;
        property.name = readDottedIdent().toString();
        expect('=', u"'=' expected"_s);
        skipSpace();
        property.value = readValue(depth + 1).toValue();
        return property;
    }

    ObjectTextValueView readValue(int depth)
    {
        if (depth > MaxDepth)
            fail(u"Values nested too deeply"_s);
        const char c = peek();
        if (c == '-' || isDigit(c))
            return readNumber();
        if (c == '$')
            return readHexNumber();
        if (c == '\'' || c == '#')
            return readString();
        if (c == '[')
            return compound(readSet());
        if (c == '(')
            return compound(readList(depth));
        if (c == '{')
            return compound(readBinary());
        if (c == '<')
            return compound(readCollection(depth));
        if (identStartAt(m_pos)) {
            ObjectTextValueView v;
            v.kind = ObjectTextValue::Kind::Ident;
            v.span = readDottedIdent();
            return v;
        }
        fail(atEnd() ? u"Property value expected"_s : u"Invalid property value"_s);
    }

    ObjectTextValueView compound(ObjectTextValue value)
    {
        m_compound = std::move(value);
        ObjectTextValueView v;
        v.kind = m_compound.kind();
        v.compound = &m_compound;
        return v;
    }

    void skipDigits()
    {
        while (m_pos < m_n && isDigit(m_s[m_pos]))
            ++m_pos;
    }

    // 12, -3, 1.5, 2.5E-3, and the type suffixes s, d, c, f of floats.
    ObjectTextValueView readNumber()
    {
        if (peek() == '$')
            return readHexNumber();
        const qsizetype start = m_pos;
        if (peek() == '-')
            ++m_pos;
        if (!isDigit(peek()))
            fail(u"Number expected"_s);
        skipDigits();
        bool isFloat = false;
        if (peek() == '.') {
            isFloat = true;
            ++m_pos;
            skipDigits();
        }
        if (peek() == 'e' || peek() == 'E') {
            isFloat = true;
            ++m_pos;
            if (peek() == '+' || peek() == '-')
                ++m_pos;
            if (!isDigit(peek()))
                fail(u"Invalid floating-point number"_s);
            skipDigits();
        }
        const qsizetype numberEnd = m_pos;
        const char suffix = lower(peek());
        if (suffix == 's' || suffix == 'd' || suffix == 'c' || suffix == 'f') {
            if (identCharAt(m_pos + 1) == 0) {
                isFloat = true;
                ++m_pos;
            }
        }
        const QByteArrayView number(m_s + start, numberEnd - start);
        ObjectTextValueView v;
        if (isFloat) {
            bool ok = false;
            v.kind = ObjectTextValue::Kind::Float;
            v.floating = number.toDouble(&ok);
            if (!ok)
                fail(u"Invalid floating-point number"_s);
            v.span = span(start);
            return v;
        }
        const bool negative = number.front() == '-';
        // Magnitudes up to 2^63, the most a negative number may have.
        constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max()) + 1;
        quint64 magnitude = 0;
        for (const char d : number.sliced(negative ? 1 : 0)) {
            if (magnitude > (limit - quint64(d - '0')) / 10)
                fail(u"Integer out of range"_s);
            magnitude = magnitude * 10 + quint64(d - '0');
        }
        if (!negative && magnitude == limit)
            fail(u"Integer out of range"_s);
        v.kind = ObjectTextValue::Kind::Integer;
        v.integer = negative ? qint64(0 - magnitude) : qint64(magnitude);
        return v;
    }

    // $FF; up to 64 bits, the highest bit giving a negative number.
    ObjectTextValueView readHexNumber()
    {
        ++m_pos;
        quint64 value = 0;
        int digits = 0;
        for (int d; m_pos < m_n && (d = hexValue(m_s[m_pos])) >= 0; ++m_pos, ++digits)
            value = (value << 4) | quint64(d);
        if (digits == 0)
            fail(u"Invalid hexadecimal number"_s);
        if (digits > 16)
            fail(u"Integer out of range"_s);
        ObjectTextValueView v;
        v.kind = ObjectTextValue::Kind::Integer;
        v.integer = qint64(value);
        return v;
    }

    // Quoted runs and # codes written next to each other, several such groups
    // joined by "+" with white space and line breaks around it.
    ObjectTextValueView readString()
    {
        m_string.clear();
        for (;;) {
            readStringPieces();
            skipSpace();
            if (peek() != '+')
                break;
            ++m_pos;
            skipSpace();
            if (peek() != '\'' && peek() != '#')
                fail(u"String expected"_s);
        }
        ObjectTextValueView v;
        v.kind = ObjectTextValue::Kind::String;
        v.string = QStringView(m_string.data(), qsizetype(m_string.size()));
        return v;
    }

    void readStringPieces()
    {
        while (peek() == '\'' || peek() == '#') {
            if (peek() == '\'')
                readQuotedRun();
            else
                readCharCode();
        }
    }

    void appendBytes(qsizetype from, qsizetype to)
    {
        const QByteArrayView bytes(m_s + from, to - from);
        bool ascii = true;
        for (const char c : bytes)
            ascii = ascii && uchar(c) < 0x80;
        if (ascii) {
            m_string.append(bytes.begin(), bytes.end());
            return;
        }
        const QString decoded = m_cp1253 ? Cp1253::decode(bytes) : QString::fromUtf8(bytes);
        m_string.append(reinterpret_cast<const char16_t *>(decoded.utf16()), size_t(decoded.size()));
    }

    void readQuotedRun()
    {
        ++m_pos;
        qsizetype chunk = m_pos;
        for (;;) {
            if (m_pos >= m_n || m_s[m_pos] == '\n' || m_s[m_pos] == '\r')
                fail(u"Unterminated string"_s);
            if (m_s[m_pos] == '\'') {
                appendBytes(chunk, m_pos);
                ++m_pos;
                if (peek() != '\'')
                    return;
                // Two apostrophes inside a run stand for one.
                chunk = m_pos;
            }
            ++m_pos;
        }
    }

    void readCharCode()
    {
        ++m_pos;
        quint32 code = 0;
        int digits = 0;
        if (peek() == '$') {
            ++m_pos;
            for (int d; m_pos < m_n && (d = hexValue(m_s[m_pos])) >= 0 && code <= 0x10FFFF;
                 ++m_pos, ++digits)
                code = code * 16 + quint32(d);
        } else {
            for (; m_pos < m_n && isDigit(m_s[m_pos]) && code <= 0x10FFFF; ++m_pos, ++digits)
                code = code * 10 + quint32(m_s[m_pos] - '0');
        }
        if (digits == 0 || code > 0x10FFFF)
            fail(u"Invalid character code"_s);
        if (code > 0xFFFF) {
            m_string.push_back(QChar::highSurrogate(code));
            m_string.push_back(QChar::lowSurrogate(code));
        } else {
            m_string.push_back(char16_t(code));
        }
    }

    ObjectTextValue readSet()
    {
        ++m_pos;
        QStringList elements;
        skipSpace();
        if (peek() == ']') {
            ++m_pos;
            return ObjectTextValue::set(elements);
        }
        for (;;) {
            skipSpace();
            elements.append(readIdent().toString());
            skipSpace();
            if (peek() == ']') {
                ++m_pos;
                return ObjectTextValue::set(elements);
            }
            if (peek() != ',')
                fail(u"']' expected"_s);
            ++m_pos;
        }
    }

    ObjectTextValue readList(int depth)
    {
        ++m_pos;
        QList<ObjectTextValue> items;
        for (;;) {
            skipSpace();
            if (peek() == ')') {
                ++m_pos;
                return ObjectTextValue::list(items);
            }
            if (atEnd())
                fail(u"')' expected"_s);
            items.append(readValue(depth + 1).toValue());
        }
    }

    ObjectTextValue readBinary()
    {
        ++m_pos;
        QByteArray bytes;
        for (;;) {
            skipSpace();
            if (peek() == '}') {
                ++m_pos;
                return ObjectTextValue::binary(bytes);
            }
            if (atEnd())
                fail(u"'}' expected"_s);
            const int high = hexValue(peek());
            const int low = m_pos + 1 < m_n ? hexValue(m_s[m_pos + 1]) : -1;
            if (high < 0 || low < 0)
                fail(u"Invalid binary value"_s);
            bytes.append(char(high << 4 | low));
            m_pos += 2;
        }
    }

    ObjectTextValue readCollection(int depth)
    {
        ++m_pos;
        QList<ObjectTextCollectionItem> items;
        for (;;) {
            skipSpace();
            if (peek() == '>') {
                ++m_pos;
                return ObjectTextValue::collection(items);
            }
            if (!keywordAhead("item"))
                fail(atEnd() ? u"'>' expected"_s : u"'item' expected"_s);
            m_pos += 4;
            ObjectTextCollectionItem item;
            skipSpace();
            if (peek() == '[')
                item.index = readIndex();
            for (;;) {
                skipSpace();
                if (atEnd())
                    fail(u"'end' expected"_s);
                if (keywordAhead("end")) {
                    m_pos += 3;
                    break;
                }
                item.properties.append(readNestedProperty(depth + 1));
            }
            items.append(item);
        }
    }

    const char *m_s;
    qsizetype m_n;
    ObjectTextHandler &m_handler;
    bool m_cp1253;
    qsizetype m_pos = 0;
    int m_line = 1;
    std::u16string m_string;     // the string value being read, reused
    ObjectTextValue m_compound;  // the compound value being handed over
};

// Builds the tree of ObjectTextReader::parse.
class TreeBuilder : public ObjectTextHandler {
public:
    bool beginObject(const ObjectTextHeader &h) override
    {
        ObjectTextObject object;
        object.keyword = h.keyword.toString().toLower();
        object.name = h.name.toString();
        object.className = h.className.toString();
        object.index = h.index;
        object.line = h.line;
        m_open.append(object);
        return true;
    }
    bool property(const ObjectTextSpan &name, const ObjectTextValueView &value, int line) override
    {
        m_open.last().properties.append(ObjectTextProperty{name.toString(), value.toValue(), line});
        return true;
    }
    bool endObject() override
    {
        ObjectTextObject done = m_open.takeLast();
        if (m_open.isEmpty())
            objects.append(std::move(done));
        else
            m_open.last().children.append(std::move(done));
        return true;
    }

    QList<ObjectTextObject> objects;

private:
    QList<ObjectTextObject> m_open;
};

} // namespace

QString ObjectTextSpan::toString() const
{
    if (isAscii())
        return QString::fromLatin1(bytes);
    return cp1253 ? Cp1253::decode(bytes) : QString::fromUtf8(bytes);
}

bool ObjectTextSpan::isAscii() const
{
    for (const char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

bool ObjectTextSpan::equalsIgnoringCase(QLatin1StringView other) const
{
    if (bytes.size() != other.size())
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (lower(bytes[i]) != lower(other[i].toLatin1()))
            return false;
    return true;
}

qint64 ObjectTextValueView::toInt(bool *ok) const
{
    const bool fits = kind == ObjectTextValue::Kind::Integer;
    if (ok)
        *ok = fits;
    return fits ? integer : 0;
}

bool ObjectTextValueView::toBool(bool *ok) const
{
    bool found = false, value = false;
    if (kind == ObjectTextValue::Kind::Ident) {
        if (span.equalsIgnoringCase("True"_L1))
            found = value = true;
        else if (span.equalsIgnoringCase("False"_L1))
            found = true;
    }
    if (ok)
        *ok = found;
    return value;
}

TColor ObjectTextValueView::toColor(bool *ok) const
{
    if (kind == ObjectTextValue::Kind::Ident) {
        TColor color = 0;
        const bool named = span.isAscii() && ObjectTextWriter::colorFromName(span.latin1(), &color);
        if (ok)
            *ok = named;
        return named ? color : 0;
    }
    return toValue().toColor(ok);
}

QString ObjectTextValueView::nameOrString() const
{
    if (kind == ObjectTextValue::Kind::String)
        return string.toString();
    if (kind == ObjectTextValue::Kind::Ident || kind == ObjectTextValue::Kind::Float)
        return span.toString();
    return QString();
}

ObjectTextValue ObjectTextValueView::toValue() const
{
    switch (kind) {
    case ObjectTextValue::Kind::Integer: return ObjectTextValue::integer(integer);
    case ObjectTextValue::Kind::Float: return ObjectTextValue::floating(floating, span.toString());
    case ObjectTextValue::Kind::String: return ObjectTextValue::string(string.toString());
    case ObjectTextValue::Kind::Ident: return ObjectTextValue::ident(span.toString());
    case ObjectTextValue::Kind::Invalid: return ObjectTextValue();
    default: return compound ? *compound : ObjectTextValue();
    }
}

ObjectTextReadStatus ObjectTextReader::read(QByteArrayView data, ObjectTextHandler &handler)
{
    return Parser(data, handler).run();
}

ObjectTextParseResult ObjectTextReader::parse(const QByteArray &data)
{
    TreeBuilder tree;
    const ObjectTextReadStatus status = read(data, tree);
    ObjectTextParseResult result;
    result.objects = std::move(tree.objects);
    result.ok = status.ok;
    result.error = status.error;
    result.errorLine = status.errorLine;
    return result;
}

ObjectTextParseResult ObjectTextReader::parse(const QString &text)
{
    return parse(text.toUtf8());
}
