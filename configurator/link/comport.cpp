#include "comport.h"

#include "indicator.h"
#include "line_parameters.h"

#include "platform/ui/dialogs.h"

namespace veldar {

ComPort::ComPort(platform::SerialPortFactory& factory, platform::Dialogs& dialogs, Indicator& tx,
                 QWidget* dialogParent)
    : device_(factory.create()), dialogs_(dialogs), tx_(tx), dialogParent_(dialogParent) {}

bool ComPort::open(const QString& name, int baudRate) {
    open_ = device_->open(name, lineSettings(baudRate), portTimeouts()) == platform::PortError::None;
    if (open_) device_->purge(true, true);
    if (openListener_) openListener_(open_);
    return open_;
}

void ComPort::close() {
    open_ = false;
    device_->close();
}

int ComPort::write(const QByteArray& bytes) {
    if (!open_) return -1;
    if (loader_ && loader_->inLoader() && !leaveLoaderFirst()) return 0;
    tx_.light();
    const auto result =
        device_->write(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    return static_cast<int>(result.count);
}

bool ComPort::leaveLoaderFirst() {
    const auto answer = dialogs_.message(
        dialogParent_, QStringLiteral("VELDAR"),
        QStringLiteral("Блок TVR находится в режиме загрузчика программ.\nПерейте в рабочий режим?"),
        platform::Icon::Question, platform::Buttons::YesNo);
    if (answer != platform::Answer::Yes) return false;
    const auto e = static_cast<std::uint8_t>(kLeaveLoader);
    device_->write(&e, 1);
    loader_->leftLoader();
    return true;
}

}  // namespace veldar
