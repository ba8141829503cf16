#include "options.h"

#include "firmware.h"

#include <set>

namespace tvrsim {
namespace {

std::optional<int> parseInt(const QString& text, int low, int high) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok || v < low || v > high) return std::nullopt;
    return v;
}

std::optional<double> parseProbability(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !(v >= 0.0 && v <= 1.0)) return std::nullopt;
    return v;
}

}  // namespace

QString usageText() {
    return QStringLiteral(
        "Usage: tvr-sim [options]\n"
        "Puts virtual TVR units on a pseudo-terminal and prints its path.\n"
        "\n"
        "  --units A,B,...      unit addresses, 1 to 255 (default 101)\n"
        "  --link PATH          also make a symbolic link to the pty at PATH\n"
        "  --image A=FILE       load unit A's settings memory from a 29824-byte image file\n"
        "  --version N          firmware version byte of every unit (default 60)\n"
        "  --firmware-id TEXT   firmware identifier, at most 19 characters\n"
        "  --identification T   identification text\n"
        "  --loss P             probability that an answer is lost\n"
        "  --corrupt P          probability that an answer's check byte is wrong\n"
        "  --noise P            probability of random bytes before an answer\n"
        "  --zeros P            probability of a 0x00 byte inside an answer\n"
        "  --turnaround MS      delay before every answer (default 5)\n"
        "  --jitter MS          up to this much more, at random (default 0)\n"
        "  --seed N             seed of the fault injection (default 1)\n"
        "  --no-pacing          send at once instead of at the port's baud rate\n"
        "  --log FILE           write every request, answer and loader byte to FILE\n"
        "  --help               show this text\n");
}

std::optional<Options> parseOptions(const QStringList& arguments, QString* error, QString* help) {
    Options o;
    o.faults.turnaroundMs = 5;
    auto fail = [&](const QString& why) -> std::optional<Options> {
        if (error) *error = why;
        return std::nullopt;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        QString name = arg;
        std::optional<QString> inlineValue;
        if (const qsizetype eq = arg.indexOf(QLatin1Char('='));
            arg.startsWith(QLatin1String("--")) && eq > 0) {
            name = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
        }
        auto value = [&]() -> std::optional<QString> {
            if (inlineValue) return inlineValue;
            if (i + 1 >= arguments.size()) return std::nullopt;
            return arguments[++i];
        };
        auto probability = [&](double& target) -> bool {
            const std::optional<QString> v = value();
            const std::optional<double> p = v ? parseProbability(*v) : std::nullopt;
            if (!p) return false;
            target = *p;
            return true;
        };

        if (name == QLatin1String("--help")) {
            if (error) error->clear();
            if (help) *help = usageText();
            return std::nullopt;
        } else if (name == QLatin1String("--no-pacing")) {
            o.pacing = false;
        } else if (name == QLatin1String("--units")) {
            const std::optional<QString> v = value();
            if (!v) return fail(QStringLiteral("--units needs a list of addresses"));
            o.addresses.clear();
            std::set<int> seen;
            for (const QString& part : v->split(QLatin1Char(','))) {
                const std::optional<int> a = parseInt(part, 1, 255);
                if (!a)
                    return fail(QStringLiteral("--units: \"%1\" is not an address from 1 to 255")
                                    .arg(part));
                if (!seen.insert(*a).second)
                    return fail(QStringLiteral("--units: address %1 appears twice").arg(*a));
                o.addresses.push_back(*a);
            }
        } else if (name == QLatin1String("--image")) {
            const std::optional<QString> v = value();
            const qsizetype eq = v ? v->indexOf(QLatin1Char('=')) : -1;
            const std::optional<int> a = eq > 0 ? parseInt(v->left(eq), 1, 255) : std::nullopt;
            if (!a || eq + 1 >= v->size())
                return fail(QStringLiteral("--image needs ADDRESS=FILE"));
            o.images[*a] = v->mid(eq + 1);
        } else if (name == QLatin1String("--version")) {
            const std::optional<QString> v = value();
            const std::optional<int> n = v ? parseInt(*v, 0, 255) : std::nullopt;
            if (!n) return fail(QStringLiteral("--version needs a number from 0 to 255"));
            o.version = *n;
        } else if (name == QLatin1String("--firmware-id")) {
            const std::optional<QString> v = value();
            if (!v || v->isEmpty() || v->toLatin1().size() > Firmware::kIdentifierBytes)
                return fail(QStringLiteral("--firmware-id needs 1 to %1 characters")
                                .arg(Firmware::kIdentifierBytes));
            o.firmwareId = v->toLatin1();
        } else if (name == QLatin1String("--identification")) {
            const std::optional<QString> v = value();
            if (!v) return fail(QStringLiteral("--identification needs a text"));
            o.identification = *v;
        } else if (name == QLatin1String("--loss")) {
            if (!probability(o.faults.loss))
                return fail(QStringLiteral("--loss needs a probability from 0 to 1"));
        } else if (name == QLatin1String("--corrupt")) {
            if (!probability(o.faults.corrupt))
                return fail(QStringLiteral("--corrupt needs a probability from 0 to 1"));
        } else if (name == QLatin1String("--noise")) {
            if (!probability(o.faults.noise))
                return fail(QStringLiteral("--noise needs a probability from 0 to 1"));
        } else if (name == QLatin1String("--zeros")) {
            if (!probability(o.faults.zeros))
                return fail(QStringLiteral("--zeros needs a probability from 0 to 1"));
        } else if (name == QLatin1String("--turnaround") || name == QLatin1String("--jitter")) {
            const std::optional<QString> v = value();
            const std::optional<int> ms = v ? parseInt(*v, 0, 60000) : std::nullopt;
            if (!ms) return fail(QStringLiteral("%1 needs milliseconds from 0 to 60000").arg(name));
            (name == QLatin1String("--jitter") ? o.faults.jitterMs : o.faults.turnaroundMs) = *ms;
        } else if (name == QLatin1String("--seed")) {
            const std::optional<QString> v = value();
            bool ok = false;
            const qulonglong seed = v ? v->trimmed().toULongLong(&ok) : 0;
            if (!ok || seed > 0xFFFFFFFFull)
                return fail(QStringLiteral("--seed needs a number from 0 to 4294967295"));
            o.seed = static_cast<std::uint32_t>(seed);
        } else if (name == QLatin1String("--link") || name == QLatin1String("--log")) {
            const std::optional<QString> v = value();
            if (!v || v->isEmpty()) return fail(QStringLiteral("%1 needs a path").arg(name));
            (name == QLatin1String("--link") ? o.linkPath : o.logPath) = *v;
        } else {
            return fail(QStringLiteral("unknown argument \"%1\"").arg(arg));
        }
    }
    for (const auto& [address, file] : o.images) {
        if (std::find(o.addresses.begin(), o.addresses.end(), address) == o.addresses.end())
            return fail(QStringLiteral("--image: there is no unit %1 (see --units)").arg(address));
    }
    return o;
}

}  // namespace tvrsim
