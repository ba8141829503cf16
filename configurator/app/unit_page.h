#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;

namespace veldar {

struct VersionDisplay;

// `PanelTVR`, the page of one unit: its address, firmware version, whole-unit transfers,
// the polling state of its channels and the service buttons.
class UnitPage : public QWidget {
    Q_OBJECT
public:
    static inline const QString kUnknown = QStringLiteral("???");

    explicit UnitPage(QWidget* parent = nullptr);

    // Everything unknown, as the page opens: "???" and every channel without data.
    void showUnknown();
    // The unit did not answer for its version: the five value labels back to "???".
    void showVersionUnknown();
    void showVersion(const VersionDisplay& shown);
    void showPolling(std::uint8_t mask);

    QPushButton* changeAddressButton() const { return btnChangeAdrBO; }
    QPushButton* readAllButton() const { return btnReadAllSettingsTVR; }
    QPushButton* writeAllButton() const { return btnWriteAllSettingsTVR; }
    QPushButton* signaturesAllButton() const { return btnSignaturesAllSettingsTVR; }

private:
    QWidget* buildAddress();
    QWidget* buildVersion();
    QWidget* buildTransfer();
    QWidget* buildPolling();
    QWidget* buildService();

    QLabel* lblTVRAddress;
    QPushButton* btnChangeAdrBO;
    QLabel* lblDatePOTVR;
    QLabel* lblVerPOTVR;
    QLabel* lblIDPOTVR;
    QLabel* lblFilePOTVR;
    QLabel* lblIdetification;
    QPushButton* btnGetProgVerTVR;
    QPushButton* btnReadAllSettingsTVR;
    QPushButton* btnWriteAllSettingsTVR;
    QPushButton* btnSignaturesAllSettingsTVR;
    std::array<QLabel*, 8> lblStatusChannel{};
    QPushButton* btnAllChannelQueryEnabled;
    QPushButton* btnAllChannelQueryDisabled;
    QPushButton* btnSearchSensors;
    QProgressBar* pbSearchSensors;
    QPushButton* btnResetTVR;
    QPushButton* btnToLoaderReg;
    QPushButton* btnExitFromBootLoader;
};

}  // namespace veldar
