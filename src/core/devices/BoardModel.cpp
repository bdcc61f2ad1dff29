#include "devices/BoardModel.h"

using namespace Qt::StringLiterals;

void BoardModel::select(int typeId)
{
    switch (typeId) {
    case 0:
        m_name = u"Arduino Uno"_s;
        m_maxPin = 19;
        break;
    case 1:
        m_name = u"Arduino Nano"_s;
        m_maxPin = 19;
        break;
    case 2:
        m_name = u"Arduino Mega"_s;
        m_maxPin = HighestPinOfAnyBoard;
        break;
    default:
        m_typeId = NoBoard;
        m_name.clear();
        return;
    }
    m_typeId = typeId;
}

QString BoardModel::family() const
{
    switch (m_typeId) {
    case 0:
    case 1:
        return u"Uno"_s;
    case 2:
        return u"Mega"_s;
    default:
        return QString();
    }
}

QString BoardModel::pinoutPictureName() const
{
    return m_name.isEmpty() ? QString() : m_name + u" Pin.png"_s;
}
