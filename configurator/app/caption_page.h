#pragma once

#include <QWidget>

class QLabel;

namespace veldar {

// A page that shows only its caption in its middle (`PanelMeasuringChannels`, `PanelChannel`).
class CaptionPage : public QWidget {
    Q_OBJECT
public:
    CaptionPage(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    void setCaption(const QString& caption);

private:
    QLabel* caption_;
};

}  // namespace veldar
