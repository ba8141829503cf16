#pragma once

#include <QStatusBar>

#include <array>

class QLabel;
class QProgressBar;

namespace veldar {

// `StatusBar1`: twelve panels, always visible. Panels 6, 8 and 10 are the lamps `RXBar`,
// `TXBar` and `CRCFailedInicator`; the others show text.
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPanels = 12;
    static constexpr int kPort = 2;
    static constexpr int kBaudRate = 4;
    static constexpr int kRx = 6;
    static constexpr int kTx = 8;
    static constexpr int kCrcFailed = 10;
    static constexpr int kOffline = 11;

    explicit StatusPanels(QWidget* parent = nullptr);

    void setText(int panel, const QString& text);
    QString text(int panel) const;
    QProgressBar* lamp(int panel) const;

    // Panels 2 and 4: the open port and its rate, or "n/a" and "----".
    void showPort(const QString& name, const QString& baudRate);

private:
    std::array<QWidget*, kPanels> panels_{};
};

}  // namespace veldar
