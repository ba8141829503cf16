#include "options.h"

#include <QCommandLineParser>

namespace ispsim {
namespace {

QString partList() {
    QStringList ids;
    for (const PartInfo& p : allParts()) ids << p.id;
    return ids.join(QStringLiteral(", "));
}

struct Parser {
    QCommandLineParser p;
    QCommandLineOption link{QStringLiteral("link"), QString(), QStringLiteral("PATH")};
    QCommandLineOption part{QStringLiteral("part"), QString(), QStringLiteral("ID")};
    QCommandLineOption type{QStringLiteral("type"), QString(), QStringLiteral("S|P")};
    QCommandLineOption types{QStringLiteral("types"), QString(), QStringLiteral("LETTERS")};
    QCommandLineOption block{QStringLiteral("block"), QString(), QStringLiteral("N")};
    QCommandLineOption noBlock{QStringLiteral("no-block"), QString()};
    QCommandLineOption noAutoinc{QStringLiteral("no-autoinc"), QString()};
    QCommandLineOption paramVersion{QStringLiteral("param-version"), QString(), QStringLiteral("V")};
    QCommandLineOption devices{QStringLiteral("devices"), QString(), QStringLiteral("CODES")};
    QCommandLineOption id{QStringLiteral("id"), QString(), QStringLiteral("TEXT")};
    QCommandLineOption bootloader{QStringLiteral("bootloader"), QString()};
    QCommandLineOption realistic{QStringLiteral("realistic"), QString()};
    QCommandLineOption noPacing{QStringLiteral("no-pacing"), QString()};
    QCommandLineOption log{QStringLiteral("log"), QString(), QStringLiteral("FILE")};
    QCommandLineOption baud{QStringLiteral("baud"), QString(), QStringLiteral("N")};
    QCommandLineOption noTarget{QStringLiteral("no-target"), QString()};
    QCommandLineOption upgradeMode{QStringLiteral("upgrade-mode"), QString()};
    QCommandLineOption noLamps{QStringLiteral("no-lamps"), QString()};
    QCommandLineOption help{QStringLiteral("help"), QString()};

    Parser() {
        p.addOptions({link, part, type, types, block, noBlock, noAutoinc, paramVersion, devices, id,
                      bootloader, realistic, noPacing, log, baud, noTarget, upgradeMode, noLamps, help});
    }
};

bool toNumber(const QString& text, int low, int high, int& out) {
    bool ok = false;
    const int v = text.toInt(&ok, 0);
    if (!ok || v < low || v > high) return false;
    out = v;
    return true;
}

QString parseDeviceList(const QString& text, QByteArray& out) {
    out.clear();
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int code = item.trimmed().toInt(&ok, 16);
        if (!ok || code < 1 || code > 0xFF)
            return QStringLiteral("--devices: \"%1\" is not a device code (hex 01 to FF)").arg(item);
        out.append(static_cast<char>(code));
    }
    return out.isEmpty() ? QStringLiteral("--devices: no device code given") : QString();
}

}  // namespace

