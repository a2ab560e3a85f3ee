#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "model/Texts.h"

namespace kyr {

// UTF-8 text of the model layers at the Qt edge.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string us(const QString& text) { return text.toStdString(); }

// The member of a language triple for the current language, as a QString.
inline QString qtr(const Text3& text) { return qs(tr(text)); }

// A hint stored as "short|long": the short part is the tool button's tooltip, the long part
// the status line text. A hint without "|" serves as both.
struct HintParts {
    QString shortHint;
    QString longHint;
};
inline HintParts splitHint(std::string_view hint) {
    const auto bar = hint.find('|');
    if (bar == std::string_view::npos) return {qs(hint), qs(hint)};
    return {qs(hint.substr(0, bar)), qs(hint.substr(bar + 1))};
}

}  // namespace kyr
