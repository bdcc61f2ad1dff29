#include "variables/TArduVar.h"

#include "variables/GreekToLatin.h"

QString TArduVar::getCvarname() const
{
    return GreekToLatin(VarName);
}
