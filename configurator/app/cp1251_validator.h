#pragma once

#include <QValidator>

namespace veldar {

// Accepts only text that Windows-1251 can hold, so what the user types is exactly what is
// stored and compared (user names and passwords are kept in that code page).
class Cp1251Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace veldar
