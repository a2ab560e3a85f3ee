#pragma once

#include <memory>
#include <string>

#include "link/SerialPort.h"

class QSerialPort;

namespace kyr {

// The PC's serial port on QSerialPort with the link's fixed line settings.
class QtSerialPort final : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override;
    int readAvailable(std::span<std::uint8_t> buffer) override;
    bool writeBytes(std::span<const std::uint8_t> data) override;
    // Sends c with mark parity and leaves the line's parity as it was: the link switches back
    // to space itself, after its pause, once the character has surely left the line driver.
    bool transmitChar(std::uint8_t c) override;
    bool setParity(Parity parity) override;
    void sleep(int milliseconds) override;

private:
    bool applyLineSettings();
    bool writeAndWait(std::span<const std::uint8_t> data);

    std::unique_ptr<QSerialPort> port_;
};

}  // namespace kyr
