#include "advanceddlg.h"

#include "fuse_access.h"
#include "fuse_options.h"
#include "fuse_routes.h"

#include "programmer/link/lowio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace burnet {

namespace {

QString idName(int id) { return QString::number(id); }

QLabel* sunkenStatic(int id) {
    auto* label = new QLabel;
    label->setObjectName(idName(id));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(90);
    return label;
}

QComboBox* dropDown(int id) {
    auto* list = new QComboBox;
    list->setObjectName(idName(id));
    return list;
}

QPushButton* button(int id, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(idName(id));
    // Enter must not run an operation on the chip.
    b->setAutoDefault(false);
    return b;
}

void fill(QComboBox* list, const QStringList& entries) {
    list->clear();
    list->addItems(entries);
}

// A list the layout does not use: its one entry says so, and nobody sees it.
void setUnused(QComboBox* list, const QString& entry) {
    fill(list, {entry});
    list->setEnabled(false);
    list->setVisible(false);
}

void setUsed(QComboBox* list, const QStringList& entries) {
    fill(list, entries);
    list->setCurrentIndex(entries.isEmpty() ? -1 : 0);
    list->setEnabled(true);
    list->setVisible(true);
}

}  // namespace

CAdvancedDlg::CAdvancedDlg(CLowIO& io, const DeviceRow& row, std::uint8_t paramVersion, QWidget* parent)
    : QDialog(parent), io_(io), row_(row), paramVersion_(paramVersion), view_(ViewOf(row.fuseLayout)) {
    setObjectName(QStringLiteral("CAdvancedDlg"));
    setWindowTitle(QStringLiteral("高级选项"));
    buildControls();
    OnInitDialog();
}

void CAdvancedDlg::buildControls() {
    lockGroup_ = new QGroupBox(QStringLiteral("加密位(&L)"));
    lockGroup_->setObjectName(idName(1024));
    lockMode_ = dropDown(1007);
    bootLock_ = {dropDown(1049), dropDown(1050)};
    explanation_ = sunkenStatic(1009);
    auto* lockLayout = new QGridLayout(lockGroup_);
    lockLayout->addWidget(lockMode_, 0, 0);
    lockLayout->addWidget(bootLock_[0], 0, 1);
    lockLayout->addWidget(bootLock_[1], 0, 2);
    lockLayout->addWidget(explanation_, 1, 0, 1, 3);

    fuseGroup_ = new QGroupBox(QStringLiteral("配置熔丝位"));
    fuseGroup_->setObjectName(idName(1010));
    clock_ = dropDown(1040);
    startup_ = dropDown(1085);
    bod_ = dropDown(1041);
    boot_ = dropDown(1048);
    auto* fuseLayout = new QGridLayout(fuseGroup_);
    fuseLayout->addWidget(clock_, 0, 0);
    fuseLayout->addWidget(startup_, 0, 1);
    fuseLayout->addWidget(bod_, 1, 0);
    fuseLayout->addWidget(boot_, 1, 1);
    // Left column 1042, 1043, 1044, 1088; right column 1045, 1046, 1047, 1089.
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        checks_[i] = new QCheckBox;
        checks_[i]->setObjectName(idName(kFuseCheckBoxes[i]));
        checks_[i]->setVisible(false);
        fuseLayout->addWidget(checks_[i], 2 + static_cast<int>(i % 4), static_cast<int>(i / 4), Qt::AlignLeft);
    }

    signature_ = sunkenStatic(1016);
    programmerId_ = sunkenStatic(1017);
    version_ = sunkenStatic(1018);
    calibration_ = sunkenStatic(1079);
    auto* about = new QGridLayout;
    about->addWidget(new QLabel(QStringLiteral("电子标签")), 0, 0);
    about->addWidget(signature_, 0, 1);
    about->addWidget(new QLabel(QStringLiteral("目标板类型")), 0, 2);
    about->addWidget(programmerId_, 0, 3);
    about->addWidget(new QLabel(QStringLiteral("目标板版本")), 1, 0);
    about->addWidget(version_, 1, 1);
    about->addWidget(new QLabel(QStringLiteral("校正字节")), 1, 2);
    about->addWidget(calibration_, 1, 3);

    read_ = button(1013, QStringLiteral("读取(&R)"));
    write_ = button(1014, QStringLiteral("写入(&W)"));
    erase_ = button(1027, QStringLiteral("擦除(&E)"));
    close_ = button(8, QStringLiteral("关闭(&C)"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {read_, write_, erase_, close_}) buttons->addWidget(b);

    auto* page = new QVBoxLayout(this);
    page->addWidget(lockGroup_);
    page->addWidget(fuseGroup_);
    page->addLayout(about);
    page->addLayout(buttons);

    connect(read_, &QPushButton::clicked, this, &CAdvancedDlg::OnRead);
    connect(write_, &QPushButton::clicked, this, &CAdvancedDlg::OnWrite);
    connect(erase_, &QPushButton::clicked, this, &CAdvancedDlg::OnErase);
    connect(close_, &QPushButton::clicked, this, &CAdvancedDlg::OnClose);
    connect(lockMode_, &QComboBox::activated, this, &CAdvancedDlg::OnSelchangeLockMode);
    connect(bootLock_[0], &QComboBox::activated, this, [this] { OnSelchangeBootLock(BootSection::Application); });
    connect(bootLock_[1], &QComboBox::activated, this, [this] { OnSelchangeBootLock(BootSection::BootLoader); });
    connect(clock_, &QComboBox::activated, this, &CAdvancedDlg::OnSelchangeClock);
    connect(bod_, &QComboBox::activated, this, &CAdvancedDlg::OnSelchangeBod);
}

