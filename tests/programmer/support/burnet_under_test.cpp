#include "burnet_under_test.h"

#include "support/widgets.h"

#include "programmer/app/hex_writer.h"
#include "programmer/app/programmerdlg.h"
#include "programmer/link/device_table.h"

#include <QComboBox>
#include <QFile>

#include <gtest/gtest.h>

namespace burnettest {

namespace {

QByteArray record(std::uint8_t type, std::uint16_t address, const QByteArray& data) {
    QByteArray bytes;
    bytes.append(static_cast<char>(data.size()));
    bytes.append(static_cast<char>(address >> 8));
    bytes.append(static_cast<char>(address));
    bytes.append(static_cast<char>(type));
    bytes += data;
    std::uint8_t sum = 0;
    for (char b : bytes) sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(b));
    bytes.append(static_cast<char>(-sum));
    return ':' + bytes.toHex().toUpper() + "\r\n";
}

}  // namespace

QByteArray hexFile(const std::vector<std::pair<std::uint32_t, QByteArray>>& blocks) {
    QByteArray text;
    std::uint32_t segment = 0;
    for (const auto& [start, data] : blocks) {
        for (qsizetype at = 0; at < data.size(); at += 16) {
            const std::uint32_t address = start + static_cast<std::uint32_t>(at);
            if (address - segment > 0xFFFF) {
                segment = address & ~0xFFFFu;
                const auto paragraph = static_cast<std::uint16_t>(segment >> 4);
                text += record(2, 0, QByteArray(1, static_cast<char>(paragraph >> 8)) + static_cast<char>(paragraph));
            }
            text += record(0, static_cast<std::uint16_t>(address - segment), data.mid(at, 16));
        }
    }
    return text + record(1, 0, {});
}

QByteArray hexOfMemory(const QByteArray& memory) {
    QByteArray text;
    for (qsizetype offset = 0; offset + 16 <= memory.size(); offset += 16) {
        if (offset % 0x10000 == 0) text += burnet::HexSegmentRecord(static_cast<std::uint16_t>(offset / 16));
        const auto* data = reinterpret_cast<const std::uint8_t*>(memory.constData() + offset);
        text += burnet::HexDataRecord(static_cast<std::uint16_t>(offset), std::span<const std::uint8_t, 16>(data, 16));
    }
    return text + burnet::HexEndRecord();
}

QByteArray pattern(int size, std::uint32_t seed) {
    QByteArray b(size, '\0');
    std::uint32_t x = seed;
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        b[i] = static_cast<char>((x >> 16) % 255);
    }
    return b;
}

BurnetUnderTest::BurnetUnderTest(const char* partId, ispsim::ProgrammerConfig config)
    : dialogs_([](const QString& what) { ADD_FAILURE() << what.toStdString(); }),
      registry_(dir_.path() + QStringLiteral("/registry")),
      profile_(registry_, burnet::settings::kRootKey),
      isp_(*ispsim::findPart(QString::fromLatin1(partId)), std::move(config)),
      wire_(scheduler_, &isp_),
      services_{scheduler_, dialogs_, registry_, ports_, {}} {
    dialogs_.setStrict(true);
    ports_.add(QStringLiteral("COM1"), &wire_);
}

BurnetUnderTest::~BurnetUnderTest() {
    if (dialogs_.unansweredScript() > 0) ADD_FAILURE() << dialogs_.unansweredScript() << " expected box(es) never shown";
    window_.reset();
}

void BurnetUnderTest::setSetting(const QString& name, quint32 value) {
    registry_.writeDword(burnet::settings::kRootKey + QStringLiteral("\\") + burnet::settings::kSettings, name, value);
}

void BurnetUnderTest::saveValue(const QString& section, const QString& name, const QString& value) {
    profile_.WriteProfileString(section, name, value);
}

QString BurnetUnderTest::savedValue(const QString& section, const QString& name) const {
    return profile_.GetProfileString(section, name, QStringLiteral("<missing>"));
}

QString BurnetUnderTest::writeFile(const QString& fileName, const QByteArray& content) const {
    QFile f(path(fileName));
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size()) ADD_FAILURE() << "cannot write " << fileName.toStdString();
    return f.fileName();
}

QByteArray BurnetUnderTest::readFile(const QString& fileName) const {
    QFile f(path(fileName));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void BurnetUnderTest::provideAdvancedDialog() {
    services_.advanced = [this](QWidget*, burnet::CLowIO&, const burnet::DeviceRow& device, std::uint8_t version) {
        advancedCalls_.push_back(AdvancedCall{device.deviceCode, version});
    };
}

bool BurnetUnderTest::start() {
    window_ = std::make_unique<burnet::CProgrammerDlg>(services_, profile_);
    const bool running = window_->OnInitDialog();
    if (running) window_->show();
    testsupport::processEvents();
    return running;
}

void BurnetUnderTest::click(int id) { testsupport::click(window_.get(), QString::number(id)); }

void BurnetUnderTest::choose(int id, const QString& entry) {
    testsupport::choose(window_.get(), QString::number(id), entry);
}

QString BurnetUnderTest::text(int id) { return testsupport::shownText(window_.get(), QString::number(id)); }

bool BurnetUnderTest::enabled(int id) {
    QWidget* w = testsupport::find(window_.get(), QString::number(id));
    return w && w->isEnabled();
}

QStringList BurnetUnderTest::entries(int id) {
    QStringList list;
    if (auto* c = testsupport::find<QComboBox>(window_.get(), QString::number(id)))
        for (int i = 0; i < c->count(); ++i) list << c->itemText(i);
    return list;
}

QStringList BurnetUnderTest::sent() {
    QStringList texts = isp_.logTexts();
    isp_.clearLog();
    texts.removeAll(QStringLiteral("ESC"));
    return texts;
}

void BurnetUnderTest::browseTo(const QString& fileName) {
    chooseFile(fileName);
    click(1000);
}

}  // namespace burnettest
