#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/Bytes.h"

namespace kyr {

// The terminal setup: ten bytes in the order of the setup block of the memory image, read and
// written through named accessors.
class TSetup {
public:
    static constexpr std::size_t Size = 10;

    // Byte offsets.
    static constexpr std::size_t BaudIndexAt = 0;
    static constexpr std::size_t ParityIndexAt = 1;
    static constexpr std::size_t PortIndexAt = 2;
    static constexpr std::size_t AddressAt = 3;
    static constexpr std::size_t SetupFlagsAt = 4;
    static constexpr std::size_t LanguageExAt = 5;
    static constexpr std::size_t DefaultExdAt = 6;
    static constexpr std::size_t ProtocolAt = 7;
    static constexpr std::size_t IoBoardAt = 8;
    static constexpr std::size_t ExtDisplayAt = 9;

    // SetupFlags bits.
    static constexpr std::uint8_t FlagKeyboardBeep = 0x01;
    static constexpr std::uint8_t FlagSwitchOffAtError = 0x02;
    static constexpr std::uint8_t FlagSuppressStartup = 0x04;

    // All bytes zero (a project read from a file without a [Setup] section).
    TSetup() = default;

    // The setup of a new project; the system language is `language` (0 Czech, 1 German,
    // 2 English; larger values count as English).
    static TSetup Defaults(std::uint8_t language);

    std::uint8_t BaudIndex() const { return at(BaudIndexAt); }
    std::uint8_t ParityIndex() const { return at(ParityIndexAt); }
    std::uint8_t PortIndex() const { return at(PortIndexAt); }
    std::uint8_t Address() const { return at(AddressAt); }
    std::uint8_t SetupFlags() const { return at(SetupFlagsAt); }
    std::uint8_t LanguageEx() const { return at(LanguageExAt); }
    std::int8_t DefaultExd() const { return static_cast<std::int8_t>(at(DefaultExdAt)); }
    std::uint8_t Protocol() const { return at(ProtocolAt); }
    std::uint8_t IoBoard() const { return at(IoBoardAt); }
    std::uint8_t ExtDisplay() const { return at(ExtDisplayAt); }

    void SetBaudIndex(std::uint8_t v) { set(BaudIndexAt, v); }
    void SetParityIndex(std::uint8_t v) { set(ParityIndexAt, v); }
    void SetPortIndex(std::uint8_t v) { set(PortIndexAt, v); }
    void SetAddress(std::uint8_t v) { set(AddressAt, v); }
    void SetSetupFlags(std::uint8_t v) { set(SetupFlagsAt, v); }
    void SetLanguageEx(std::uint8_t v) { set(LanguageExAt, v); }
    void SetDefaultExd(std::int8_t v) { set(DefaultExdAt, static_cast<std::uint8_t>(v)); }
    void SetProtocol(std::uint8_t v) { set(ProtocolAt, v); }
    void SetIoBoard(std::uint8_t v) { set(IoBoardAt, v); }
    void SetExtDisplay(std::uint8_t v) { set(ExtDisplayAt, v); }

    // Parts of LanguageEx: bits 0-1 the terminal's system language, bits 2-7 the
    // protocol-dependent option value.
    std::uint8_t SystemLanguage() const { return LanguageEx() & 0x03; }
    std::uint8_t LanguageOption() const { return LanguageEx() & 0xFC; }

    bool HasFlag(std::uint8_t flag) const { return (SetupFlags() & flag) != 0; }

    // The raw block, byte 0 first.
    std::span<const std::uint8_t, Size> Bytes() const { return bytes_; }
    std::span<std::uint8_t, Size> Bytes() { return bytes_; }

    bool operator==(const TSetup&) const = default;

private:
    std::uint8_t at(std::size_t i) const { return bytes::u8(bytes_, i); }
    void set(std::size_t i, std::uint8_t v) { bytes::setU8(bytes_, i, v); }

    std::array<std::uint8_t, Size> bytes_{};
};

}  // namespace kyr
