#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kyr {

// Terminal types 0..9: KYR-T240(E), KYR-T220, KYR Mini, KYR Grand (binary link) and the
// LUM Sigma and LUMQ models (ASCII link).
inline constexpr int TermTypeCount = 10;

struct TermTypeInfo {
    std::array<std::string_view, 2> keywordsRead;  // project-file keywords, any case; "" unused
    std::string_view keywordWritten;               // as written, with its leading blank
    std::string_view modelLabel;
    std::uint8_t rows;
    std::uint8_t cols;
    std::uint8_t lastCommRow;  // last communication-table row the type has
};

// The table row of `type`, nullptr outside 0..9.
const TermTypeInfo* termTypeInfo(int type);

// The type named by a project-file keyword (case-insensitive, whole word), -1 when none.
int termTypeFromKeyword(std::string_view keyword);

// 0 for types 0 and 1, 1 for types 2 and 3, 2 (the LUM series) for the others.
int termFamilyOf(int type);

inline constexpr bool isLumType(int type) { return type >= 4 && type <= 9; }
inline constexpr bool isLumQType(int type) { return type >= 5 && type <= 9; }
inline constexpr bool isLumSigmaType(int type) { return type == 4; }

}  // namespace kyr
