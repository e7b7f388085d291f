#include "platform/text/Windows1252Validator.h"

#include "platform/text/Windows1252.h"

QValidator::State Windows1252Validator::validate(QString& input, int& /*position*/) const
{
    for (QChar c : input) {
        if (!Windows1252::encode(c))
            return Invalid;
    }
    return Acceptable;
}
