#include "project/ObjectTextReader.h"

#include <QStringDecoder>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Deep enough for any real file; stops hostile input such as thousands of
// "(" from exhausting the stack.
constexpr int MaxDepth = 200;

struct ParseError {
    QString reason;
    int line;
};

bool isIdentStart(QChar c) { return c == u'_' || c.isLetter(); }
bool isIdentChar(QChar c) { return c == u'_' || c.isLetterOrNumber(); }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

class Parser {
public:
    explicit Parser(const QString &text) : m_text(text), m_s(m_text.constData()), m_n(m_text.size()) {}

    ObjectTextParseResult run()
    {
        ObjectTextParseResult result;
        try {
            if (m_pos < m_n && m_s[m_pos] == QChar(0xFEFF))
                ++m_pos;
            skipSpace();
            if (atEnd())
                fail(u"No object found"_s);
            while (!atEnd()) {
                result.objects.append(readObject(0));
                skipSpace();
            }
            result.ok = true;
        } catch (const ParseError &e) {
            result.ok = false;
            result.errorLine = e.line;
            result.error = u"%1 on line %2"_s.arg(e.reason).arg(e.line);
        }
        return result;
    }

private:
    [[noreturn]] void fail(const QString &reason) { throw ParseError{reason, m_line}; }

    bool atEnd() const { return m_pos >= m_n; }
    QChar peek() const { return m_pos < m_n ? m_s[m_pos] : QChar(); }

    void skipSpace()
    {
        while (m_pos < m_n) {
            const QChar c = m_s[m_pos];
            if (c == u'\n') {
                ++m_line;
            } else if (c == u'\r') {
                if (m_pos + 1 >= m_n || m_s[m_pos + 1] != u'\n')
                    ++m_line;  // a lone CR ends a line too
            } else if (c.unicode() > u' ' || c.unicode() == 0) {
                return;
            }
            ++m_pos;
        }
    }

    void expect(QChar c, const QString &reason)
    {
        skipSpace();
        if (peek() != c)
            fail(reason);
        ++m_pos;
    }

    // True when the identifier at the read position is keyword (any case).
    bool keywordAhead(QStringView keyword) const
    {
        const qsizetype end = m_pos + keyword.size();
        if (end > m_n)
            return false;
        if (QStringView(m_s + m_pos, keyword.size()).compare(keyword, Qt::CaseInsensitive) != 0)
            return false;
        return end == m_n || !isIdentChar(m_s[end]);
    }

    bool objectKeywordAhead() const
    {
        return keywordAhead(u"object") || keywordAhead(u"inherited") || keywordAhead(u"inline");
    }

    QString readIdent()
    {
        if (!isIdentStart(peek()))
            fail(u"Identifier expected"_s);
        const qsizetype start = m_pos;
        while (m_pos < m_n && isIdentChar(m_s[m_pos]))
            ++m_pos;
        return QString(m_s + start, m_pos - start);
    }

    // Names such as Margins.Left and frmVimsel.keloBlock__7.
    QString readDottedIdent()
    {
        const qsizetype start = m_pos;
        readIdent();
        while (peek() == u'.') {
            ++m_pos;
            readIdent();
        }
        return QString(m_s + start, m_pos - start);
    }

    int readIndex()
    {
        // Called at "["
        ++m_pos;
        skipSpace();
        const ObjectTextValue v = readNumber();
        bool ok = false;
        const qint64 index = v.toInt(&ok);
        if (!ok || index < 0 || index > std::numeric_limits<int>::max())
            fail(u"Invalid index"_s);
        expect(u']', u"']' expected"_s);
        return int(index);
    }

