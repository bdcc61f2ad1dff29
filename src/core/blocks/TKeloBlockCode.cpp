// Template expansion of one block.
#include "blocks/TKeloBlock.h"

using namespace Qt::StringLiterals;

namespace {

// The pupil's text as it must stand inside a C string literal.
QString escapedForString(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += u"\\\\"_s; break;
        case u'"': out += u"\\\""_s; break;
        case u'\r': out += u"\\r"_s; break;
        case u'\n': out += u"\\n"_s; break;
        default: out += c;
        }
    }
    return out;
}

// Replaces every "%ps" with the text parameter: escaped where the placeholder stands
// inside a string literal of the code (the LCD's print("%ps")), unchanged elsewhere.
void replaceTextParameter(QString &code, const QString &text)
{
    const QString escaped = escapedForString(text);
    QString out;
    bool inString = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == u'%' && QStringView(code).sliced(i).startsWith(u"%ps")) {
            out += inString ? escaped : text;
            i += 2;
            continue;
        }
        if (c == u'"')
            inString = !inString;
        else if (c == u'\\' && inString && i + 1 < code.size())
            out += code.at(i++);
        out += code.at(i);
    }
    code = out;
}

} // namespace

QString TKeloBlock::GetArduinoCommand(int idnt)
{
    if (fArduinoCommand.isEmpty())
        fArduinoCommand = ArduCmd;
    QString &t = fArduinoCommand;
    // A value block is expanded inside its host; one that is being expanded already
    // (slots that hold each other, which the loader refuses) gives no code again.
    fExpanding = true;
    auto slotCode = [this](TKeloBlock *v) {
        if (!v->fExpanding)
            return v->GetArduinoCommand(1);
        log(u"Bug-->>"_s + QString::number(Id) + u" holds a value block that holds it"_s);
        return QString();
    };
    // Each step runs on the text the earlier steps left, in this fixed order.
    if (t.contains(u'%')) {
        auto step = [&t](const QString &ph, auto &&with) {
            if (t.contains(ph))
                t.replace(ph, with());
        };
        step(u"%p1"_s, [&] { return FVarParam1 ? slotCode(FVarParam1) : QString::number(GetParam1()); });
        step(u"%p2"_s, [&] { return FVarParam2 ? slotCode(FVarParam2) : QString::number(GetParam2()); });
        if (t.contains(u"%ps"_s))
            replaceTextParameter(t, fParamStr);
        step(u"%pd"_s, [this] { return QString::number(GetParam1()); });
        step(u"%dn"_s, [this] { return getDeviceName(); });
        static const QString dp[] = {u"%dp1"_s, u"%dp2"_s, u"%dp3"_s, u"%dp4"_s, u"%dp5"_s, u"%dp6"_s};
        for (int k = 0; k < 6; ++k)
            step(dp[k], [this, k] { return QString::number(getDeviceParam(k)); });
        step(u"%k"_s, [idnt] { return u"ik"_s + QString::number(idnt); });
        step(u"%nl"_s, [idnt] { return u"\r\n"_s + QString(3 * idnt + 1, u' '); });
        step(u"%not"_s, [this] { return GetParam1() == 1 ? u"!"_s : QString(); });
    }
    QString result = t;
    fArduinoCommand.clear();
    fExpanding = false;
    return result;
}
