#include "programmerdlg.h"

#include "aboutdlg.h"
#include "burnet_icon.h"
#include "enciphered_image.h"
#include "hex_file.h"
#include "programming_rules.h"

#include "programmer/link/programmer_types.h"

#include "platform/timing/scheduler.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>

#include <algorithm>

namespace burnet {

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

const QString kMessageCaption = QStringLiteral("Burnet");

// Messages.
const QString kNoProgrammer = QStringLiteral("没有发现编程器目标板！   \nBurnet 1.37 汉化版 ");
const QString kNoDevice = QStringLiteral("错误:没有选择目标芯片!      ");
const QString kCannotRead = QStringLiteral("不能读取输入文件         ");
const QString kCannotOpen = QStringLiteral("不能打开输入文件         ");
const QString kCannotCreate = QStringLiteral("不能建立输出文件            ");
const QString kNotHex = QStringLiteral("您指定的文件不是一个有效的 Intel HEX 格式文件!  ");
const QString kBadChecksum = QStringLiteral("Checksum not valid in Intel HEX file\nProceed?");
const QString kOverwrite = QStringLiteral("%1\n这个文件已经存在.        \n覆盖这个文件吗?       ");
const QString kFlashTooBigToWrite = QStringLiteral("文件中数据的大小不适合写入该 Flash.  \n是否写入所适合的那部分数据?            ");
const QString kFlashTooBigToVerify = QStringLiteral("文件中数据的大小不适合写入该 Flash.  \n是否校验所适合的那部分数据?           ");
const QString kEepromTooBigToWrite = QStringLiteral("文件中数据的大小不适合写入该 EEPROM.  \n是否写入所适合的那部分数据?            ");
const QString kEepromTooBigToVerify = QStringLiteral("文件中数据的大小不适合写入该 EEPROM.  \n是否校验所适合的那部分数据?            ");
const QString kEntersBoot = QStringLiteral("Code enters BOOT area. Proceed??");
const QString kTruncateAtBoot = QStringLiteral("Truncate at BOOT limit ??");
const QString kProgramFailed = QStringLiteral("编程失败          ");
const QString kReadFailed = QStringLiteral("读取失败   ");
const QString kEepromProgramFailed = QStringLiteral("EEPROM 编程失败         ");

// Status line texts.
const QString kEraseFailed = QStringLiteral("擦除失败    ");
const QString kErasing = QStringLiteral("擦除芯片...      ");
const QString kProgramming = QStringLiteral("编程...       ");
const QString kVerifying = QStringLiteral("检验...     ");
const QString kFailed = QStringLiteral("失败  ");
const QString kOk = QStringLiteral("OK");
const QString kCanceled = QStringLiteral("Canceled");
const QString kVerifyingFlash = QStringLiteral("校验 Flash...     ");
const QString kReadingFlash = QStringLiteral("读取 Flash...   ");
const QString kWritingEeprom = QStringLiteral("写入 EEPROM...       ");
const QString kVerifyingEeprom = QStringLiteral("校验 EEPROM...     ");
const QString kReadingEeprom = QStringLiteral("读取 EEPROM   ...");
const QString kNoEepromFile = QStringLiteral("没有EEPROM文件");

// The browse dialog.
const QString kBrowseCaption = QStringLiteral("浏览  ");
const QString kBrowseFilter = QStringLiteral("Hex files (*.hex *.eep *.zb7);;所有文件  (*)");
// A read's output typed without a suffix still turns up under the Hex filter next time.
const QString kBrowseSuffix = QStringLiteral("hex");

constexpr int kHelpTimeOutMs = 3000;

// The wait cursor for as long as a transfer blocks the window.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Dialog units of the window's font, as dialog templates measure.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics fm(font);
        const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        baseX_ = (fm.horizontalAdvance(alphabet) / 26 + 1) / 2;
        baseY_ = fm.height();
    }
    QRect rect(int x, int y, int w, int h) const { return QRect(px(x), py(y), px(w), py(h)); }
    int px(int dlu) const { return dlu * baseX_ / 4; }
    int py(int dlu) const { return dlu * baseY_ / 8; }

