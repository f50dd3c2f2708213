#include "core/base/Cp1250Validator.h"

#include "core/base/Cp1250.h"

QValidator::State Cp1250Validator::validate(QString& input, int&) const
{
    if (fitsCp1250(input))
        return Acceptable;
    emit refused();
    return Invalid;
}