    ObjectTextObject readObject(int depth)
    {
        if (depth > MaxDepth)
            fail(u"Objects nested too deeply"_s);
        ObjectTextObject object;
        object.line = m_line;
        if (!objectKeywordAhead())
            fail(u"'object' expected"_s);
        object.keyword = readIdent().toLower();
        skipSpace();
        const QString first = readDottedIdent();
        skipSpace();
        if (peek() == u':') {
            ++m_pos;
            skipSpace();
            object.name = first;
            object.className = readDottedIdent();
            skipSpace();
        } else {
            object.className = first;
        }
        if (peek() == u'[')
            object.index = readIndex();
        for (;;) {
            skipSpace();
            if (atEnd())
                fail(u"'end' expected"_s);
            if (keywordAhead(u"end")) {
                m_pos += 3;
                return object;
            }
            if (objectKeywordAhead())
                object.children.append(readObject(depth + 1));
            else
                object.properties.append(readProperty(depth));
        }
    }

    ObjectTextProperty readProperty(int depth)
    {
        ObjectTextProperty property;
        property.line = m_line;
        property.name = readDottedIdent();
        expect(u'=', u"'=' expected"_s);
        skipSpace();
        property.value = readValue(depth + 1);
        return property;
    }

    ObjectTextValue readValue(int depth)
    {
        if (depth > MaxDepth)
            fail(u"Values nested too deeply"_s);
        const QChar c = peek();
        if (c == u'-' || isDigit(c))
            return readNumber();
        if (c == u'$')
            return readHexNumber();
        if (c == u'\'' || c == u'#')
            return ObjectTextValue::string(readString());
        if (c == u'[')
            return readSet();
        if (c == u'(')
            return readList(depth);
        if (c == u'{')
            return readBinary();
        if (c == u'<')
            return readCollection(depth);
        if (isIdentStart(c))
            return ObjectTextValue::ident(readDottedIdent());
        fail(atEnd() ? u"Property value expected"_s : u"Invalid property value"_s);
    }

    void skipDigits()
    {
        while (m_pos < m_n && isDigit(m_s[m_pos]))
            ++m_pos;
    }

    // 12, -3, 1.5, 2.5E-3, and the type suffixes s, d, c, f of floats.
    ObjectTextValue readNumber()
    {
        if (peek() == u'$')
            return readHexNumber();
        const qsizetype start = m_pos;
        if (peek() == u'-')
            ++m_pos;
        if (!isDigit(peek()))
            fail(u"Number expected"_s);
        skipDigits();
        bool isFloat = false;
        if (peek() == u'.') {
            isFloat = true;
            ++m_pos;
            skipDigits();
        }
        if (peek() == u'e' || peek() == u'E') {
            isFloat = true;
            ++m_pos;
            if (peek() == u'+' || peek() == u'-')
                ++m_pos;
            if (!isDigit(peek()))
                fail(u"Invalid floating-point number"_s);
            skipDigits();
        }
        const qsizetype numberEnd = m_pos;
        const char16_t suffix = peek().toLower().unicode();
        if (suffix == u's' || suffix == u'd' || suffix == u'c' || suffix == u'f') {
            if (m_pos + 1 >= m_n || !isIdentChar(m_s[m_pos + 1])) {
                isFloat = true;
                ++m_pos;
            }
        }
        const QStringView number(m_s + start, numberEnd - start);
        bool ok = false;
        if (isFloat) {
            const double value = number.toDouble(&ok);
            if (!ok)
                fail(u"Invalid floating-point number"_s);
            return ObjectTextValue::floating(value, QString(m_s + start, m_pos - start));
        }
        const qint64 value = number.toLongLong(&ok);
        if (!ok)
            fail(u"Integer out of range"_s);
        return ObjectTextValue::integer(value);
    }

