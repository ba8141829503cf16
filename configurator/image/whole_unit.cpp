#include "whole_unit.h"

#include "image_layout.h"
#include "readwritesettingsfile.h"
#include "signaturecrc.h"
#include "signatures.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/app/workspace.h"
#include "configurator/link/receive_path.h"
#include "configurator/link/sender.h"
#include "configurator/protocol/answer_waits.h"
#include "configurator/protocol/dispatcher.h"
#include "configurator/protocol/progressbar.h"

#include "platform/ui/dialogs.h"

#include <QCoreApplication>

namespace veldar {
namespace {

constexpr std::uint8_t kCMD86 = 86;
constexpr std::uint8_t kCMD87 = 87;
constexpr std::uint8_t kCMD88 = 88;
const QString kCaption = QStringLiteral("VELDAR");

QString unitName(int address) { return QStringLiteral("TVR (") + QString::number(address) + QLatin1Char(')'); }

}  // namespace

WholeUnit::WholeUnit(const Parts& parts)
    : parts_(parts),
      readSurroundings_{parts.surroundings.log, parts.surroundings.dialogs, parts.surroundings.dialogParent,
                        [this] { return std::optional<int>(readAddress_); }, parts.surroundings.releaseWindow},
      writeSurroundings_{parts.surroundings.log, parts.surroundings.dialogs, parts.surroundings.dialogParent,
                         [this] { return std::optional<int>(writeAddress_); }, parts.surroundings.releaseWindow},
      TimerWaitAnsewerCMD87(waits::kCMD87, parts.scheduler, readSurroundings_,
                            {[this] { sendReadPage(readAddress_); },
                             [this] {
                                 reading_ = false;
                                 parts_.progress.close();
                                 if (search_.running && search_.running() && search_.readAbandoned)
                                     search_.readAbandoned();
                             },
                             {}}),
      TimerWaitAnsewerCMD86(waits::kCMD86, parts.scheduler, writeSurroundings_,
                            {[this] { sendWritePage(writeAddress_); },
                             [this] {
                                 writing_ = false;
                                 parts_.progress.close();
                             },
                             {}}),
      TimerWaitAnsewerCMD88(waits::kCMD88, parts.scheduler, parts.surroundings),
      TimerSendNextCMD86(parts.scheduler, kSendNextMs, [this] { TimerSendNextCMD86Timer(); }) {
    parts.dispatcher.route(kCMD87, [this](const Answer& a) { readAnswer(a); });
    parts.dispatcher.route(kCMD86, [this](const Answer& a) { writeAnswer(a); });
    parts.dispatcher.route(kCMD88, [this](const Answer& a) { signatureAnswer(a); });
    // Each page answer moves the bar as soon as its command code has arrived.
    parts.receivePath.addProgressHook("56", [this] { parts_.progress.advance(); });
    parts.receivePath.addProgressHook("57", [this] { parts_.progress.advance(); });
}

bool WholeUnit::ask(const QString& question) {
    return parts_.dialogs.message(parts_.dialogParent, kCaption, question, platform::Icon::Question,
                                  platform::Buttons::YesNo) == platform::Answer::Yes;
}

void WholeUnit::inform(const QString& text) {
    parts_.dialogs.message(parts_.dialogParent, kCaption, text, platform::Icon::Information);
}

void WholeUnit::fail(const QString& logText, const QString& boxText) {
    parts_.log.log(kLogError, logText);
    parts_.dialogs.message(parts_.dialogParent, kCaption, boxText, platform::Icon::Error);
}

// --- read ---

void WholeUnit::btnReadAllSettingsTVRClick() {
    readPage_ = 0;
    TimerWaitAnsewerCMD87.answered();
    if (!ask(QStringLiteral("Прочитать все настройки из блока TVR?"))) return;
    const auto address = parts_.workspace.currentUnit();
    if (!address) return;
    startRead(*address, kReadRange);
}

void WholeUnit::startRead(int address, int range) {
    readPage_ = 0;
    TimerWaitAnsewerCMD87.answered();
    reading_ = true;
    readAddress_ = address;
    sendReadPage(address);
    TimerWaitAnsewerCMD87.start();
    parts_.progress.start(QStringLiteral("Чтение настроек TVR"), range);
    parts_.workspace.hold();
}

void WholeUnit::sendReadPage(int address) {
    parts_.sender.sendRequest(static_cast<std::uint8_t>(address), kCMD87, static_cast<std::uint8_t>(readPage_));
}

// Only the page asked for counts: the late answer to a page already resent would otherwise
// start a second chain of requests.
void WholeUnit::readAnswer(const Answer& a) {
    const QByteArray data = a.data();
    if (!reading_ || data.size() < 1 + image::kPageSize) return;
    const int m = static_cast<std::uint8_t>(data[0]);
    if (m != readPage_) return;
    TimerWaitAnsewerCMD87.answered();
    if (m <= image::kLastPage) {
        if (parts_.imageBuffer.size() != image::kSize) parts_.imageBuffer = QByteArray(image::kSize, '\xFF');
        parts_.imageBuffer.replace(image::kPageSize * m, image::kPageSize, data.mid(1, image::kPageSize));
    }
    if (m < image::kLastPage) {
        readPage_ = m + 1;
        readAddress_ = a.address;
        sendReadPage(a.address);
        TimerWaitAnsewerCMD87.start();
        return;
    }
    reading_ = false;
    parts_.progress.close();
    // A file that cannot be written has said why; the read itself is complete.
    parts_.files.WriteSettingsBlock(a.address, 0, parts_.imageBuffer);
    if (search_.running && search_.running()) {
        search_.readDone(a.address);
        return;
    }
    parts_.workspace.release();
    parts_.log.log(kLogMessage, QStringLiteral("Получены все настройки для ") + unitName(a.address));
    inform(QStringLiteral("Настройки считаны и сохранены в файл."));
}

// --- write ---

void WholeUnit::btnWriteAllSettingsTVRClick() {
    writePage_ = 0;
    TimerWaitAnsewerCMD86.answered();
    const auto address = parts_.workspace.currentUnit();
    if (!address) return;
    if (!ask(QStringLiteral("Записать все настройки в блок TVR?"))) return;
    if (!ask(QStringLiteral("При записи всех настроек в TVR, предыдущие значения будут утрачены.\nПродолжить?"))) return;
    QByteArray image;
    if (!parts_.files.ReadSettingsBlock(*address, 0, image, image::kSize)) {
        // Nothing has been sent: the unit keeps what it has.
        fail(QStringLiteral("Запись всех настроек в ") + unitName(*address) +
                 QStringLiteral(" отменена. Не удается прочитать файл с настройками."),
             QStringLiteral("Не удается прочитать файл с настройками. Запись всех настроек в TVR отменена."));
        return;
    }
    parts_.imageBuffer = image;
    writeImage_ = image;
    writing_ = true;
    writeAddress_ = *address;
    sendWritePage(writeAddress_);
    TimerWaitAnsewerCMD86.start();
    parts_.progress.start(QStringLiteral("Запись всех настроек в TVR"), kReadRange);
    parts_.workspace.hold();
}

void WholeUnit::sendWritePage(int address) {
    QByteArray data(1, static_cast<char>(writePage_));
    data += writeImage_.mid(image::kPageSize * writePage_, image::kPageSize);
    parts_.sender.sendRequest(static_cast<std::uint8_t>(address), kCMD86, data);
}

// The next page follows our own counter; only the answer for the page just sent counts, so
// that a late second answer to a resent page does not stop the wait for the next one.
void WholeUnit::writeAnswer(const Answer& a) {
    const QByteArray data = a.data();
    if (!writing_ || data.isEmpty() || static_cast<std::uint8_t>(data[0]) != writePage_) return;
    parts_.workspace.release();
    TimerWaitAnsewerCMD86.answered();
    if (writePage_ >= image::kLastPage) {
        writing_ = false;
        parts_.progress.close();
        parts_.log.log(kLogMessage, QStringLiteral("Все настройки записаны в ") + unitName(a.address));
        inform(QStringLiteral("Все настройки записаны в TVR."));
        return;
    }
    writeAddress_ = a.address;
    TimerSendNextCMD86.start();
}

void WholeUnit::TimerSendNextCMD86Timer() {
    TimerSendNextCMD86.stop();
    if (!writing_) return;
    ++writePage_;
    sendWritePage(writeAddress_);
    TimerWaitAnsewerCMD86.start();
}

// --- whole-image signature ---

void WholeUnit::btnSignaturesAllSettingsTVRClick() {
    const auto address = parts_.workspace.currentUnit();
    if (!address) return;
    parts_.workspace.hold();
    QCoreApplication::processEvents();
    parts_.sender.sendRequest(static_cast<std::uint8_t>(*address), kCMD88);
    TimerWaitAnsewerCMD88.start();
}

void WholeUnit::signatureAnswer(const Answer& a) {
    const QByteArray data = a.data();
    if (data.size() < 2) return;
    TimerWaitAnsewerCMD88.answered();
    parts_.workspace.release();
    QByteArray image;
    if (!parts_.files.ReadSettingsBlock(a.address, 0, image, image::kSize)) {
        fail(QStringLiteral("Не удается прочитать файл с настройками для ") + unitName(a.address),
             QStringLiteral("Не удается прочитать файл с настройками."));
        return;
    }
    parts_.imageBuffer = image;
    const int received = static_cast<std::uint8_t>(data[0]) * 256 + static_cast<std::uint8_t>(data[1]);
    parts_.signatures.report(SignatureKind::WholeImage, SignatureCrc(image) == received, 0, a.address);
}

}  // namespace veldar
