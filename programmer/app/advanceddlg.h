#pragma once

#include "fuse_layouts.h"
#include "fuse_sequences.h"
#include "lock_layouts.h"

#include "programmer/link/device_table.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace burnet {

class CLowIO;

// `CAdvancedDlg`, "高级选项": what the programmer and the target say about themselves, and the
// target's lock and fuse bits to read, change and write, and the chip to erase. The open
// sequence runs in the constructor, before the dialog is shown.
class CAdvancedDlg : public QDialog {
    Q_OBJECT
public:
    CAdvancedDlg(CLowIO& io, const DeviceRow& row, std::uint8_t paramVersion, QWidget* parent = nullptr);

private:
    void OnInitDialog();
    void OnRead();
    void OnWrite();
    void OnErase();
    void OnClose();
    void OnSelchangeLockMode();
    void OnSelchangeBootLock(BootSection section);
    void OnSelchangeClock();
    void OnSelchangeBod();

    void buildControls();
    void fillLockControls();
    void fillFuseControls();
    void showFuses(const FetchedBytes& got);
    void showLock(const FetchedBytes& got);
    FuseControls fuseControls() const;
    LockControls lockControls() const;
    void enableFuseControls(bool on);
    void enableLockControls(bool on);
    // Crystal scheme: the start-up list and the caption of 1047 for a clock.
    void refillStartup(int clock, int startupIndex);
    // Layout L: the clock list for a BOD selection.
    void refillBodClock(int bod, int clockIndex);
    bool mayRead() const;
    QCheckBox* checkBox(int id) const;

    CLowIO& io_;
    const DeviceRow row_;
    const std::uint8_t paramVersion_;
    const FuseLayoutView view_;
    char programmerType_ = '\0';
    bool fuseLocked_ = false;
    bool lockLocked_ = false;

    QGroupBox* lockGroup_;
    QComboBox* lockMode_;
    std::array<QComboBox*, 2> bootLock_;
    QLabel* explanation_;
    QGroupBox* fuseGroup_;
    std::array<QCheckBox*, kFuseCheckBoxes.size()> checks_;
    QComboBox* clock_;
    QComboBox* startup_;
    QComboBox* bod_;
    QComboBox* boot_;
    QPushButton* read_;
    QPushButton* write_;
    QPushButton* erase_;
    QPushButton* close_;
    QLabel* signature_;
    QLabel* programmerId_;
    QLabel* version_;
    QLabel* calibration_;
};

// Opens the dialog modally over the main window, as its advanced button does.
void OpenAdvancedDialog(QWidget* parent, CLowIO& io, const DeviceRow& row, std::uint8_t paramVersion);

}  // namespace burnet
