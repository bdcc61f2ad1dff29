// Template expansion of one block.
#include "blocks/TKeloBlock.h"

using namespace Qt::StringLiterals;

QString TKeloBlock::GetArduinoCommand(int idnt)
{
    if (fArduinoCommand.isEmpty())
        fArduinoCommand = ArduCmd;
    QString &t = fArduinoCommand;
    // Each step runs on the text the earlier steps left, in this fixed order.
    if (t.contains(u'%')) {
        auto step = [&t](const QString &ph, auto &&with) {
            if (t.contains(ph))
                t.replace(ph, with());
        };
        step(u"%p1"_s, [this] { return FVarParam1 ? FVarParam1->GetArduinoCommand(1) : QString::number(GetParam1()); });
        step(u"%p2"_s, [this] { return FVarParam2 ? FVarParam2->GetArduinoCommand(1) : QString::number(GetParam2()); });
        step(u"%ps"_s, [this] { return fParamStr; });
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
    return result;
}
