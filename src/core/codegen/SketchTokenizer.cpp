#include "codegen/SketchTokenizer.h"

#include <algorithm>
#include <iterator>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

bool startsName(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool inName(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

bool SketchTokenizer::isKeyword(QStringView word)
{
    static constexpr std::u16string_view keywords[]{
        u"alignas", u"alignof", u"and", u"and_eq", u"asm", u"auto", u"bitand", u"bitor", u"bool", u"break",
        u"case", u"catch", u"char", u"char16_t", u"char32_t", u"char8_t", u"class", u"co_await", u"co_return",
        u"co_yield", u"compl", u"concept", u"const", u"const_cast", u"consteval", u"constexpr", u"constinit",
        u"continue", u"decltype", u"default", u"delete", u"do", u"double", u"dynamic_cast", u"else", u"enum",
        u"explicit", u"export", u"extern", u"false", u"float", u"for", u"friend", u"goto", u"if", u"inline",
        u"int", u"long", u"mutable", u"namespace", u"new", u"noexcept", u"not", u"not_eq", u"nullptr",
        u"operator", u"or", u"or_eq", u"private", u"protected", u"public", u"register", u"reinterpret_cast",
        u"requires", u"return", u"short", u"signed", u"sizeof", u"static", u"static_assert", u"static_cast",
        u"struct", u"switch", u"template", u"this", u"thread_local", u"throw", u"true", u"try", u"typedef",
        u"typeid", u"typename", u"union", u"unsigned", u"using", u"virtual", u"void", u"volatile", u"wchar_t",
        u"while", u"xor", u"xor_eq"};
    static const std::vector<std::u16string_view> sorted = [] {
        std::vector<std::u16string_view> k(std::begin(keywords), std::end(keywords));
        std::sort(k.begin(), k.end());
        return k;
    }();
    if (word.isEmpty())
        return false;
    const std::u16string_view w(reinterpret_cast<const char16_t *>(word.utf16()), size_t(word.size()));
    return std::binary_search(sorted.begin(), sorted.end(), w);
}

QList<SketchToken> SketchTokenizer::tokens(QStringView line, bool *inComment) const
{
    QList<SketchToken> out;
    const int n = int(line.size());
    int i = 0;
    const auto add = [&out](int start, int end, SketchToken::Kind kind) {
        if (end > start)
            out.append(SketchToken{start, end - start, kind});
    };
    bool comment = inComment && *inComment;
    if (comment) {
        const qsizetype close = line.indexOf(u"*/");
        const int end = close < 0 ? n : int(close) + 2;
        add(0, end, SketchToken::Kind::Comment);
        comment = close < 0;
        i = end;
    }
    // A directive's word: the line's first character apart from spaces is '#'.
    bool afterInclude = false;
    if (!comment) {
        int first = i;
        while (first < n && line.at(first).isSpace())
            ++first;
        if (first < n && line.at(first) == u'#') {
            int end = first + 1;
            while (end < n && inName(line.at(end)))
                ++end;
            add(first, end, SketchToken::Kind::Directive);
            afterInclude = line.sliced(first, end - first) == u"#include";
            i = end;
        }
    }
    while (!comment && i < n) {
        const QChar c = line.at(i);
        if (c == u'/' && i + 1 < n && line.at(i + 1) == u'/') {
            add(i, n, SketchToken::Kind::Comment);
            break;
        }
        if (c == u'/' && i + 1 < n && line.at(i + 1) == u'*') {
            const qsizetype close = line.indexOf(u"*/", i + 2);
            const int end = close < 0 ? n : int(close) + 2;
            add(i, end, SketchToken::Kind::Comment);
            comment = close < 0;
            i = end;
            continue;
        }
        if (c == u'"' || c == u'\'' || (afterInclude && c == u'<')) {
            const QChar closing = c == u'<' ? u'>' : c;
            int end = i + 1;
            while (end < n && line.at(end) != closing) {
                if (line.at(end) == u'\\' && c != u'<')
                    ++end;
                ++end;
            }
            end = std::min(end + 1, n);
            add(i, end, SketchToken::Kind::String);
            i = end;
            continue;
        }
        if (startsName(c)) {
            int end = i + 1;
            while (end < n && inName(line.at(end)))
                ++end;
            const QStringView word = line.sliced(i, end - i);
            if (isKeyword(word))
                add(i, end, SketchToken::Kind::Keyword);
            else if (fVariables.contains(word.toString()))
                add(i, end, SketchToken::Kind::Variable);
            i = end;
            continue;
        }
        if (c.isDigit() || (c == u'.' && i + 1 < n && line.at(i + 1).isDigit())) {
            int end = i + 1;
            while (end < n && (inName(line.at(end)) || line.at(end) == u'.'))
                ++end;
            add(i, end, SketchToken::Kind::Number);
            i = end;
            continue;
        }
        ++i;
    }
    if (inComment)
        *inComment = comment;
    return out;
}