    // $FF; up to 64 bits, the highest bit giving a negative number.
    ObjectTextValue readHexNumber()
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
        return ObjectTextValue::integer(qint64(value));
    }

    // Quoted runs and # codes written next to each other, several such groups
    // joined by "+" with white space and line breaks around it.
    QString readString()
    {
        QString out;
        for (;;) {
            readStringPieces(out);
            skipSpace();
            if (peek() != u'+')
                return out;
            ++m_pos;
            skipSpace();
            if (peek() != u'\'' && peek() != u'#')
                fail(u"String expected"_s);
        }
    }

    void readStringPieces(QString &out)
    {
        while (peek() == u'\'' || peek() == u'#') {
            if (peek() == u'\'')
                readQuotedRun(out);
            else
                readCharCode(out);
        }
    }

    void readQuotedRun(QString &out)
    {
        ++m_pos;
        qsizetype chunk = m_pos;
        for (;;) {
            if (m_pos >= m_n || m_s[m_pos] == u'\n' || m_s[m_pos] == u'\r')
                fail(u"Unterminated string"_s);
            if (m_s[m_pos] == u'\'') {
                out.append(QStringView(m_s + chunk, m_pos - chunk));
                ++m_pos;
                if (peek() != u'\'')
                    return;
                // Two apostrophes inside a run stand for one.
                chunk = m_pos;
            }
            ++m_pos;
        }
    }

    void readCharCode(QString &out)
    {
        ++m_pos;
        quint32 code = 0;
        int digits = 0;
        if (peek() == u'$') {
            ++m_pos;
            for (int d; m_pos < m_n && (d = hexValue(m_s[m_pos])) >= 0 && code <= 0x10FFFF;
                 ++m_pos, ++digits)
                code = code * 16 + quint32(d);
        } else {
            for (; m_pos < m_n && isDigit(m_s[m_pos]) && code <= 0x10FFFF; ++m_pos, ++digits)
                code = code * 10 + quint32(m_s[m_pos].unicode() - u'0');
        }
        if (digits == 0 || code > 0x10FFFF)
            fail(u"Invalid character code"_s);
        if (code > 0xFFFF) {
            out.append(QChar(QChar::highSurrogate(code)));
            out.append(QChar(QChar::lowSurrogate(code)));
        } else {
            out.append(QChar(char16_t(code)));
        }
    }

    ObjectTextValue readSet()
    {
        ++m_pos;
        QStringList elements;
        skipSpace();
        if (peek() == u']') {
            ++m_pos;
            return ObjectTextValue::set(elements);
        }
        for (;;) {
            skipSpace();
            elements.append(readIdent());
            skipSpace();
            if (peek() == u']') {
                ++m_pos;
                return ObjectTextValue::set(elements);
            }
            if (peek() != u',')
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
            if (peek() == u')') {
                ++m_pos;
                return ObjectTextValue::list(items);
            }
            if (atEnd())
                fail(u"')' expected"_s);
            items.append(readValue(depth + 1));
        }
    }

    ObjectTextValue readBinary()
    {
        ++m_pos;
        QByteArray bytes;
        for (;;) {
            skipSpace();
            if (peek() == u'}') {
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
            if (peek() == u'>') {
                ++m_pos;
                return ObjectTextValue::collection(items);
            }
            if (!keywordAhead(u"item"))
                fail(atEnd() ? u"'>' expected"_s : u"'item' expected"_s);
            m_pos += 4;
            ObjectTextCollectionItem item;
            skipSpace();
            if (peek() == u'[')
                item.index = readIndex();
            for (;;) {
                skipSpace();
                if (atEnd())
                    fail(u"'end' expected"_s);
                if (keywordAhead(u"end")) {
                    m_pos += 3;
                    break;
                }
                item.properties.append(readProperty(depth + 1));
            }
            items.append(item);
        }
    }

    const QString m_text;  // keeps m_s alive
    const QChar *m_s;
    qsizetype m_n;
    qsizetype m_pos = 0;
    int m_line = 1;
};

} // namespace

ObjectTextParseResult ObjectTextReader::parse(const QByteArray &data)
{
    return parse(decode(data));
}

ObjectTextParseResult ObjectTextReader::parse(const QString &text)
{
    return Parser(text).run();
}

QString ObjectTextReader::decode(const QByteArray &data)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    QStringDecoder greek("windows-1253");
    if (greek.isValid())
        return greek.decode(data);
    return QString::fromLatin1(data);
}
