// burnet-program --port PATH --device NAME FILE.hex
// Erases the chip, programs the flash from an Intel HEX file and verifies it, the way
// Burnet's "编程" button does, through the programmer on PATH (a serial device or a
// simulator's pty). Boxes the routines would show are printed instead.
#include "programmer/app/hex_file.h"
#include "programmer/app/memory_image.h"
#include "programmer/link/device_table.h"
#include "programmer/link/lowio.h"

#include "platform/registry/registry.h"
#include "platform/serial/port_map.h"
#include "platform/serial/posix_serial_port.h"
#include "platform/timing/qt_scheduler.h"
#include "platform/ui/dialogs.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

int fail(const QString& text) {
    std::fprintf(stderr, "burnet-program: %s\n", qPrintable(text));
    return 1;
}

// Prints what would be a message box; questions are answered No.
class ConsoleDialogs : public platform::Dialogs {
public:
    std::optional<QString> openFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> browseFolder(QWidget*, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFileOrNew(QWidget*, const QString&, const QString&, const QString&,
                                         const QString&) override {
        return {};
    }

protected:
    platform::Answer showMessage(QWidget*, const QString& caption, const QString& text, platform::Icon,
                                 platform::Buttons buttons) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return buttons == platform::Buttons::Ok ? platform::Answer::Ok : platform::Answer::No;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("the programmer's serial device"), QStringLiteral("PATH"));
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("the target, as Burnet's device list names it"),
                                    QStringLiteral("NAME"));
    parser.addOptions({port, device});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Intel HEX file"));
    parser.process(app);
    if (!parser.isSet(port) || !parser.isSet(device) || parser.positionalArguments().size() != 1)
        return fail(QStringLiteral("usage: burnet-program --port PATH --device NAME FILE.hex"));

    const burnet::DeviceRow& row = burnet::FindRowByName(parser.value(device));
    if (row.isEnd()) return fail(QStringLiteral("no device named \"%1\"").arg(parser.value(device)));
    burnet::MemoryImage image;
    image.allocate(row.flashSize);
    QFile file(parser.positionalArguments().first());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return fail(file.fileName() + QStringLiteral(": ") + file.errorString());
    if (!burnet::IsHexFile(file) || !burnet::LoadHex(file, image).valid)
        return fail(file.fileName() + QStringLiteral(" is not a valid Intel HEX file"));

    // The device is COM1 for the port scan, in a registry of this run's own.
    QTemporaryDir registryDir;
    platform::Registry registry(registryDir.path());
    platform::PortMap portMap(registry);
    portMap.setEntry(QStringLiteral("COM1"), parser.value(port));
    platform::PosixSerialPortFactory ports(portMap);
    platform::QtScheduler scheduler;
    ConsoleDialogs dialogs;
    burnet::CLowIO io(ports, scheduler, dialogs);

    if (!io.FindProgrammer()) return fail(QStringLiteral("no programmer on ") + parser.value(port));
    const std::uint8_t version = io.ReadDeviceList().isEmpty() ? io.ReadParamVersion() : 0;
    io.ReadBlockSupport();
    if (!io.SelectDevice(row, version)) return fail(QStringLiteral("the programmer does not take the device"));
    io.ShowStatus(burnet::CLowIO::Status::Busy);
    const std::uint32_t highest = std::min(image.highestAddress, row.flashSize - 1);
    const bool ok = io.ChipErase() && io.ProgramFlash(image.bytes, highest, row.pageSize) &&
                    io.VerifyFlash(image.bytes, highest);
    io.ShowStatus(ok ? burnet::CLowIO::Status::Passed : burnet::CLowIO::Status::Failed);
    if (!ok) {
        io.LeaveProgMode();
        return fail(QStringLiteral("programming failed"));
    }
    std::printf("%s: %u bytes programmed and verified\n", row.name, highest + 1);
    return 0;
}
