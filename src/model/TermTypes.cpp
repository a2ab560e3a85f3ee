#include "model/TermTypes.h"

#include <cctype>

namespace kyr {

namespace {

constexpr std::array<TermTypeInfo, TermTypeCount> kTypes{{
    {{"KYRB", ""}, " KYRB", "KYR-T240(E)", 2, 40, 5},
    {{"KYRC", ""}, " KYRC", "KYR-T220", 2, 20, 5},
    {{"KYRU", "KYRMINI"}, " KYRmini", "KYR Mini", 2, 16, 4},
    {{"KYRG", "KYRGRAND"}, " KYRgrand", "KYR Grand", 4, 40, 7},
    {{"LUMS", "LUMSIGMA"}, " LUMsigma", "LUM Sigma", 2, 16, 3},
    {{"LUMQ1", ""}, " LUMQ1", "LUMQ1", 1, 5, 3},
    {{"LUMQ1H", ""}, " LUMQ1H", "LUMQ1H", 1, 5, 3},
    {{"LUMQ2", ""}, " LUMQ2", "LUMQ2", 2, 4, 3},
    {{"LUMQ3", ""}, " LUMQ3", "LUMQ3", 2, 6, 3},
    {{"LUMQ4", ""}, " LUMQ4", "LUMQ4", 2, 8, 3},
}};

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (std::toupper(ca) != std::toupper(cb)) return false;
    }
    return true;
}

}  // namespace

const TermTypeInfo* termTypeInfo(int type) {
    if (type < 0 || type >= TermTypeCount) return nullptr;
    return &kTypes[static_cast<std::size_t>(type)];
}

int termTypeFromKeyword(std::string_view keyword) {
    if (keyword.empty()) return -1;
    for (int type = 0; type < TermTypeCount; ++type) {
        for (const auto k : kTypes[static_cast<std::size_t>(type)].keywordsRead) {
            if (!k.empty() && equalsNoCase(k, keyword)) return type;
        }
    }
    return -1;
}

int termFamilyOf(int type) {
    if (type <= 1) return 0;
    if (type <= 3) return 1;
    return 2;
}

}  // namespace kyr