ParsedOptions parseOptions(const QStringList& arguments) {
    ParsedOptions result;
    Options& o = result.options;
    Parser ps;
    auto fail = [&](const QString& error) {
        result.error = error;
        return result;
    };
    if (!ps.p.parse(arguments)) return fail(ps.p.errorText());
    if (!ps.p.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: %1").arg(ps.p.positionalArguments().first()));
    if (ps.p.isSet(ps.help)) {
        result.help = true;
        return result;
    }

    if (ps.p.isSet(ps.part)) o.partId = ps.p.value(ps.part);
    const PartInfo* part = findPart(o.partId);
    if (!part) return fail(QStringLiteral("unknown part \"%1\" (known: %2)").arg(o.partId, partList()));
    o.partId = part->id;

    const bool boot = ps.p.isSet(ps.bootloader);
    if (boot) {
        if (!part->hasBootSection()) return fail(QStringLiteral("%1 has no boot loader section").arg(part->name));
        for (const QCommandLineOption* opt : {&ps.type, &ps.types, &ps.paramVersion, &ps.noTarget}) {
            if (ps.p.isSet(*opt))
                return fail(QStringLiteral("--%1 does not apply to --bootloader").arg(opt->names().first()));
        }
        o.config = ProgrammerConfig::bootLoaderOf(*part);
    } else {
        o.config = ProgrammerConfig::inSystemProgrammer();
    }
    ProgrammerConfig& c = o.config;

    if (ps.p.isSet(ps.type)) {
        const QString t = ps.p.value(ps.type);
        if (t != QLatin1String("S") && t != QLatin1String("P")) return fail(QStringLiteral("--type must be S or P"));
        c.type = t[0].toLatin1();
        c.programmerTypes = QByteArray(1, c.type);
    }
    if (ps.p.isSet(ps.types)) c.programmerTypes = ps.p.value(ps.types).toLatin1();

    if (ps.p.isSet(ps.block) && ps.p.isSet(ps.noBlock)) return fail(QStringLiteral("--block and --no-block exclude each other"));
    if (ps.p.isSet(ps.block) && !toNumber(ps.p.value(ps.block), 1, 0xFEFF, c.blockSize))
        return fail(QStringLiteral("--block must be a byte count from 1 to 65279"));
    if (ps.p.isSet(ps.noBlock)) c.blockSize = 0;
    if (ps.p.isSet(ps.noAutoinc)) c.autoIncrement = false;

    if (ps.p.isSet(ps.paramVersion) && ps.p.isSet(ps.devices))
        return fail(QStringLiteral("--param-version means no device list; it excludes --devices"));
    if (ps.p.isSet(ps.paramVersion)) {
        int v = 0;
        if (!toNumber(ps.p.value(ps.paramVersion), 0, 255, v)) return fail(QStringLiteral("--param-version must be 0 to 255"));
        c.paramVersion = static_cast<std::uint8_t>(v);
        c.deviceList.clear();
    }
    if (ps.p.isSet(ps.devices)) {
        const QString error = parseDeviceList(ps.p.value(ps.devices), c.deviceList);
        if (!error.isEmpty()) return fail(error);
    }

    if (ps.p.isSet(ps.id)) {
        const QByteArray id = ps.p.value(ps.id).toLatin1();
        if (id.size() != 7) return fail(QStringLiteral("--id must be 7 characters"));
        c.identifier = id;
    }
    if (ps.p.isSet(ps.baud) && !toNumber(ps.p.value(ps.baud), 1, 4000000, c.listenBaud))
        return fail(QStringLiteral("--baud must be a baud rate"));
    c.realisticTiming = ps.p.isSet(ps.realistic);
    c.upgradeMode = ps.p.isSet(ps.upgradeMode);
    c.hasLamps = !ps.p.isSet(ps.noLamps);
    o.targetPresent = !ps.p.isSet(ps.noTarget);
    o.pacing = !ps.p.isSet(ps.noPacing);
    o.linkPath = ps.p.value(ps.link);
    o.logPath = ps.p.value(ps.log);
    return result;
}

QString usage() {
    return QStringLiteral(
               "Usage: isp-sim [options]\n"
               "An in-system programmer (or a part's boot loader) with a virtual target chip, on a\n"
               "pseudo-terminal. Prints the terminal's path on the first line of its output.\n"
               "\n"
               "  --link PATH           also make PATH a symbolic link to the terminal\n"
               "  --part ID             the target part: %1 (default m16)\n"
               "  --type S|P            programmer type, serial or parallel (default S)\n"
               "  --types LETTERS       programmer types it offers (O) (default: the type)\n"
               "  --block N             block mode with N bytes (default 128)\n"
               "  --no-block            no block mode\n"
               "  --no-autoinc          no address auto-increment\n"
               "  --param-version V     no device list; V is the parameter-block version (K)\n"
               "  --devices CODES       device list, hex codes separated by commas (default: all parts)\n"
               "  --id TEXT             7-character identifier (default KES-ISP, KESBOOT)\n"
               "  --bootloader          the part's own boot loader instead of a programmer\n"
               "  --realistic           answer after the part's real programming times\n"
               "  --no-pacing           send at once instead of at the client's baud rate\n"
               "  --baud N              hear the client only at N baud\n"
               "  --no-target           no target connected\n"
               "  --upgrade-mode        answer only the upgrade-mode probe\n"
               "  --no-lamps            no lamps: x and y are unknown commands\n"
               "  --log FILE            append every command and answer to FILE\n")
        .arg(partList());
}

}  // namespace ispsim
