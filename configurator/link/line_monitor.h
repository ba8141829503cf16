#pragma once

#include <QByteArray>

namespace veldar {

// Where the receive path shows the answer lines while the operator watches the line.
class LineMonitor {
public:
    virtual ~LineMonitor() = default;
    virtual bool receiving() const = 0;
    // Every complete line, before it is checked.
    virtual void lineReceived(const QByteArray& hexText) = 0;
    // After the line was handled, when it names an address the program listens to.
    virtual void answerFields(int address, int command) = 0;
};

}  // namespace veldar
