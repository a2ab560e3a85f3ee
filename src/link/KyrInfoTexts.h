#pragma once

#include <array>

#include "model/Texts.h"

namespace kyr::texts {

// Group titles of the terminal information.
inline constexpr Text3 InfoAuxMemory{"Přídavná paměť MEM", "Zusatzspeicher MEM",
                                     "Auxiliary Memory MEM"};
inline constexpr Text3 InfoConfigSwitch{"Konfigurační přepínač", "Konfigurationsschalter",
                                        "Configuration Switch"};
inline constexpr Text3 InfoType{"Typ", "Typ", "Type"};
inline constexpr Text3 InfoFirmwareVersion{"Verze firmwaru", "Firmware-Version",
                                           "Firmware Version"};
inline constexpr Text3 InfoBootVersion{"Verze zavaděče BOOT", "BOOT-Version", "BOOT Version"};
inline constexpr Text3 InfoProtocols{"Podporované protokoly", "Unterstützte Protokolle",
                                     "Supported Protocols"};

// Labels of the KYR-T240(E) and KYR-T220 status.
inline constexpr Text3 ProgramModeDisabled{"Programovací režim zakázán",
                                           "Programmiermodus gesperrt", "Program Mode Disabled"};
inline constexpr Text3 ProgramModeEnabled{"Programovací režim povolen",
                                          "Programmiermodus freigegeben", "Program Mode Enabled"};
inline constexpr Text3 BridgeModeDisabled{"Režim můstku zakázán", "Brückenmodus gesperrt",
                                          "Bridge Mode Disabled"};
inline constexpr Text3 BridgeModeEnabled{"Režim můstku povolen", "Brückenmodus freigegeben",
                                         "Bridge Mode Enabled"};
inline constexpr Text3 UserProgramIn{"Uživatelský program v", "Anwenderprogramm im",
                                     "User Program in"};
inline constexpr Text3 MemNotPresent{"Není osazena", "Nicht vorhanden", "Not present"};
inline constexpr Text3 WriteEnabled{"Zápis povolen", "Schreiben freigegeben", "Write Enabled"};
inline constexpr Text3 WriteDisabled{"Zápis zakázán", "Schreiben gesperrt", "Write Disabled"};

// Auxiliary memory types: chip names, the same in every language.
inline constexpr std::array<Text3, 8> MemTypesT240{{
    {"EPROM 64kB (27C512)", "EPROM 64kB (27C512)", "EPROM 64kB (27C512)"},
    {"EPROM 128kB (27C1001)", "EPROM 128kB (27C1001)", "EPROM 128kB (27C1001)"},
    {"???", "???", "???"},
    {"FLASH 128kB (29F010)", "FLASH 128kB (29F010)", "FLASH 128kB (29F010)"},
    {"CMOS RAM 32kB (62256)", "CMOS RAM 32kB (62256)", "CMOS RAM 32kB (62256)"},
    {"CMOS RAM 128kB (628128)", "CMOS RAM 128kB (628128)", "CMOS RAM 128kB (628128)"},
    {"CMOS RAM 32kB (62256)", "CMOS RAM 32kB (62256)", "CMOS RAM 32kB (62256)"},
    {"CMOS RAM 128kB (628128)", "CMOS RAM 128kB (628128)", "CMOS RAM 128kB (628128)"},
}};
inline constexpr std::array<Text3, 4> MemTypesT220{{
    {"EPROM 64kB (27C512)", "EPROM 64kB (27C512)", "EPROM 64kB (27C512)"},
    {"FLASH 32kB (modul RMX32)", "FLASH 32kB (Modul RMX32)", "FLASH 32kB (module RMX32)"},
    {"CMOS RAM 32kB (62256)", "CMOS RAM 32kB (62256)", "CMOS RAM 32kB (62256)"},
    {"CMOS RAM 32kB (62256)", "CMOS RAM 32kB (62256)", "CMOS RAM 32kB (62256)"},
}};

}  // namespace kyr::texts