private:
    int baseX_;
    int baseY_;
};

QString name(int id) { return QString::number(id); }

}  // namespace

// The progress bar (1014) as the transfers drive it.
class CProgrammerDlg::ProgressBar : public ProgressControl {
public:
    explicit ProgressBar(QProgressBar* bar) : bar_(bar) {}
    void setRange(int low, int high) override { bar_->setRange(low, high); }
    void setPosition(int position) override { bar_->setValue(position); }

private:
    QProgressBar* bar_;
};

CProgrammerDlg::CProgrammerDlg(const Services& services, Profile& profile, QWidget* parent)
    : QDialog(parent),
      services_(services),
      profile_(profile),
      m_statusTimer(services.scheduler, kHelpTimeOutMs, [this] { StatusTimerTimer(); }) {
    setObjectName(QStringLiteral("102"));
    setWindowTitle(kCaption);
    setWindowIcon(burnetIcon());
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSize(9);
    setFont(font);
    buildControls();

    m_aboutAction = new QAction(QStringLiteral("关于 Burnet(&A)..."), this);
    m_aboutAction->setObjectName(QStringLiteral("16"));
    connect(m_aboutAction, &QAction::triggered, this, [this] { OnAbout(); });
}

CProgrammerDlg::~CProgrammerDlg() = default;

void CProgrammerDlg::buildControls() {
    const DialogUnits du(font());
    setFixedSize(du.px(kWidthDlu), du.py(kHeightDlu));

    auto group = [&](const QString& text, int id, QRect r) {
        auto* g = new QGroupBox(text, this);
        if (id) g->setObjectName(name(id));
        g->setGeometry(r);
        return g;
    };
    auto button = [&](const QString& text, int id, QRect r, void (CProgrammerDlg::*handler)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name(id));
        b->setGeometry(r);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        return b;
    };

    // Group boxes first, so that the controls inside lie above them.
    m_fileGroup = group(QStringLiteral("INTEL Hex 格式文件"), 0, du.rect(7, 4, 176, 36));
    m_flashGroup = group(QStringLiteral("Flash 程序存储区"), 1025, du.rect(7, 70, 84, 80));
    m_eepromGroup = group(QStringLiteral("EEPROM 数据存储区"), 1026, du.rect(99, 70, 84, 80));
    m_deviceGroup = group(QStringLiteral("目标芯片"), 0, du.rect(7, 156, 176, 46));

    m_fileNameLabel = new QLabel(this);
    m_fileNameLabel->setObjectName(name(1018));
    m_fileNameLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_fileNameLabel->setGeometry(du.rect(14, 18, kFileNameWidthDlu, 14));
    m_browse = button(QStringLiteral("浏览(&B)..."), 1000, du.rect(136, 18, 42, 14), &CProgrammerDlg::OnBrowse);

    m_status = new QLabel(this);
    m_status->setObjectName(name(1016));
    m_status->setGeometry(du.rect(7, 45, 176, 10));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(name(1014));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setGeometry(du.rect(7, 57, 176, 9));

    m_programFlash = button(QStringLiteral("编程(&P)"), 1001, du.rect(19, 85, 60, 16), &CProgrammerDlg::OnProgramFlash);
    m_verifyFlashButton = button(QStringLiteral("校验(&V)"), 1002, du.rect(19, 106, 60, 16), &CProgrammerDlg::OnVerifyFlash);
    m_readFlash = button(QStringLiteral("读取(&R)"), 1021, du.rect(19, 127, 60, 16), &CProgrammerDlg::OnReadFlash);
    m_programEeprom = button(QStringLiteral("编程(&M)"), 1020, du.rect(111, 85, 60, 16), &CProgrammerDlg::OnProgramEeprom);
    m_verifyEepromButton = button(QStringLiteral("校验(&E)"), 1022, du.rect(111, 106, 60, 16), &CProgrammerDlg::OnVerifyEeprom);
    m_readEeprom = button(QStringLiteral("读取(&D)"), 1019, du.rect(111, 127, 60, 16), &CProgrammerDlg::OnReadEeprom);

    m_deviceList = new QComboBox(this);
    m_deviceList->setObjectName(name(1003));
    m_deviceList->setGeometry(du.rect(14, 172, 112, 14));
    connect(m_deviceList, &QComboBox::activated, this, [this] { OnSelchangeDevice(); });
    m_advanced = button(QStringLiteral("高级(&A)..."), 1015, du.rect(132, 171, 46, 16), &CProgrammerDlg::OnAdvanced);
    m_advanced->setEnabled(static_cast<bool>(services_.advanced));

    m_programmerTypes = new QComboBox(this);
    m_programmerTypes->setObjectName(name(1004));
    m_programmerTypes->hide();
}

void CProgrammerDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(m_aboutAction);
    menu.exec(event->globalPos());
}

void CProgrammerDlg::OnAbout() {
    if (!m_about) m_about = new CAboutDlg(this);
    m_about->open();
}

bool CProgrammerDlg::OnInitDialog() {
    m_io = std::make_unique<CLowIO>(services_.ports, services_.scheduler, services_.dialogs);
    m_progressControl = std::make_unique<ProgressBar>(m_progress);
    m_io->setProgressControl(m_progressControl.get());
    m_io->setDialogParent(this);
    bool found = false;
    {
        WaitCursor wait;
        found = m_io->FindProgrammer();
    }
    if (!found) {
        Message(kNoProgrammer);
        return false;
    }

    m_fileName = profile_.GetProfileString(settings::kFile, settings::kName, QString());
    ShowFileName();

    std::vector<const DeviceRow*> rows;
    const QByteArray codes = m_io->ReadDeviceList();
    if (!codes.isEmpty()) {
        m_paramVersion = 0;
        rows = RowsForDeviceList(codes);
        if (codes.size() == 1) m_deviceList->setEnabled(false);
    } else {
        const QByteArray types = m_io->ReadProgrammerTypeList();
        if (!types.startsWith('?')) {
            const auto typeRows = FindProgrammerTypes(types);
            for (const ProgrammerTypeRow* t : typeRows) m_programmerTypes->addItem(QString::fromLatin1(t->name));
            if (!typeRows.empty()) {
                m_programmerTypes->setCurrentIndex(0);
                m_io->SelectProgrammerType(typeRows.front()->letter);
                m_programmerTypeMask = typeRows.front()->mask;
            }
        }
        m_paramVersion = m_io->ReadParamVersion();
        // A programmer that names no type of its own is offered the rows of every type.
        const std::uint8_t mask = m_programmerTypeMask ? m_programmerTypeMask : kParallelProgrammer | kSerialProgrammer;
        rows = RowsForProgrammer(m_paramVersion, mask);
    }
    m_io->ReadBlockSupport();

    const QStringList names = SortedDeviceNames(rows);
    {
        const QSignalBlocker quiet(m_deviceList);
        for (const QString& entry : names)
            m_deviceList->addItem(entry, QVariant::fromValue(reinterpret_cast<quintptr>(&FindRowByName(entry))));
    }
    if (!names.isEmpty()) {
        const int restored = RestoredDeviceEntry(names, profile_.GetProfileString(settings::kDevice, settings::kName, QString()));
        const QSignalBlocker quiet(m_deviceList);
        m_deviceList->setCurrentIndex(std::max(restored, 0));
        OnSelchangeDevice();
    }

    m_verifyFlash = profile_.GetProfileInt(settings::kSettings, settings::kVerifyFlash, 1) > 0;
    m_verifyEeprom = profile_.GetProfileInt(settings::kSettings, settings::kVerifyEeprom, 1) > 0;
    m_ignoreChecksum = profile_.GetProfileInt(settings::kSettings, settings::kIgnoreChecksum, 0) > 0;
    m_statusTimer.setInterval(std::max(0, profile_.GetProfileInt(settings::kSettings, settings::kHelpTimeOut, kHelpTimeOutMs)));
    return true;
}

