#include "platform/text/Windows1252Validator.h"

#include "platform/text/Windows1252.h"

QValidator::State Windows1252Validator::validate(QString& input, int& /*position*/) const
{
    return Windows1252::canEncode(input) ? Acceptable : Invalid;
}
