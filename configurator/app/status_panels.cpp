#include "status_panels.h"

#include <QLabel>
#include <QProgressBar>

namespace veldar {
namespace {

struct PanelLayout {
    int width;
    const char* text;  // nullptr for a lamp
    const char* lampName;
};

// The last panel takes whatever width is left, as the last panel of a status bar does.
const std::array<PanelLayout, StatusPanels::kPanels> kLayouts{{
    {300, "", nullptr},
    {65, "Терминал", nullptr},
    {50, "", nullptr},
    {60, "Скорость", nullptr},
    {50, "", nullptr},
    {20, "RX", nullptr},
    {20, nullptr, "RXBar"},
    {20, "TX", nullptr},
    {20, nullptr, "TXBar"},
    {85, "Ошибка CRC", nullptr},
    {21, nullptr, "CRCFailedInicator"},
    {50, "", nullptr},
}};

}  // namespace

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    // The panels' widths were made for a small status font.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    for (int i = 0; i < kPanels; ++i) {
        const PanelLayout& layout = kLayouts[static_cast<std::size_t>(i)];
        QWidget* panel;
        if (layout.text) {
            auto* label = new QLabel(QString::fromUtf8(layout.text), this);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setIndent(2);
            label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
            panel = label;
        } else {
            auto* lamp = new QProgressBar(this);
            lamp->setObjectName(QString::fromLatin1(layout.lampName));
            lamp->setRange(0, 10);
            lamp->setValue(0);
            lamp->setTextVisible(false);
            lamp->setMaximumHeight(14);
            panel = lamp;
        }
        const bool last = i == kPanels - 1;
        if (last)
            panel->setMinimumWidth(layout.width);
        else
            panel->setFixedWidth(layout.width);
        addWidget(panel, last ? 1 : 0);
        panels_[static_cast<std::size_t>(i)] = panel;
    }
}

void StatusPanels::setText(int panel, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(panels_.at(static_cast<std::size_t>(panel)))) label->setText(text);
}

QString StatusPanels::text(int panel) const {
    const auto* label = qobject_cast<const QLabel*>(panels_.at(static_cast<std::size_t>(panel)));
    return label ? label->text() : QString();
}

QProgressBar* StatusPanels::lamp(int panel) const {
    return qobject_cast<QProgressBar*>(panels_.at(static_cast<std::size_t>(panel)));
}

void StatusPanels::showPort(const QString& name, const QString& baudRate) {
    setText(kPort, name);
    setText(kBaudRate, baudRate);
}

}  // namespace veldar