void CProgrammerDlg::OnSelchangeDevice() {
    const int entry = m_deviceList->currentIndex();
    if (entry < 0) return;
    m_device = *reinterpret_cast<const DeviceRow*>(m_deviceList->itemData(entry).value<quintptr>());
    profile_.WriteProfileString(settings::kDevice, settings::kName,
                                m_device.isEnd() ? m_deviceList->itemText(entry) : QString::fromLatin1(m_device.name));
    m_image.allocate(m_device.flashSize);
    EnableControls(true);
    m_io->SelectDevice(m_device, m_paramVersion);
}

void CProgrammerDlg::EnableControls(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_flashGroup, m_programFlash, m_verifyFlashButton, m_readFlash})
        w->setEnabled(on);
    const bool eeprom = on && m_device.eepromSize > 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_eepromGroup, m_programEeprom, m_verifyEepromButton, m_readEeprom})
        w->setEnabled(eeprom);
    m_advanced->setEnabled(on && services_.advanced);
    m_browse->setEnabled(on);
}

void CProgrammerDlg::SetStatus(const QString& text) {
    m_statusTimer.stop();
    m_status->setText(text);
}

void CProgrammerDlg::AppendStatus(const QString& text) { m_status->setText(m_status->text() + text); }

void CProgrammerDlg::StartClearing() { m_statusTimer.start(); }

void CProgrammerDlg::StatusTimerTimer() {
    m_statusTimer.stop();
    m_status->setText(QString());
}

void CProgrammerDlg::Pump() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void CProgrammerDlg::ShowFileName() { m_fileNameLabel->setText(AbbreviatePath(m_fileName, kFileNameChars)); }

Answer CProgrammerDlg::Message(const QString& text, Icon icon, Buttons buttons) {
    return services_.dialogs.message(this, kMessageCaption, text, icon, buttons);
}

bool CProgrammerDlg::Ask(const QString& text, Icon icon) { return Message(text, icon, Buttons::YesNo) == Answer::Yes; }

void CProgrammerDlg::OnBrowse() {
    const auto path = services_.dialogs.openFileOrNew(this, kBrowseCaption, kBrowseFilter, m_fileName, kBrowseSuffix);
    if (!path) return;
    m_fileName = *path;
    profile_.WriteProfileString(settings::kFile, settings::kName, m_fileName);
    ShowFileName();
}

bool CProgrammerDlg::HaveFileName() {
    if (m_fileName.isEmpty()) OnBrowse();
    return !m_fileName.isEmpty();
}

// Every operation needs the image of a selected device (and its sizes).
bool CProgrammerDlg::HaveDevice() {
    if (!m_image.bytes.empty()) return true;
    Message(kNoDevice);
    return false;
}

bool CProgrammerDlg::LoadHex(QFile& file) {
    if (!IsHexFile(file)) {
        Message(kNotHex);
        return false;
    }
    const HexLoadResult result = burnet::LoadHex(file, m_image);
    return result.valid || m_ignoreChecksum || Ask(kBadChecksum, Icon::Question);
}

bool CProgrammerDlg::LoadHexFile(const QString& cannotOpen) {
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Message(cannotOpen);
        return false;
    }
    return LoadHex(file);
}

bool CProgrammerDlg::LoadEncipheredFile() {
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Message(kCannotRead);
        return false;
    }
    // Bytes of an earlier file must not be programmed along with the image.
    m_image.erase();
    if (LoadEnciphered(file, m_image) != EncipheredError::None) {
        Message(kCannotRead);
        return false;
    }
    return true;
}

void CProgrammerDlg::Fail() {
    m_io->ShowStatus(CLowIO::Status::Failed);
    AppendStatus(kFailed);
    m_io->LeaveProgMode();
    EnableControls(true);
}

