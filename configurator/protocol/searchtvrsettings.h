#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace veldar {

// `TfrmSearchTVRSettings`, the address range of a search.
class TfrmSearchTVRSettings : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSearchTVRSettings(QWidget* parent);

private:
    QComboBox* cbStartSearchAdr;
    QComboBox* cbStopSearchAdr;
    QCheckBox* chkShowTVRFind;
};

}  // namespace veldar
