#include "fuse_options.h"

namespace burnet {

namespace fuseoptions {

const QStringList& ClockX16() {
    static const QStringList list{
        QStringLiteral("Ext Clock, Startup: 4.2ms + 6 CK"),   QStringLiteral("Ext Clock, Startup: 30us + 6 CK"),
        QStringLiteral("Int RCosc, Startup: 67ms + 6 CK"),    QStringLiteral("Int RCosc, Startup: 4.2ms + 6 CK"),
        QStringLiteral("Int RCosc, Startup: 30us + 6 CK"),    QStringLiteral("Ext RCosc, Startup: 67ms + 6 CK"),
        QStringLiteral("Ext RCosc, Startup: 4.2ms + 6 CK"),   QStringLiteral("Ext RCosc, Startup: 30us + 6 CK"),
        QStringLiteral("Ext LFXTAL, Startup: 67ms + 32K CK"), QStringLiteral("Ext LFXTAL, Startup: 67ms + 1K CK"),
        QStringLiteral("Ext XTAL, Startup: 67ms + 16K CK"),   QStringLiteral("Ext XTAL, Startup: 4.2ms + 16K CK"),
        QStringLiteral("Ext XTAL, Startup: 30us + 16K CK"),   QStringLiteral("Ext XTAL, Startup: 67ms + 1K CK"),
        QStringLiteral("Ext XTAL, Startup: 4.2ms + 1K CK"),   QStringLiteral("Ext XTAL, Startup: 30us + 1K CK"),
    };
    return list;
}

const QStringList& ClockX13() {
    static const QStringList list{
        QStringLiteral("Ext Clock"),
        QStringLiteral("Int RCosc, Frequency 1MHz"),
        QStringLiteral("Int RCosc, Frequency 2MHz"),
        QStringLiteral("Int RCosc, Frequency 4MHz"),
        QStringLiteral("Int RCosc, Frequency 8MHz"),
        QStringLiteral("Ext RCosc, Frequency ~100KHz"),
        QStringLiteral("Ext RCosc, Frequency ~2MHz"),
        QStringLiteral("Ext RCosc, Frequency ~8MHz"),
        QStringLiteral("Ext RCosc, Frequency ~12MHz"),
        QStringLiteral("Ext LFXTAL"),
        QStringLiteral("Ext XTAL, Low frequency"),
        QStringLiteral("Ext XTAL, Medium frequency"),
        QStringLiteral("Ext XTAL, High frequency"),
    };
    return list;
}

const QStringList& Bod3a() {
    static const QStringList list{QStringLiteral("No BOD function"), QStringLiteral("BOD enabled, 2.7V"),
                                  QStringLiteral("BOD enabled, 4.0V")};
    return list;
}

const QStringList& Bod3b() {
    static const QStringList list{QStringLiteral("No BOD function"), QStringLiteral("BOD enabled, 1.8V"),
                                  QStringLiteral("BOD enabled, 2.7V")};
    return list;
}

const QStringList& Bod2() {
    static const QStringList list{QStringLiteral("No BOD function"), QStringLiteral("BOD enabled")};
    return list;
}

const QStringList& Bod4() {
    static const QStringList list{QStringLiteral("Bodlevel 2.7V"), QStringLiteral("Bodlevel 4.0V"),
                                  QStringLiteral("BOD enabled, 2.7V"), QStringLiteral("BOD enabled, 4.0V")};
    return list;
}

const QStringList& Boot1024() {
    static const QStringList list{QStringLiteral("Boot block 1024 Words"), QStringLiteral("Boot block 512 Words"),
                                  QStringLiteral("Boot block 256 Words"), QStringLiteral("Boot block 128 Words")};
    return list;
}

const QStringList& Boot2048() {
    static const QStringList list{QStringLiteral("Boot block 2048 Words"), QStringLiteral("Boot block 1024 Words"),
                                  QStringLiteral("Boot block 512 Words"), QStringLiteral("Boot block 256 Words")};
    return list;
}

const QStringList& Boot4096() {
    static const QStringList list{QStringLiteral("Boot block 4096 Words"), QStringLiteral("Boot block 2048 Words"),
                                  QStringLiteral("Boot block 1024 Words"), QStringLiteral("Boot block 512 Words")};
    return list;
}

QString NotSelectableClock() { return QStringLiteral("Not selectable/Supported"); }
QString NotSelectableList() { return QStringLiteral(" Not selectable/Supported"); }

QString CompatibilityMode() { return QStringLiteral("&Compatibility mode"); }

}  // namespace fuseoptions

namespace {

constexpr int kFirstCrystalClock = 10;

}  // namespace

CrystalClockView CrystalClock(int clockIndex) {
    const QString intcap = QStringLiteral("&INTCAP");
    if (clockIndex >= 0 && clockIndex <= 4) {
        return {{QStringLiteral("Startup: 6 CK"), QStringLiteral("Startup: 4ms + 6 CK"),
                 QStringLiteral("Startup: 64ms + 6 CK"), QStringLiteral("Startup: 64ms + 6 CK")},
                clockIndex == 0 ? intcap : QString()};
    }
    if (clockIndex >= 5 && clockIndex <= 8) {
        return {{QStringLiteral("Startup: 18 CK"), QStringLiteral("Startup: 4ms + 18 CK"),
                 QStringLiteral("Startup: 64ms + 18 CK"), QStringLiteral("Startup: 4ms + 6 CK")},
                intcap};
    }
    if (clockIndex == 9) {
        return {{QStringLiteral("Startup: 4ms + 1K CK"), QStringLiteral("Startup: 64ms + 1K CK"),
                 QStringLiteral("Startup: 64ms + 32K CK"), QStringLiteral("Startup: 64ms + 32K CK")},
                intcap};
    }
    if (clockIndex >= kFirstCrystalClock && clockIndex <= 12) {
        return {{QStringLiteral("Startup: 4ms + 258 CK"), QStringLiteral("Startup: 64 ms + 258 CK"),
                 QStringLiteral("Startup: 1K CK"), QStringLiteral("Startup: 4 ms + 1K CK"),
                 QStringLiteral("Startup: 64 ms + 1K CK"), QStringLiteral("Startup: 16K CK"),
                 QStringLiteral("Startup: 4 ms + 16K CK"), QStringLiteral("Startup: 64 ms + 16K CK")},
                QStringLiteral("&Full amplitude")};
    }
    return {};
}

int KeptStartupIndex(int previousIndex, int clockIndex) {
    // No selection stays no selection rather than turning into the last entry.
    if (previousIndex < 0) return previousIndex;
    return clockIndex >= kFirstCrystalClock ? previousIndex : previousIndex & 3;
}

QStringList BodClockList(bool bodEnabled) {
    static const char* const startups[] = {
        "Startup: 5.8ms + 6 CK",  "Startup: 10us + 6 CK",   "Startup: 92ms + 16K CK", "Startup: 5.8ms + 16K CK",
        "Startup: 10us + 16K CK", "Startup: 92ms + 1K CK",  "Startup: 5.8ms + 1K CK", "Startup: 10us + 1K CK",
        "Startup: 4.2ms + 6 CK",  "Startup: 30us + 6 CK",   "Startup: 67ms + 16K CK", "Startup: 4.2ms + 16K CK",
        "Startup: 30us + 16K CK", "Startup: 67ms + 1K CK",  "Startup: 4.2ms + 1K CK", "Startup: 30us + 1K CK",
    };
    QStringList list;
    for (int i = 0; i < 16; ++i) {
        QString entry = QLatin1String(startups[i]);
        if (bodEnabled) entry.prepend(i < 8 ? QStringLiteral("BOD level 4.0V, ") : QStringLiteral("BOD level 2.7V, "));
        list << entry;
    }
    return list;
}

}  // namespace burnet
