#include "shell/ProgramVersion.h"

using namespace Qt::StringLiterals;

QString ProgramVersion::versionText()
{
    return u"0.96 (Βήτα έκδοση 27/02/2022)"_s;
}

QString ProgramVersion::comparedVersion()
{
    QString v = versionText().left(5);
    v.remove(u' ');
    return v;
}

QString ProgramVersion::fullCaption()
{
    return title() + u' ' + versionText();
}
