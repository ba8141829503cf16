#include "cp1251_validator.h"

#include "platform/text/codepage.h"

namespace veldar {

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
    return platform::text::fromCp1251(platform::text::toCp1251(input)) == input ? Acceptable : Invalid;
}

}  // namespace veldar
