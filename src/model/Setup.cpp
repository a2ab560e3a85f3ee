#include "model/Setup.h"

namespace kyr {

TSetup TSetup::Defaults(std::uint8_t language) {
    TSetup s;
    s.SetBaudIndex(2);    // 9600 Bd
    s.SetParityIndex(5);  // N,8,1
    s.SetPortIndex(1);    // RS-232C
    s.SetAddress(1);
    s.SetSetupFlags(FlagKeyboardBeep);
    s.SetLanguageEx(language > 2 ? 2 : language);
    s.SetDefaultExd(-1);
    s.SetProtocol(0);
    s.SetIoBoard(0);
    s.SetExtDisplay(0);
    return s;
}

}  // namespace kyr
