#pragma once

#include <QValidator>

// An entry box that takes only characters of the Windows-1252 code page, so
// that what is typed is what a single-byte record can hold.
class Windows1252Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
