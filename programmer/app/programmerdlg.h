#pragma once

#include "memory_image.h"
#include "profile.h"
#include "services.h"

#include "programmer/link/device_table.h"
#include "programmer/link/lowio.h"

#include "platform/timing/timer.h"
#include "platform/ui/dialogs.h"

#include <QDialog>

#include <memory>

class QAction;
class QComboBox;
class QFile;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace burnet {

class CAboutDlg;

// Burnet's one window: finds the programmer, holds the device list and the file name, and
// runs the six memory operations with their prompts, lamps, status line and messages.
class CProgrammerDlg : public QDialog {
public:
    static inline const QString kCaption = QStringLiteral("Burnet 1.35C");
    // Dialog template 102.
    static constexpr int kWidthDlu = 190;
    static constexpr int kHeightDlu = 210;
    static constexpr int kFileNameWidthDlu = 118;
    // A field of w dialog units is w / 4 average characters wide.
    static constexpr int kFileNameChars = kFileNameWidthDlu / 4;
    static constexpr int kVerifyPauseMs = 200;
    static constexpr int kNoEepromFilePauseMs = 1000;
    static constexpr std::uint8_t kLockAfterEnciphered = 0xF9;

    CProgrammerDlg(const Services& services, Profile& profile, QWidget* parent = nullptr);
    ~CProgrammerDlg() override;

    // Finds the programmer and fills the window. False when there is none: the message has
    // been shown and the program ends.
    bool OnInitDialog();

    // The handlers of the buttons, the device list and the about item.
    void OnBrowse();
    void OnProgramFlash();
    void OnVerifyFlash();
    void OnReadFlash();
    void OnProgramEeprom();
    void OnVerifyEeprom();
    void OnReadEeprom();
    void OnAdvanced();
    void OnSelchangeDevice();
    void OnAbout();

    // The about item ("关于 Burnet(&A)...", command 16) of the window's menu.
    QAction* aboutAction() const { return m_aboutAction; }
    CLowIO* lowIO() const { return m_io.get(); }
    const MemoryImage& image() const { return m_image; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class ProgressBar;

    void buildControls();
    void EnableControls(bool on);
    void SetStatus(const QString& text);
    void AppendStatus(const QString& text);
    void StartClearing();
    void StatusTimerTimer();
    // Lets the window repaint before a transfer blocks it.
    void Pump();
    void ShowFileName();

    platform::Answer Message(const QString& text, platform::Icon icon = platform::Icon::Warning,
                             platform::Buttons buttons = platform::Buttons::Ok);
    bool Ask(const QString& text, platform::Icon icon);
    // Opens the browse dialog when no file is chosen yet; whether one is chosen then.
    bool HaveFileName();
    bool HaveDevice();
    bool LoadHex(QFile& file);
    bool LoadHexFile(const QString& cannotOpen);
    bool LoadEncipheredFile();
    // The operation failed: failed lamp, "失败" in the status line, out of programming mode.
    void Fail();
    void ReadMemory(CLowIO::Memory memory);
    void VerifyMemory(CLowIO::Memory memory);

    const Services& services_;
    Profile& profile_;

    std::unique_ptr<CLowIO> m_io;
    std::unique_ptr<ProgressBar> m_progressControl;
    MemoryImage m_image;
    DeviceRow m_device{};
    std::uint8_t m_paramVersion = 0;
    std::uint8_t m_programmerTypeMask = 0;
    QString m_fileName;
    bool m_verifyFlash = true;
    bool m_verifyEeprom = true;
    bool m_ignoreChecksum = false;
    platform::Timer m_statusTimer;

    QGroupBox* m_fileGroup = nullptr;
    QLabel* m_fileNameLabel = nullptr;     // 1018
    QPushButton* m_browse = nullptr;       // 1000
    QLabel* m_status = nullptr;            // 1016
    QProgressBar* m_progress = nullptr;    // 1014
    QGroupBox* m_flashGroup = nullptr;     // 1025
    QPushButton* m_programFlash = nullptr; // 1001
    QPushButton* m_verifyFlashButton = nullptr;  // 1002
    QPushButton* m_readFlash = nullptr;    // 1021
    QGroupBox* m_eepromGroup = nullptr;    // 1026
    QPushButton* m_programEeprom = nullptr;  // 1020
    QPushButton* m_verifyEepromButton = nullptr;  // 1022
    QPushButton* m_readEeprom = nullptr;   // 1019
    QGroupBox* m_deviceGroup = nullptr;
    QComboBox* m_deviceList = nullptr;     // 1003
    QPushButton* m_advanced = nullptr;     // 1015
    QComboBox* m_programmerTypes = nullptr;  // 1004
    QAction* m_aboutAction = nullptr;
    CAboutDlg* m_about = nullptr;
};

}  // namespace burnet
