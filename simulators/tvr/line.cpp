#include "line.h"

#include <map>

namespace tvrsim {
namespace {

QString printable(const QByteArray& bytes) {
    QString out;
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        if (c == '\r')
            out += QStringLiteral("\\r");
        else if (c == '\n')
            out += QStringLiteral("\\n");
        else if (b >= 0x20 && b < 0x7F)
            out += QLatin1Char(c);
        else
            out += QStringLiteral("\\x%1").arg(b, 2, 16, QLatin1Char('0'));
    }
    return out;
}

}  // namespace

Unit& Line::add(std::unique_ptr<Unit> unit) {
    Unit* u = unit.get();
    u->setRawOutput([this, u](const QByteArray& bytes) {
        log(QStringLiteral("unit %1 loader sends %2").arg(u->address()).arg(printable(bytes)));
        if (link_) link_->send(bytes);
    });
    units_.push_back(std::move(unit));
    return *u;
}

Unit* Line::unit(int address) {
    for (auto& u : units_)
        if (u->address() == address) return u.get();
    return nullptr;
}

void Line::log(const QString& text) const {
    if (log_) log_(text);
}

void Line::received(const QByteArray& bytes) {
    for (char c : bytes) {
        for (auto& u : units_) {
            if (!u->inLoader()) continue;
            const Loader::State before = u->loaderState();
            u->loaderByte(c);
            if (u->loaderState() != before)
                log(QStringLiteral("unit %1 loader got %2, now %3")
                        .arg(u->address())
                        .arg(printable(QByteArray(1, c)))
                        .arg(u->loaderState() == Loader::State::Off
                                 ? QStringLiteral("back to normal operation")
                                 : QStringLiteral("waiting for the programmer")));
        }
        const std::optional<ReceivedLine> line = reader_.feed(c);
        if (!line) continue;
        if (line->fault != LineFault::None) {
            log(QStringLiteral("host     :%1 ignored (%2)")
                    .arg(printable(line->text))
                    .arg(QLatin1String(lineFaultName(line->fault))));
            continue;
        }
        log(QStringLiteral("host     %1").arg(printable(line->frame.wire().chopped(2))));
        route(line->frame);
    }
}

void Line::route(const Frame& request) {
    std::map<int, std::vector<std::pair<Unit*, Frame>>> byDelay;
    for (auto& u : units_) {
        if (request.address != 0 && request.address != u->address()) continue;
        for (Answer& a : u->handle(request))
            byDelay[a.delayMs].emplace_back(u.get(), std::move(a.frame));
    }
    for (const auto& [delayMs, answers] : byDelay) {
        if (answers.size() == 1) {
            deliver(answers.front().second.wire(), delayMs,
                    QStringLiteral("unit %1").arg(answers.front().first->address()));
            continue;
        }
        std::vector<QByteArray> wires;
        QStringList who;
        for (const auto& [u, frame] : answers) {
            wires.push_back(frame.wire());
            who << QString::number(u->address());
        }
        deliver(collide(wires), delayMs,
                QStringLiteral("units %1 at once").arg(who.join(QLatin1Char(','))));
    }
}

void Line::deliver(const QByteArray& wire, int delayMs, const QString& who) {
    const std::optional<FaultInjector::Delivery> d = faults_.apply(wire, delayMs);
    if (!d) {
        log(QStringLiteral("%1 %2 lost").arg(who, printable(wire)));
        return;
    }
    log(QStringLiteral("%1 %2%3").arg(
        who, printable(d->bytes),
        d->delayMs > 0 ? QStringLiteral(" (after %1 ms)").arg(d->delayMs) : QString()));
    if (link_) link_->send(d->bytes, d->delayMs);
}

QByteArray Line::collide(const std::vector<QByteArray>& wires) {
    qsizetype longest = 0;
    for (const QByteArray& w : wires) longest = std::max(longest, w.size());
    QByteArray out;
    for (qsizetype i = 0; i < longest; ++i) {
        std::uint8_t common = 0xFF;
        bool differ = false;
        int senders = 0;
        char first = 0;
        for (const QByteArray& w : wires) {
            if (i >= w.size()) continue;
            if (senders++ == 0)
                first = w[i];
            else if (w[i] != first)
                differ = true;
            common &= static_cast<std::uint8_t>(w[i]);
        }
        out.append(differ ? static_cast<char>(common | 0x80) : first);
    }
    return out;
}

}  // namespace tvrsim
