#include "app/TerminalFonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include "app/AppTexts.h"
#include "model/UserDialog.h"
#include "qt/QtText.h"

namespace kyr {

namespace {

bool loadedFace(const char* family) { return QFontDatabase::families().contains(family); }

}  // namespace

TerminalFonts::TerminalFonts(QString folder) : folder_(std::move(folder)) {}

TerminalFonts::~TerminalFonts() { removeAll(); }

bool TerminalFonts::registerFonts() {
    if (!registerFile(LatinFile)) return false;
    if (!registerFile(CyrillicFile)) {
        removeAll();
        return false;
    }
    return true;
}

bool TerminalFonts::registerFile(const char* fileName) {
    const QString path = QDir(folder_).filePath(fileName);
    if (!QFileInfo::exists(path)) return true;
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) {
        showError(std::string(tr(apptexts::CannotReadFile)) + us(QString(fileName).toUpper()));
        return false;
    }
    ids_.push_back(id);
    return true;
}

void TerminalFonts::removeAll() {
    while (!ids_.empty()) {
        QFontDatabase::removeApplicationFont(ids_.back());
        ids_.pop_back();
    }
}

bool TerminalFonts::hasFace(Face face) const {
    return loadedFace(face == Face::Latin ? "KYR_Font" : "KYR_FontR");
}

QFont TerminalFonts::font(Face face) {
    const char* family = face == Face::Latin ? "KYR_Font" : "KYR_FontR";
    QFont f = loadedFace(family) ? QFont(family) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(20);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

}  // namespace kyr
