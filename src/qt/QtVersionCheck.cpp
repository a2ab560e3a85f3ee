#include <QtGlobal>

static_assert(QT_VERSION >= QT_VERSION_CHECK(6, 2, 0), "KYR2 needs Qt 6.2 or later");
