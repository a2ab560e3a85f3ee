#pragma once

#include <string>

namespace kyr {

// The device behind the comPort setting: COMn on Windows, /dev/ttyS(n-1) elsewhere, unless
// the portName setting names a device ("/dev/ttyUSB0", a pseudo-terminal, "sim:", "sim:N").
std::string portDeviceName(int comPort, const std::string& portNameSetting);

}  // namespace kyr
