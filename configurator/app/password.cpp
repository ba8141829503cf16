#include "password.h"

#include "platform/text/codepage.h"

namespace veldar {

QByteArray encodePassword(const QString& password) {
    const QByteArray chars = platform::text::toCp1251(password);
    quint8 sum = 0;
    for (char c : chars) sum = static_cast<quint8>(sum + static_cast<quint8>(c));
    const auto k = static_cast<quint8>(kPasswordConstant - sum);
    QByteArray block;
    block.reserve(chars.size() + 2);
    block.append(static_cast<char>(k & 0x0F));
    for (char c : chars) block.append(static_cast<char>(static_cast<quint8>(c) - sum));
    block.append(static_cast<char>(k & 0xF0));
    return block;
}

QString decodePassword(const QByteArray& stored) {
    const QByteArray block = stored.left(kMaxPasswordBlock);
    if (block.size() < 2) return {};
    const auto k = static_cast<quint8>(static_cast<quint8>(block.front()) | static_cast<quint8>(block.back()));
    const auto sum = static_cast<quint8>(kPasswordConstant - k);
    QByteArray chars;
    for (qsizetype i = 1; i + 1 < block.size(); ++i)
        chars.append(static_cast<char>(static_cast<quint8>(block[i]) + sum));
    return platform::text::fromCp1251(chars);
}

}  // namespace veldar
