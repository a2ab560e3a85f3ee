#include "qt/QtSerialPort.h"

#include <QSerialPort>
#include <QString>
#include <QThread>

#include "model/UserDialog.h"

namespace kyr {

namespace {

constexpr qint32 BaudRate = 57600;
// Write time-out: 2 ms per byte and 1 s more.
constexpr int WriteMsPerByte = 2;
constexpr int WriteMsConstant = 1000;

QSerialPort::Parity qtParity(SerialPort::Parity parity) {
    switch (parity) {
        case SerialPort::Parity::Mark:
            return QSerialPort::MarkParity;
        case SerialPort::Parity::None:
            return QSerialPort::NoParity;
        case SerialPort::Parity::Space:
            break;
    }
    return QSerialPort::SpaceParity;
}

}  // namespace

QtSerialPort::QtSerialPort() : port_(std::make_unique<QSerialPort>()) {}

QtSerialPort::~QtSerialPort() { close(); }

bool QtSerialPort::open(const std::string& name) {
    close();
    port_->setPortName(QString::fromStdString(name));
    if (!port_->open(QIODevice::ReadWrite)) return false;
    // A line that refuses its settings still counts as open; the user hears about it.
    if (!applyLineSettings()) dialogs().beep();
    return true;
}

bool QtSerialPort::applyLineSettings() {
    bool ok = port_->setBaudRate(BaudRate);
    ok = port_->setDataBits(QSerialPort::Data8) && ok;
    ok = port_->setParity(QSerialPort::SpaceParity) && ok;
    ok = port_->setStopBits(QSerialPort::TwoStop) && ok;
    ok = port_->setFlowControl(QSerialPort::NoFlowControl) && ok;
    // Control lines are no line setting: a pseudo-terminal has none and refuses them.
    port_->setDataTerminalReady(false);
    port_->setRequestToSend(true);
    port_->clearError();
    return ok;
}

void QtSerialPort::close() {
    if (port_->isOpen()) port_->close();
}

bool QtSerialPort::isOpen() const { return port_->isOpen(); }

int QtSerialPort::readAvailable(std::span<std::uint8_t> buffer) {
    if (!port_->isOpen()) return -1;
    if (buffer.empty()) return 0;
    // Without waiting: take in what the driver holds, in case no event loop has done so.
    if (port_->bytesAvailable() == 0) {
        port_->waitForReadyRead(0);
        if (port_->error() == QSerialPort::TimeoutError) port_->clearError();
    }
    const qint64 n =
        port_->read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
    return n < 0 ? -1 : static_cast<int>(n);
}

bool QtSerialPort::writeAndWait(std::span<const std::uint8_t> data) {
    if (!port_->isOpen()) return false;
    const auto size = static_cast<qint64>(data.size());
    if (port_->write(reinterpret_cast<const char*>(data.data()), size) != size) return false;
    const int timeout = static_cast<int>(size) * WriteMsPerByte + WriteMsConstant;
    while (port_->bytesToWrite() > 0)
        if (!port_->waitForBytesWritten(timeout)) return false;
    return true;
}

bool QtSerialPort::writeBytes(std::span<const std::uint8_t> data) {
    if (data.empty()) return port_->isOpen();
    return writeAndWait(data);
}

bool QtSerialPort::transmitChar(std::uint8_t c) {
    if (!port_->isOpen()) return false;
    const QSerialPort::Parity before = port_->parity();
    if (before != QSerialPort::MarkParity) port_->setParity(QSerialPort::MarkParity);
    const std::uint8_t byte[] = {c};
    const bool ok = writeAndWait(byte);
    if (before != QSerialPort::MarkParity) port_->setParity(before);
    return ok;
}

bool QtSerialPort::setParity(Parity parity) {
    return port_->isOpen() && port_->setParity(qtParity(parity));
}

void QtSerialPort::sleep(int milliseconds) {
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

}  // namespace kyr
