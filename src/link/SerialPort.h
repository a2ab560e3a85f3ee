#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace kyr {

// The serial line to a terminal, as the link engine and the jobs need it. The real port
// (Qt), the in-process simulated terminal and test doubles implement it. Every operation
// returns at once; the only waiting anywhere in the link is sleep().
class SerialPort {
public:
    enum class Parity { Space, Mark, None };

    virtual ~SerialPort();

    // Opens the named device with the fixed line settings (57600 Bd, 8 data bits, space
    // parity, 2 stop bits, no flow control, RTS raised, DTR low). False when the device
    // cannot be opened; a port whose line settings cannot be applied beeps and stays open.
    virtual bool open(const std::string& name) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // One non-blocking read of what has arrived; the count read, or -1 when the read fails.
    virtual int readAvailable(std::span<std::uint8_t> buffer) = 0;
    // One write of the whole buffer; false when it fails.
    virtual bool writeBytes(std::span<const std::uint8_t> data) = 0;
    // Sends one character ahead of anything queued for output (the mark-parity address byte).
    virtual bool transmitChar(std::uint8_t c) = 0;
    // Changes only the parity of the line settings and applies them.
    virtual bool setParity(Parity parity) = 0;
    // The link's fixed pauses. Test ports return at once.
    virtual void sleep(int milliseconds) = 0;
};

}  // namespace kyr
