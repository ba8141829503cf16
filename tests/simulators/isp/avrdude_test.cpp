// avrdude, a third-party client of the same protocol, against the real isp-sim executable on
// a pseudo-terminal: proof that the simulator behaves like real programmers and boot loaders,
// not only like our own client. These tests run in real time.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Deterministic content without long runs of 0xFF, so that nothing is skipped as erased.
QByteArray pattern(int size, std::uint32_t seed) {
    QByteArray b(size, '\0');
    std::uint32_t x = seed;
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        b[i] = static_cast<char>((x >> 16) % 255);
    }
    return b;
}

// Intel HEX with 16-byte data records and extended linear address records where the upper
// half of the address changes.
QByteArray intelHex(std::uint32_t base, const QByteArray& data) {
    QByteArray out;
    auto record = [&out](int type, std::uint16_t address, const QByteArray& payload) {
        QByteArray r;
        r.append(static_cast<char>(payload.size()));
        r.append(static_cast<char>(address >> 8));
        r.append(static_cast<char>(address));
        r.append(static_cast<char>(type));
        r += payload;
        std::uint8_t sum = 0;
        for (char c : r) sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(c));
        r.append(static_cast<char>(-sum));
        out += ':' + r.toHex().toUpper() + '\n';
    };
    std::uint32_t upper = 0;
    for (int i = 0; i < data.size(); i += 16) {
        const std::uint32_t a = base + static_cast<std::uint32_t>(i);
        if ((a >> 16) != upper) {
            upper = a >> 16;
            record(4, 0, QByteArray(1, static_cast<char>(upper >> 8)) + QByteArray(1, static_cast<char>(upper)));
        }
        record(0, static_cast<std::uint16_t>(a), data.mid(i, 16));
    }
    record(1, 0, {});
    return out;
}

// One isp-sim process; always ended, however the test ends.
class Simulator {
public:
    Simulator(const QString& folder, const QStringList& args) : link_(folder + QStringLiteral("/ttyISP")) {
        process_.setProgram(QStringLiteral(ISP_SIM_PATH));
        process_.setArguments(QStringList{QStringLiteral("--link"), link_} + args);
        process_.start();
        if (!process_.waitForStarted(5000)) {
            error_ = QStringLiteral("isp-sim did not start: ") + process_.errorString();
            return;
        }
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
        }
        if (!process_.canReadLine()) {
            error_ = QStringLiteral("isp-sim printed no terminal path; it said: ") +
                     QString::fromLocal8Bit(process_.readAllStandardError());
            return;
        }
        pty_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~Simulator() { stop(); }

    // Ends the simulator as a user would (SIGTERM); true when it ended cleanly.
    bool stop() {
        if (process_.state() == QProcess::NotRunning) return process_.exitStatus() == QProcess::NormalExit;
        process_.terminate();
        if (process_.waitForFinished(5000)) return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        process_.kill();
        process_.waitForFinished(5000);
        return false;
    }
    const QString& error() const { return error_; }
    const QString& link() const { return link_; }
    const QString& pty() const { return pty_; }

private:
    QProcess process_;
    QString link_;
    QString pty_;
    QString error_;
};

struct AvrdudeRun {
    int exitCode = -1;
    QString output;
};

class Avrdude : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        if (QStandardPaths::findExecutable(QStringLiteral("avrdude")).isEmpty())
            FAIL() << "avrdude is not installed (scripts/deps.sh installs it)";
    }

    void start(const QStringList& args) {
        sim = std::make_unique<Simulator>(dir.path(), args + QStringList{QStringLiteral("--log"), path("isp.log")});
        ASSERT_TRUE(sim->error().isEmpty()) << sim->error().toStdString();
    }

    // avrdude under `timeout`: a client that waits forever on a silent port must not hang
    // the test run.
    AvrdudeRun avrdude(const QString& programmer, const QString& part, const QStringList& args, int seconds = 60) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral("timeout"),
                QStringList{QStringLiteral("-k"), QStringLiteral("5"), QString::number(seconds), QStringLiteral("avrdude"),
                            QStringLiteral("-c"), programmer, QStringLiteral("-p"), part, QStringLiteral("-P"),
                            sim->link(), QStringLiteral("-b"), QStringLiteral("115200")} +
                    args);
        AvrdudeRun r;
        if (!p.waitForFinished((seconds + 10) * 1000)) p.kill();
        p.waitForFinished(5000);
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.output = QString::fromLocal8Bit(p.readAll());
        return r;
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void writeFile(const char* name, const QByteArray& content) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    // A memory read back in raw form; avrdude leaves out trailing 0xFF, so it is padded to size.
    QByteArray readBack(const char* name, int size) {
        QFile f(path(name));
        if (!f.open(QIODevice::ReadOnly)) return {};
        QByteArray b = f.readAll();
        if (b.size() < size) b.append(QByteArray(size - b.size(), '\xFF'));
        return b;
    }
    QString fileText(const char* name) {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).trimmed() : QString();
    }
    // Shown on failure: what avrdude said and what the simulator saw.
    std::string story(const AvrdudeRun& r) {
        QFile log(path("isp.log"));
        QByteArray tail;
        if (log.open(QIODevice::ReadOnly)) tail = log.readAll().right(3000);
        return ("avrdude (exit " + QString::number(r.exitCode) + "):\n" + r.output + "\nisp-sim log (end):\n" +
                QString::fromLocal8Bit(tail))
            .toStdString();
    }

    QTemporaryDir dir;
    std::unique_ptr<Simulator> sim;
};