void CProgrammerDlg::OnProgramFlash() {
    if (!HaveFileName() || !HaveDevice()) return;
    const bool enciphered = IsEncipheredImageName(m_fileName);
    if (!(enciphered ? LoadEncipheredFile() : LoadHexFile(kCannotRead))) return;
    const std::uint32_t size = m_device.flashSize;
    if (m_image.highestAddress >= size && !Ask(kFlashTooBigToWrite, Icon::Question)) return;

    m_io->ShowStatus(CLowIO::Status::Busy);
    EnableControls(false);
    m_io->SelectDevice(m_device, m_paramVersion);
    bool erased = false;
    {
        WaitCursor wait;
        erased = m_io->ChipErase();
    }
    if (!erased) {
        SetStatus(kEraseFailed);
        StartClearing();
        m_io->LeaveProgMode();
        EnableControls(true);
        return;
    }
    SetStatus(kErasing);
    AppendStatus(kProgramming);
    Pump();

    std::uint32_t highest = std::min(m_image.highestAddress, size - 1);
    if (m_device.bootSizeRule != BootSizeRule::None) {
        std::uint8_t fuseHigh = 0;
        if (BootSizeFromFuses(m_device.bootSizeRule)) {
            // Unread fuses count as the largest boot section.
            if (!m_io->ReadFuseHighBits(fuseHigh)) fuseHigh = 0;
            m_io->LeaveProgMode();
        }
        const std::uint32_t bootWords = BootSectionWords(m_device.bootSizeRule, fuseHigh);
        if (EntersBootArea(size, bootWords, highest)) {
            if (!Ask(kEntersBoot, Icon::None)) {
                m_io->ShowStatus(CLowIO::Status::Failed);
                AppendStatus(kCanceled);
                m_io->LeaveProgMode();
                EnableControls(true);
                return;
            }
            if (Ask(kTruncateAtBoot, Icon::None)) highest = BootLimit(size, bootWords);
        }
    }

    bool programmed = false;
    {
        WaitCursor wait;
        programmed = m_io->ProgramFlash(m_image.bytes, highest, m_device.pageSize);
    }
    if (!programmed) {
        m_io->ShowStatus(CLowIO::Status::Failed);
        AppendStatus(kFailed);
        Message(kProgramFailed);
        m_io->LeaveProgMode();
        EnableControls(true);
        return;
    }
    if (m_verifyFlash) {
        services_.scheduler.sleep(kVerifyPauseMs);
        AppendStatus(kVerifying);
        EnableControls(false);
        bool verified = false;
        {
            WaitCursor wait;
            verified = m_io->VerifyFlash(m_image.bytes, highest);
        }
        if (!verified) {
            Fail();
            return;
        }
    }
    if (enciphered && m_device.lockAfterEnciphered) {
        // Whether the lock took is not looked at; programming mode is left as after any
        // fuse or lock write.
        m_io->WriteLockBits(kLockAfterEnciphered);
        m_io->LeaveProgMode();
    }
    m_io->ShowStatus(CLowIO::Status::Passed);
    EnableControls(true);
    AppendStatus(kOk);
    StartClearing();
}

void CProgrammerDlg::OnVerifyFlash() { VerifyMemory(CLowIO::Memory::Flash); }

void CProgrammerDlg::OnVerifyEeprom() { VerifyMemory(CLowIO::Memory::Eeprom); }

void CProgrammerDlg::VerifyMemory(CLowIO::Memory memory) {
    if (!HaveFileName() || !HaveDevice() || !LoadHexFile(kCannotOpen)) return;
    const bool flash = memory == CLowIO::Memory::Flash;
    const std::uint32_t size = flash ? m_device.flashSize : m_device.eepromSize;
    if (size == 0) return;
    if (m_image.highestAddress >= size &&
        !Ask(flash ? kFlashTooBigToVerify : kEepromTooBigToVerify, Icon::Question))
        return;
    m_io->ShowStatus(CLowIO::Status::Busy);
    EnableControls(false);
    SetStatus(flash ? kVerifyingFlash : kVerifyingEeprom);
    m_io->SelectDevice(m_device, m_paramVersion);
    Pump();
    bool verified = false;
    {
        WaitCursor wait;
        const std::uint32_t last = std::min(m_image.highestAddress, size - 1);
        verified = flash ? m_io->VerifyFlash(m_image.bytes, last)
                         : m_io->VerifyEeprom(m_image.bytes, last);
    }
    if (!verified) {
        Fail();
        return;
    }
    m_io->ShowStatus(CLowIO::Status::Passed);
    EnableControls(true);
    AppendStatus(kOk);
    StartClearing();
}

