#include "model/ProtocolList.h"

#include <array>

namespace kyr {

namespace {

constexpr Text3 same(std::string_view name) { return {name, name, name}; }

constexpr std::array<ProtocolEntry, 47> kProtocols{{
    {texts::CharacterTerminal, 0},
    {same("Allen-Bradley DF1 BCC"), 10},
    {same("Allen-Bradley DF1 CRC"), 11},
    {same("Allen-Bradley DH485"), 12},
    {same("Zelvo NRX"), 35},
    {same("Fatek"), 39},
    {same("Fatek MultiMaster"), 40},
    {same("Festo FPC"), 36},
    {same("GE Fanuc SNP direct"), 31},
    {same("GE Fanuc SNP direct MultiMaster"), 32},
    {same("GE Fanuc SNP multidrop"), 33},
    {same("GE Fanuc SNP multidrop MultiMaster"), 34},
    {same("Hitachi EC"), 9},
    {same("Hitachi H"), 15},
    {same("Koyo K-sequence"), 16},
    {same("Koyo K-sequence MultiMaster"), 17},
    {same("Koyo DirectNET"), 18},
    {same("Koyo DirectNET MultiMaster"), 19},
    {same("Mitsubishi A1S"), 28},
    {same("Mitsubishi FX0,FX0S,FX0N,FX2N,FX"), 6},
    {same("Modicon Modbus ASCII"), 24},
    {same("Modicon Modbus ASCII MultiMaster"), 25},
    {same("Modicon Modbus RTU"), 26},
    {same("Modicon Modbus RTU MultiMaster"), 27},
    {same("Modicon TSX Modbus ASCII"), 20},
    {same("Modicon TSX Modbus ASCII MultiMaster"), 21},
    {same("Modicon TSX Modbus RTU"), 22},
    {same("Modicon TXS Modbus RTU MultiMaster"), 23},
    {same("Omron Host Link"), 1},
    {same("Omron Host Link MultiMaster"), 2},
    {same("Saia S-Bus Parity Master"), 37},
    {same("Saia S-Bus Parity MultiMaster"), 38},
    {same("Saia S-Bus Parity Slave"), 3},
    {same("Simatic S7-200 PPI"), 29},
    {same("Simatic S7-200 PPI MultiMaster"), 30},
    {same("Tecomat PC mode"), 7},
    {same("Tecomat PC mode MultiMaster"), 8},
    {same("Toshiba M, EX Computer Link"), 4},
    {same("Toshiba M, EX Computer Link MultiMaster"), 5},
    {same("Toshiba T Computer Link"), 13},
    {same("Toshiba T Computer Link MultiMaster"), 14},
    {same("Wago Modbus ASCII"), 41},
    {same("Wago Modbus ASCII MultiMaster"), 42},
    {same("Wago Modbus RTU"), 43},
    {same("Wago Modbus RTU MultiMaster"), 44},
    {texts::DigitalSignals24V, 45},
    {same("EXD Compatible Protocol"), 46},
}};

}  // namespace

std::span<const ProtocolEntry> protocolList() { return kProtocols; }

const ProtocolEntry* protocolByCode(int code) {
    for (const auto& entry : kProtocols)
        if (entry.code == code) return &entry;
    return nullptr;
}

}  // namespace kyr