QStringList ops(std::initializer_list<const char*> operations) {
    QStringList args;
    for (const char* s : operations) args << QStringLiteral("-U") << QString::fromLatin1(s);
    return args;
}

}  // namespace

TEST_F(Avrdude, Avr910WritesVerifiesAndReadsBackFlashAndEeprom) {
    start({QStringLiteral("--part"), QStringLiteral("m16"), QStringLiteral("--no-pacing")});
    const QByteArray code = pattern(12 * 1024 + 100, 1);
    const QByteArray data = pattern(512, 2);
    writeFile("code.hex", intelHex(0, code));
    writeFile("data.hex", intelHex(0, data));
    const AvrdudeRun r = avrdude(QStringLiteral("avr910"), QStringLiteral("m16"),
                          ops({"flash:w:code.hex:i", "eeprom:w:data.hex:i", "flash:r:flash.bin:r",
                               "eeprom:r:eeprom.bin:r", "lfuse:r:lfuse.txt:h"}));
    ASSERT_EQ(r.exitCode, 0) << story(r);
    EXPECT_TRUE(r.output.contains(QLatin1String("signature = 0x1e9403"), Qt::CaseInsensitive)) << story(r);
    EXPECT_TRUE(r.output.contains(QLatin1String("bytes of flash verified"))) << story(r);
    const QByteArray flash = readBack("flash.bin", 16384);
    EXPECT_EQ(flash.left(code.size()), code);
    EXPECT_EQ(flash.mid(code.size()), QByteArray(16384 - code.size(), '\xFF'));
    EXPECT_EQ(readBack("eeprom.bin", 512), data);
    EXPECT_EQ(fileText("lfuse.txt"), QStringLiteral("0xe1"));

    const AvrdudeRun fuses = avrdude(QStringLiteral("avr910"), QStringLiteral("m16"),
                              ops({"lfuse:w:0xe4:m", "lfuse:r:lfuse.txt:h"}));
    ASSERT_EQ(fuses.exitCode, 0) << story(fuses);
    EXPECT_EQ(fileText("lfuse.txt"), QStringLiteral("0xe4"));
    EXPECT_TRUE(sim->stop());
    EXPECT_FALSE(QFileInfo::exists(sim->link())) << "the link outlived the simulator";
}

TEST_F(Avrdude, Avr910OnA128KPartAcrossThe64KBoundary) {
    start({QStringLiteral("--part"), QStringLiteral("m128"), QStringLiteral("--block"), QStringLiteral("256"),
           QStringLiteral("--no-pacing")});
    const QByteArray code = pattern(10 * 1024, 3);
    writeFile("code.hex", intelHex(0xF800, code));
    const AvrdudeRun r = avrdude(QStringLiteral("avr910"), QStringLiteral("m128"),
                          ops({"flash:w:code.hex:i", "flash:r:flash.bin:r", "efuse:r:efuse.txt:h"}));
    ASSERT_EQ(r.exitCode, 0) << story(r);
    EXPECT_TRUE(r.output.contains(QLatin1String("signature = 0x1e9702"), Qt::CaseInsensitive)) << story(r);
    const QByteArray flash = readBack("flash.bin", 0x20000);
    EXPECT_EQ(flash.mid(0xF800, code.size()), code);
    EXPECT_EQ(flash.left(0xF800), QByteArray(0xF800, '\xFF'));
    EXPECT_EQ(fileText("efuse.txt"), QStringLiteral("0xfd"));
}