void CAdvancedDlg::OnInitDialog() {
    programmerId_->setText(IdentifierText(io_));
    version_->setText(VersionText(io_));
    fillLockControls();
    fillFuseControls();

    char type = '\0';
    if (io_.ReadProgrammerType(type)) programmerType_ = type;

    if (mayRead()) {
        OnRead();
    } else {
        read_->setEnabled(false);
        signature_->setText(SignatureText(io_));
        io_.LeaveProgMode();
    }

    const FuseAccess access = AccessFor(row_, programmerType_);
    fuseLocked_ = access.fuseLocked;
    lockLocked_ = access.lockLocked;
    if (fuseLocked_) enableFuseControls(false);
    if (lockLocked_) enableLockControls(false);
    if (fuseLocked_ && lockLocked_) write_->setEnabled(false);
}

void CAdvancedDlg::fillLockControls() {
    fill(lockMode_, LockModeEntries(row_.lockLayout));
    lockMode_->setCurrentIndex(0);
    const bool bootLocks = HasBootLocks(row_.lockLayout);
    const BootSection sections[] = {BootSection::Application, BootSection::BootLoader};
    for (std::size_t i = 0; i < bootLock_.size(); ++i) {
        if (bootLocks) {
            setUsed(bootLock_[i], BootLockEntries(sections[i]));
        } else {
            bootLock_[i]->clear();
            bootLock_[i]->setEnabled(false);
            bootLock_[i]->setVisible(false);
        }
    }
    explanation_->setText(LockModeExplanation(row_.lockLayout, 0));
}

void CAdvancedDlg::fillFuseControls() {
    if (view_.usesClock) {
        setUsed(clock_, view_.clock);
    } else {
        setUnused(clock_, fuseoptions::NotSelectableClock());
    }
    if (view_.crystal) {
        startup_->setEnabled(true);
        startup_->setVisible(true);
        refillStartup(clock_->currentIndex(), 0);
    } else {
        setUnused(startup_, fuseoptions::NotSelectableClock());
    }
    if (view_.bod.isEmpty()) {
        setUnused(bod_, fuseoptions::NotSelectableList());
    } else {
        setUsed(bod_, view_.bod);
    }
    if (view_.boot.isEmpty()) {
        setUnused(boot_, fuseoptions::NotSelectableList());
    } else {
        setUsed(boot_, view_.boot);
    }
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        const std::optional<QString>& caption = view_.captions[i];
        // 1047 of the crystal scheme is captioned by refillStartup.
        if (view_.crystal && kFuseCheckBoxes[i] == 1047) continue;
        checks_[i]->setText(caption.value_or(QString()));
        checks_[i]->setVisible(caption && !caption->isEmpty());
    }
}

void CAdvancedDlg::OnRead() {
    read_->setEnabled(false);
    signature_->setText(SignatureText(io_));
    if (const auto text = CalibrationText(io_, CalibrationSourceFor(row_.calibration, programmerType_)))
        calibration_->setText(*text);
    const FetchedBytes got = RunReadPlan(io_, ReadPlan(row_.readRoute, programmerType_, paramVersion_));
    io_.LeaveProgMode();

    showFuses(got);
    showLock(got);
    const int mode = lockMode_->currentIndex();
    if (!fuseLocked_) enableFuseControls(mode == 0);
    explanation_->setText(LockModeExplanation(row_.lockLayout, mode));
    read_->setEnabled(true);
}

void CAdvancedDlg::showFuses(const FetchedBytes& got) {
    const FuseLayout layout = row_.fuseLayout;
    if (layout == FuseLayout::None) return;
    FuseBytes bytes = got.fuses;
    // A failed read shows nothing programmed, also where the layout reads its byte inverted.
    if (!got.has(kSlotLow)) bytes.low = UnprogrammedFuseLowRead(layout);
    const FuseControls c = DecodeFuses(layout, bytes);

    if (!view_.bod.isEmpty()) bod_->setCurrentIndex(c.bod);
    if (layout == FuseLayout::L) {
        refillBodClock(c.bod, c.clock);
    } else if (view_.usesClock) {
        clock_->setCurrentIndex(c.clock);
    }
    if (view_.crystal) refillStartup(c.clock, c.startup);
    if (!view_.boot.isEmpty()) boot_->setCurrentIndex(c.boot);
    for (std::size_t i = 0; i < checks_.size(); ++i)
        if (view_.captions[i]) checks_[i]->setChecked(c.ticked[i]);
}

