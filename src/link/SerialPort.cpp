#include "link/SerialPort.h"

namespace kyr {

SerialPort::~SerialPort() = default;

}  // namespace kyr