// A part without pages, a programmer without block mode: every byte is its own command, so
// the image is kept small.
TEST_F(Avrdude, Avr910ByteByByteOnAPartWithoutPages) {
    start({QStringLiteral("--part"), QStringLiteral("8515"), QStringLiteral("--no-block"), QStringLiteral("--no-pacing")});
    const QByteArray code = pattern(2 * 1024, 4);
    const QByteArray data = pattern(64, 5);
    writeFile("code.hex", intelHex(0, code));
    writeFile("data.hex", intelHex(0x100, data));
    const AvrdudeRun r = avrdude(QStringLiteral("avr910"), QStringLiteral("8515"),
                          ops({"flash:w:code.hex:i", "eeprom:w:data.hex:i", "flash:r:flash.bin:r",
                               "eeprom:r:eeprom.bin:r"}));
    ASSERT_EQ(r.exitCode, 0) << story(r);
    EXPECT_TRUE(r.output.contains(QLatin1String("signature = 0x1e9301"), Qt::CaseInsensitive)) << story(r);
    const QByteArray flash = readBack("flash.bin", 8192);
    EXPECT_EQ(flash.left(code.size()), code);
    EXPECT_EQ(flash.mid(code.size()), QByteArray(8192 - code.size(), '\xFF'));
    EXPECT_EQ(readBack("eeprom.bin", 512).mid(0x100, data.size()), data);
}

// Lock mode 3 forbids programming and verifying: without an erase avrdude's verify must
// fail; the erase that comes with a normal write unlocks the chip again.
TEST_F(Avrdude, Avr910FindsALockedChipAsARealOneWouldBe) {
    start({QStringLiteral("--part"), QStringLiteral("m16"), QStringLiteral("--no-pacing")});
    writeFile("code.hex", intelHex(0, pattern(8 * 1024, 6)));
    const AvrdudeRun lock = avrdude(QStringLiteral("avr910"), QStringLiteral("m16"), ops({"lock:w:0xfc:m"}));
    ASSERT_EQ(lock.exitCode, 0) << story(lock);
    const AvrdudeRun locked = avrdude(QStringLiteral("avr910"), QStringLiteral("m16"), QStringList{QStringLiteral("-D")} +
                                                                                   ops({"flash:w:code.hex:i"}));
    EXPECT_NE(locked.exitCode, 0) << story(locked);
    EXPECT_TRUE(locked.output.contains(QLatin1String("mismatch"))) << story(locked);
    const AvrdudeRun erased = avrdude(QStringLiteral("avr910"), QStringLiteral("m16"), ops({"flash:w:code.hex:i", "lock:r:lock.txt:h"}));
    ASSERT_EQ(erased.exitCode, 0) << story(erased);
    EXPECT_EQ(fileText("lock.txt"), QStringLiteral("0xff"));
}

// The boot-loader personality as a butterfly (AVR109) client sees it, paced at the line's
// real speed.
TEST_F(Avrdude, ButterflyProgramsThroughTheBootLoader) {
    start({QStringLiteral("--part"), QStringLiteral("m16"), QStringLiteral("--bootloader")});
    const QByteArray code = pattern(12 * 1024, 7);
    const QByteArray data = pattern(512, 8);
    writeFile("code.hex", intelHex(0, code));
    writeFile("data.hex", intelHex(0, data));
    const AvrdudeRun r = avrdude(QStringLiteral("butterfly"), QStringLiteral("m16"),
                          ops({"flash:w:code.hex:i", "eeprom:w:data.hex:i", "flash:r:flash.bin:r",
                               "eeprom:r:eeprom.bin:r", "lfuse:r:lfuse.txt:h", "hfuse:r:hfuse.txt:h"}));
    ASSERT_EQ(r.exitCode, 0) << story(r);
    EXPECT_TRUE(r.output.contains(QLatin1String("signature = 0x1e9403"), Qt::CaseInsensitive)) << story(r);
    const QByteArray flash = readBack("flash.bin", 16384);
    EXPECT_EQ(flash.left(code.size()), code);
    EXPECT_EQ(flash.mid(code.size()), QByteArray(16384 - code.size(), '\xFF'));
    EXPECT_EQ(readBack("eeprom.bin", 512), data);
    EXPECT_EQ(fileText("lfuse.txt"), QStringLiteral("0xe1"));
    EXPECT_EQ(fileText("hfuse.txt"), QStringLiteral("0x99"));
}