void CAdvancedDlg::showLock(const FetchedBytes& got) {
    const LockLayout layout = row_.lockLayout;
    const std::uint8_t lock = got.has(kSlotLock) ? got.lock : UnprogrammedLockRead(layout);
    const LockReading reading = DecodeLock(layout, lock);
    if (reading.mode) lockMode_->setCurrentIndex(*reading.mode);
    if (reading.blb0) bootLock_[0]->setCurrentIndex(*reading.blb0);
    if (reading.blb1) bootLock_[1]->setCurrentIndex(*reading.blb1);
}

void CAdvancedDlg::OnWrite() {
    write_->setEnabled(false);
    const FuseBytes fuses = EncodeFuses(row_.fuseLayout, fuseControls());
    const LockControls lock = lockControls();
    if (LockModeBarsFuses(row_.lockLayout, lock.mode) && !fuseLocked_) enableFuseControls(false);
    const FuseAccess access{fuseLocked_, lockLocked_, mayRead()};
    RunWritePlan(io_, WritePlan(row_, programmerType_, access, fuses, EncodeLock(row_.lockLayout, lock)));
    write_->setEnabled(true);
    io_.LeaveProgMode();
}

void CAdvancedDlg::OnErase() {
    erase_->setEnabled(false);
    io_.ChipErase();
    if (mayRead()) {
        OnRead();
    } else {
        io_.LeaveProgMode();
    }
    erase_->setEnabled(true);
}

void CAdvancedDlg::OnClose() { reject(); }

void CAdvancedDlg::OnSelchangeLockMode() {
    explanation_->setText(LockModeExplanation(row_.lockLayout, lockMode_->currentIndex()));
}

void CAdvancedDlg::OnSelchangeBootLock(BootSection section) {
    const QComboBox* list = bootLock_[section == BootSection::Application ? 0 : 1];
    explanation_->setText(BootLockExplanation(section, list->currentIndex()));
}

void CAdvancedDlg::OnSelchangeClock() {
    if (!view_.crystal) return;
    const int clock = clock_->currentIndex();
    refillStartup(clock, KeptStartupIndex(startup_->currentIndex(), clock));
}

void CAdvancedDlg::OnSelchangeBod() {
    if (row_.fuseLayout != FuseLayout::L) return;
    refillBodClock(bod_->currentIndex(), clock_->currentIndex());
}

void CAdvancedDlg::refillStartup(int clock, int startupIndex) {
    const CrystalClockView v = CrystalClock(clock);
    fill(startup_, v.startup);
    startup_->setCurrentIndex(startupIndex < v.startup.size() ? startupIndex : -1);
    QCheckBox* box = checkBox(1047);
    box->setText(v.caption1047);
    box->setVisible(!v.caption1047.isEmpty());
}

void CAdvancedDlg::refillBodClock(int bod, int clockIndex) {
    fill(clock_, BodClockList(bod == 1));
    clock_->setCurrentIndex(clockIndex);
}

FuseControls CAdvancedDlg::fuseControls() const {
    FuseControls c;
    c.clock = clock_->currentIndex();
    c.startup = startup_->currentIndex();
    c.bod = bod_->currentIndex();
    c.boot = boot_->currentIndex();
    for (std::size_t i = 0; i < checks_.size(); ++i) c.ticked[i] = checks_[i]->isChecked();
    return c;
}

LockControls CAdvancedDlg::lockControls() const {
    return {lockMode_->currentIndex(), bootLock_[0]->currentIndex(), bootLock_[1]->currentIndex()};
}

void CAdvancedDlg::enableFuseControls(bool on) {
    fuseGroup_->setEnabled(on);
    if (view_.usesClock) clock_->setEnabled(on);
    if (view_.crystal) startup_->setEnabled(on);
    if (!view_.bod.isEmpty()) bod_->setEnabled(on);
    if (!view_.boot.isEmpty()) boot_->setEnabled(on);
    for (std::size_t i = 0; i < checks_.size(); ++i)
        if (view_.captions[i]) checks_[i]->setEnabled(on);
}

void CAdvancedDlg::enableLockControls(bool on) {
    lockGroup_->setEnabled(on);
    lockMode_->setEnabled(on);
    explanation_->setEnabled(on);
}

bool CAdvancedDlg::mayRead() const { return LetterAdmits(row_.accessLetters[2], programmerType_); }

QCheckBox* CAdvancedDlg::checkBox(int id) const {
    for (std::size_t i = 0; i < checks_.size(); ++i)
        if (kFuseCheckBoxes[i] == id) return checks_[i];
    return nullptr;
}

void OpenAdvancedDialog(QWidget* parent, CLowIO& io, const DeviceRow& row, std::uint8_t paramVersion) {
    CAdvancedDlg dialog(io, row, paramVersion, parent);
    dialog.exec();
}

}  // namespace burnet
