#pragma once

#include "block_exchange.h"

#include <QByteArray>
#include <QWidget>

#include <optional>

class QPushButton;

namespace veldar {

class ConstantRows;

// The tab "Датчик" of the sensor page: a channel's sensor constants in their rows, written
// to, read from and compared with the unit.
class ChannelConstantsTab : public QWidget {
    Q_OBJECT
public:
    ChannelConstantsTab(const PageSurroundings& surroundings, QChar decimalSeparator, QWidget* parent = nullptr);

    ConstantRows* rows() const { return ScrollBox1; }
    // The channel's block from the unit's settings image file, as the page opens.
    void load(int address, int channel);

private:
    void btnWriteConstToBOClick();
    void btnReadConstFromBOClick();
    void btnCheckSignaturesClick();
    std::optional<QByteArray> EncodeChannelConstants();
    void DecodeChannelConstants(const QByteArray& bytes);

    ConstantRows* ScrollBox1;
    QPushButton* btnCheckSignatures;
    QPushButton* btnReadConstFromBO;
    QPushButton* btnWriteConstToBO;
    QChar separator_;
    platform::Dialogs& dialogs_;
    QWidget* dialogParent_;
    BlockExchange exchange_;
};

}  // namespace veldar