void CProgrammerDlg::OnReadFlash() { ReadMemory(CLowIO::Memory::Flash); }

void CProgrammerDlg::OnReadEeprom() { ReadMemory(CLowIO::Memory::Eeprom); }

void CProgrammerDlg::ReadMemory(CLowIO::Memory memory) {
    if (!HaveFileName() || !HaveDevice()) return;
    if (QFileInfo::exists(m_fileName) && !Ask(kOverwrite.arg(m_fileName), Icon::Question)) return;
    // The file is replaced only by a complete read.
    QSaveFile out(m_fileName);
    if (!out.open(QIODevice::WriteOnly)) {
        Message(kCannotCreate);
        return;
    }
    const bool flash = memory == CLowIO::Memory::Flash;
    m_io->ShowStatus(CLowIO::Status::Busy);
    EnableControls(false);
    SetStatus(flash ? kReadingFlash : kReadingEeprom);
    m_io->SelectDevice(m_device, m_paramVersion);
    if (flash) m_io->SelectDevice(m_device, m_paramVersion);
    Pump();
    bool read = false;
    {
        WaitCursor wait;
        read = flash ? m_io->ReadFlash(out) : m_io->ReadEeprom(out);
    }
    if (read && out.commit()) {
        m_io->ShowStatus(CLowIO::Status::Passed);
        EnableControls(true);
        AppendStatus(kOk);
        StartClearing();
        return;
    }
    m_io->ShowStatus(CLowIO::Status::Failed);
    AppendStatus(kFailed);
    Message(read ? kCannotCreate : kReadFailed);
    out.cancelWriting();
    m_io->LeaveProgMode();
    EnableControls(true);
}

void CProgrammerDlg::OnProgramEeprom() {
    if (!HaveFileName() || !HaveDevice()) return;
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        SetStatus(kNoEepromFile);
        services_.scheduler.sleep(kNoEepromFilePauseMs);
        return;
    }
    if (!LoadHex(file)) return;
    const std::uint32_t size = m_device.eepromSize;
    if (size == 0) return;
    if (m_image.highestAddress >= size && !Ask(kEepromTooBigToWrite, Icon::Question)) return;
    m_io->ShowStatus(CLowIO::Status::Busy);
    EnableControls(false);
    SetStatus(kWritingEeprom);
    m_io->SelectDevice(m_device, m_paramVersion);
    Pump();
    const std::uint32_t highest = std::min(m_image.highestAddress, size - 1);
    bool programmed = false;
    {
        WaitCursor wait;
        programmed = m_io->ProgramEeprom(m_image.bytes, highest);
    }
    if (!programmed) {
        m_io->ShowStatus(CLowIO::Status::Failed);
        AppendStatus(kFailed);
        Message(kEepromProgramFailed);
        m_io->LeaveProgMode();
        EnableControls(true);
        StartClearing();
        return;
    }
    if (m_verifyEeprom) {
        AppendStatus(kVerifying);
        EnableControls(false);
        bool verified = false;
        {
            WaitCursor wait;
            verified = m_io->VerifyEeprom(m_image.bytes, highest);
        }
        if (!verified) {
            Fail();
            StartClearing();
            return;
        }
    }
    m_io->ShowStatus(CLowIO::Status::Passed);
    AppendStatus(kOk);
    StartClearing();
    EnableControls(true);
}

void CProgrammerDlg::OnAdvanced() {
    if (!services_.advanced) return;
    m_io->SelectDevice(m_device, m_paramVersion);
    services_.advanced(this, *m_io, m_device, m_paramVersion);
}

}  // namespace burnet
