#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kyr {

// One user-visible text in the three program languages, UTF-8, in the order Czech, German,
// English. Tables of texts are arrays of these.
struct Text3 {
    std::string_view cs;
    std::string_view de;
    std::string_view en;
};

// Language bytes as stored in kyr.ini and in the setup's system language.
inline constexpr std::uint8_t LangCzech = 0;
inline constexpr std::uint8_t LangGerman = 1;
inline constexpr std::uint8_t LangEnglish = 2;

// The process-wide current language (default English). Values above 2 read as English.
std::uint8_t language();
void setLanguage(std::uint8_t lang);

// The member of `text` for `lang`, or for the current language.
std::string_view tr(const Text3& text, std::uint8_t lang);
std::string_view tr(const Text3& text);

// Texts shared by every layer.
namespace texts {
inline constexpr Text3 TitleError{"CHYBA", "FEHLER", "ERROR"};
inline constexpr Text3 TitleConfirm{"POTVRZENÍ", "BESTÄTIGUNG", "CONFIRM"};
inline constexpr Text3 TitleDone{"HOTOVO", "FERTIG", "DONE"};
inline constexpr Text3 TitleKyr{"KYR", "KYR", "KYR"};
// Title of the warning dialogs that drop one item while reading.
inline constexpr Text3 TitleWarning{"Varování", "Warnung", "Warning"};
}  // namespace texts

}  // namespace kyr
