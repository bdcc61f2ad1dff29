#include "serial/PortSelectorTexts.h"

using namespace Qt::StringLiterals;

QString PortSelectorTexts::portHint()
{
    return u"Επιλέξτε πόρτα επικοινωνίας με το Arduino.\r\nΔιπλό κλικ για ανανέωση"_s;
}

QString PortSelectorTexts::balloonTitle()
{
    return u"ΠΡΟΣΟΧΗ!!!"_s;
}

QString PortSelectorTexts::balloonText(const QString &hint)
{
    return hint + u"\r\n-----------------"_s;
}
