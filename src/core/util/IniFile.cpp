#include "util/IniFile.h"

#include "util/Cp1253.h"

#include <QFile>
#include <QSaveFile>
#include <climits>

using namespace Qt::StringLiterals;

namespace {

// The whitespace the profile functions skip; not Unicode spaces such as U+00A0, which
// may be part of a Greek value.
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

QStringView trimmed(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool enclosedInQuotes(QStringView s)
{
    return s.size() >= 2 && isQuote(s.front()) && s.front() == s.back();
}

QString fold(QStringView name)
{
    return trimmed(name).toString().toCaseFolded();
}

QString valueOf(const QString &raw, qsizetype eq)
{
    QStringView v = trimmed(QStringView(raw).sliced(eq + 1));
    if (enclosedInQuotes(v))
        v = v.sliced(1, v.size() - 2);
    return v.toString();
}

// The text to write after '=' so that valueOf gives value back.
QString encodeValue(const QString &value)
{
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    if (!v.isEmpty() && (isBlank(v.front()) || isBlank(v.back()) || enclosedInQuotes(v)))
        return u'"' + v + u'"';
    return v;
}

// The leading decimal number of s: its value clamped to int, and whether it filled s
// entirely without clamping. digits is false when s does not start with a number.
struct Leading {
    int value = 0;
    bool digits = false;
    bool whole = false;
};

Leading leadingNumber(QStringView s)
{
    Leading r;
    qsizetype i = 0;
    const bool negative = i < s.size() && s[i] == u'-';
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
        ++i;
    qint64 n = 0;
    bool clamped = false;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        r.digits = true;
        n = n * 10 + (s[i].unicode() - u'0');
        if (n > qint64(INT_MAX) + 1) {
            n = qint64(INT_MAX) + 1;
            clamped = true;
        }
    }
    if (negative)
        n = -n;
    if (n > INT_MAX) {
        n = INT_MAX;
        clamped = true;
    }
    r.value = int(n);
    r.whole = r.digits && !clamped && i == s.size();
    return r;
}

} // namespace

IniFile::IniFile(const QString &path) : m_path(path)
{
    clear();
}

void IniFile::clear()
{
    m_sections.clear();
    m_sections.emplace_back();
    m_sectionIndex.clear();
}

bool IniFile::load(QString *error)
{
    clear();
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = u"Unable to read %1: %2"_s.arg(m_path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = u"Unable to read %1: %2"_s.arg(m_path, file.errorString());
        return false;
    }
    parse(bytes);
    return true;
}

bool IniFile::save(QString *error) const
{
    QSaveFile file(m_path);
    // A folder that only lets the file itself be changed still gets the file written.
    file.setDirectWriteFallback(true);
    const QByteArray bytes = toBytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = u"Unable to write to %1"_s.arg(m_path);
        return false;
    }
    return true;
}

void IniFile::parse(QByteArrayView bytes)
{
    clear();
    const QString text = Cp1253::decodeText(bytes);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QString raw = text.sliced(start, end - start);
        start = end + 1;
        if (raw.endsWith(u'\r'))
            raw.chop(1);

        const QStringView t = trimmed(raw);
        const qsizetype close = t.indexOf(u']');
        if (t.startsWith(u'[') && close > 0) {
            Section s;
            s.name = trimmed(t.sliced(1, close - 1)).toString();
            s.header = raw;
            const QString key = fold(s.name);
            if (!m_sectionIndex.contains(key))  // a repeated section is only kept
                m_sectionIndex.insert(key, qsizetype(m_sections.size()));
            m_sections.push_back(std::move(s));
            continue;
        }
        Section &s = m_sections.back();
        if (t.isEmpty()) {
            s.tail.append(raw);
            continue;
        }
        // Blank lines followed by more content are inside the section.
        for (QString &blank : s.tail)
            s.body.push_back(Line{std::move(blank)});
        s.tail.clear();
        Line line{std::move(raw)};
        if (!t.startsWith(u';') && !t.startsWith(u'#'))
            line.eq = line.raw.indexOf(u'=');
        if (line.eq >= 0) {
            const QString key = fold(QStringView(line.raw).first(line.eq));
            if (!s.keys.contains(key))
                s.keys.insert(key, qsizetype(s.body.size()));
        }
        s.body.push_back(std::move(line));
    }
}

QByteArray IniFile::toBytes() const
{
    QString text;
    const auto put = [&text](const QString &line) {
        text += line;
        text += u"\r\n";
    };
    for (const Section &s : m_sections) {
        if (!s.header.isEmpty())
            put(s.header);
        for (const Line &line : s.body)
            put(line.raw);
        for (const QString &blank : s.tail)
            put(blank);
    }
    // Reading drops a byte-order mark at the start: a text that begins with that
    // character itself is written with a mark before it, so that it reads back whole.
    if (text.startsWith(QChar(0xFEFF)))
        text.prepend(QChar(0xFEFF));
    return text.toUtf8();
}

const IniFile::Line *IniFile::findLine(const QString &section, const QString &key) const
{
    const auto sec = m_sectionIndex.constFind(fold(section));
    if (sec == m_sectionIndex.cend())
        return nullptr;
    const Section &s = m_sections[size_t(*sec)];
    const auto k = s.keys.constFind(fold(key));
    return k == s.keys.cend() ? nullptr : &s.body[size_t(*k)];
}

IniFile::Section &IniFile::sectionFor(const QString &section)
{
    const QString key = fold(section);
    const auto it = m_sectionIndex.constFind(key);
    if (it != m_sectionIndex.cend())
        return m_sections[size_t(*it)];
    Section s;
    s.name = trimmed(section).toString();
    s.header = u'[' + s.name + u']';
    m_sectionIndex.insert(key, qsizetype(m_sections.size()));
    m_sections.push_back(std::move(s));
    return m_sections.back();
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const Line *line = findLine(section, key);
    return line ? valueOf(line->raw, line->eq) : def;
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    const Line *line = findLine(section, key);
    if (!line)
        return def;
    const QString value = valueOf(line->raw, line->eq);
    return value.isEmpty() ? def : leadingNumber(value).value;
}

bool IniFile::readIntegerStrict(const QString &section, const QString &key, int &out) const
{
    const Line *line = findLine(section, key);
    if (!line)
        return false;
    const Leading n = leadingNumber(valueOf(line->raw, line->eq));
    if (!n.whole)
        return false;
    out = n.value;
    return true;
}

bool IniFile::hasKey(const QString &section, const QString &key) const
{
    return findLine(section, key) != nullptr;
}

bool IniFile::hasSection(const QString &section) const
{
    return m_sectionIndex.contains(fold(section));
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (size_t i = 1; i < m_sections.size(); ++i) {
        if (m_sectionIndex.value(fold(m_sections[i].name)) == qsizetype(i))
            names.append(m_sections[i].name);
    }
    return names;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    Section &s = sectionFor(section);
    const QString k = fold(key);
    const auto it = s.keys.constFind(k);
    if (it != s.keys.cend()) {
        Line &line = s.body[size_t(*it)];
        const QString name = trimmed(QStringView(line.raw).first(line.eq)).toString();
        line.raw = name + u'=' + encodeValue(value);
        line.eq = name.size();
        return;
    }
    const QString name = trimmed(key).toString();
    s.keys.insert(k, qsizetype(s.body.size()));
    s.body.push_back(Line{name + u'=' + encodeValue(value), name.size()});
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

QString IniFile::changeFileExt(const QString &fileName, const QString &extension)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const qsizetype sep = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    return (dot > sep ? fileName.first(dot) : fileName) + extension;
}
