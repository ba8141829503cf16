#include "firmware.h"

#include "platform/text/codepage.h"

namespace tvrsim {

QByteArray Firmware::record() const {
    QByteArray r;
    for (std::uint8_t d : date) r.append(static_cast<char>(d));
    r.append(static_cast<char>(version));
    r.append(identifier.left(kIdentifierBytes).leftJustified(kIdentifierBytes, '\0'));
    r.append(QByteArray(4, '\xFF'));
    const QByteArray text = platform::text::toCp1251(identification).left(255);
    r.append(static_cast<char>(text.size()));
    r.append(text);
    return r;
}

}  // namespace tvrsim
