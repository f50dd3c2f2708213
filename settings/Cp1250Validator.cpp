#include "settings/Cp1250Validator.h"

#include "settings/Cp1250.h"

QValidator::State Cp1250Validator::validate(QString& input, int&) const
{
    return fitsCp1250(input) ? Acceptable : Invalid;
}
