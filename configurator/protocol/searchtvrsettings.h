#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace veldar {

// `TfrmSearchTVRSettings`, the address range of a search and whether to ask before reading
// each unit found.
class TfrmSearchTVRSettings : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSearchTVRSettings(QWidget* parent);

    int firstAddress() const;
    int lastAddress() const;
    bool notify() const;

signals:
    // "Начать поиск".
    void searchRequested(int first, int last, bool notify);

private:
    void keepRangeOrdered();

    QComboBox* cbStartSearchAdr;
    QComboBox* cbStopSearchAdr;
    QCheckBox* chkShowTVRFind;
};

}  // namespace veldar
