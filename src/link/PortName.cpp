#include "link/PortName.h"

namespace kyr {

std::string portDeviceName(int comPort, const std::string& portNameSetting) {
    if (!portNameSetting.empty()) return portNameSetting;
#ifdef _WIN32
    return "COM" + std::to_string(comPort);
#else
    return "/dev/ttyS" + std::to_string(comPort - 1);
#endif
}

}  // namespace kyr
