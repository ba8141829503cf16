#include "codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform::text {
namespace {

// Qt's ICU-backed converters know these names; QStringConverter::encodingForName does not.
constexpr const char* kCp1251 = "windows-1251";
constexpr const char* kCp936 = "GBK";

QByteArray encode(const char* name, const QString& text) {
    QStringEncoder whole(name);
    QByteArray out = whole.encode(text);
    if (!whole.hasError()) return out;
    // ICU substitutes 0x1A; Windows writes '?'. Redo it character by character.
    out.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder one(name);
        const QByteArray bytes = one.encode(QStringView(text.constData() + i, len));
        out.append(one.hasError() ? QByteArray("?") : bytes);
        i += len - 1;
    }
    return out;
}

QString decode(const char* name, const QByteArray& bytes) {
    QStringDecoder decoder(name, QStringConverter::Flag::Default);
    return decoder.decode(bytes);
}

}  // namespace

QByteArray toCp1251(const QString& text) { return encode(kCp1251, text); }
QString fromCp1251(const QByteArray& bytes) { return decode(kCp1251, bytes); }
QByteArray toCp936(const QString& text) { return encode(kCp936, text); }
QString fromCp936(const QByteArray& bytes) { return decode(kCp936, bytes); }

}  // namespace platform::text
