#include "app/TerminalFonts.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include "app/AppTexts.h"
#include "model/TerminalFontFile.h"
#include "model/UserDialog.h"
#include "qt/QtText.h"

namespace kyr {

namespace {

const TerminalFonts* activeFonts = nullptr;

constexpr CharSet kSets[] = {CharSet::Latin, CharSet::Cyrillic};

// The whole file, or nothing when it cannot be read or is larger than any font file.
std::optional<Bytes> readBounded(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray data = file.read(static_cast<qint64>(fontfile::maxFileSize()) + 1);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    if (static_cast<std::size_t>(data.size()) > fontfile::maxFileSize()) return std::nullopt;
    return Bytes(data.begin(), data.end());
}

QImage glyphImage(const TerminalFont& font, std::uint8_t code) {
    QImage image(font.width(), font.height(), QImage::Format_Mono);
    image.setColorTable({qRgba(0, 0, 0, 0), qRgba(0, 0, 0, 255)});
    image.fill(0);
    for (int y = 0; y < font.height(); ++y)
        for (int x = 0; x < font.width(); ++x)
            if (font.pixel(code, x, y)) image.setPixel(x, y, 1);
    return image;
}

}  // namespace

TerminalFonts::TerminalFonts(QString folder) : folder_(std::move(folder)) {}

TerminalFonts::~TerminalFonts() { removeFonts(); }

const TerminalFonts* TerminalFonts::active() { return activeFonts; }

QSize TerminalFonts::cellSize() { return {TerminalCellWidth, TerminalCellHeight}; }

const char* TerminalFonts::faceName(CharSet set) { return terminalFontFace(set); }

bool TerminalFonts::registerFonts() {
    removeFonts();
    for (CharSet set : kSets) {
        if (readFace(set)) continue;
        showError(std::string(tr(apptexts::CannotReadFile)) +
                  us(QString::fromLatin1(terminalFontFile(set)).toUpper()));
        removeFonts();
        return false;
    }
    activeFonts = this;
    return true;
}

bool TerminalFonts::readFace(CharSet set) {
    const auto data =
        readBounded(QDir(folder_).filePath(QString::fromLatin1(terminalFontFile(set))));
    if (!data) return false;
    auto font = decodeTerminalFont(*data);
    if (!font || font->face() != terminalFontFace(set) || font->width() != TerminalCellWidth ||
        font->height() != TerminalCellHeight) {
        return false;
    }
    Face& f = face(set);
    for (int code = 0; code < TerminalFont::Codes; ++code) {
        f.glyphs[code] = glyphImage(*font, static_cast<std::uint8_t>(code));
    }
    f.font = std::move(font);
    return true;
}

void TerminalFonts::removeFonts() {
    if (activeFonts == this) activeFonts = nullptr;
    for (Face& f : faces_) {
        f.font.reset();
        f.glyphs.fill(QImage());
    }
}

bool TerminalFonts::hasFace(CharSet set) const { return face(set).font.has_value(); }

const TerminalFont* TerminalFonts::font(CharSet set) const {
    const auto& f = face(set).font;
    return f ? &*f : nullptr;
}

const QImage& TerminalFonts::glyph(CharSet set, std::uint8_t code) const {
    return face(set).glyphs[code];
}

void TerminalFonts::drawCell(QPainter& painter, QPoint topLeft, CharSet set, std::uint8_t code,
                             const QColor& ink) const {
    const QImage& image = glyph(set, code);
    if (image.isNull()) return;
    QImage coloured = image;
    coloured.setColor(1, ink.rgba());
    painter.drawImage(topLeft, coloured);
}

void TerminalFonts::drawText(QPainter& painter, QPoint topLeft, CharSet set, std::string_view codes,
                             const QColor& ink) const {
    QPoint at = topLeft;
    for (char c : codes) {
        drawCell(painter, at, set, static_cast<std::uint8_t>(c), ink);
        at.rx() += TerminalCellWidth;
    }
}

}  // namespace kyr
