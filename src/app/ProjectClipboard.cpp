#include "app/ProjectClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "model/Charset.h"
#include "qt/QtText.h"

namespace kyr {

namespace {
constexpr auto ProjectTextFormat = "application/x-kyr2-project-text";
}

void putProjectText(const std::string& bytes) {
    auto mime = std::make_unique<QMimeData>();
    mime->setData(ProjectTextFormat, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    mime->setText(qs(cp1250ToUtf8(bytes)));
    QGuiApplication::clipboard()->setMimeData(mime.release());
}

std::string takeProjectText() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime) return {};
    if (mime->hasFormat(ProjectTextFormat)) return mime->data(ProjectTextFormat).toStdString();
    if (mime->hasText()) return utf8ToCp1250(us(mime->text()));
    return {};
}

bool clipboardHasText() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && (mime->hasText() || mime->hasFormat(ProjectTextFormat));
}

}  // namespace kyr
