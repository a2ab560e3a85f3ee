#include "cli/QtCoreScope.h"

#include <QCoreApplication>

namespace kyr::cli {

namespace {
int gArgc = 1;
char gName[] = "kyr2cli";
char* gArgv[] = {gName, nullptr};
}  // namespace

QtCoreScope::QtCoreScope() {
    if (QCoreApplication::instance() == nullptr) app_ = std::make_unique<QCoreApplication>(gArgc, gArgv);
}

QtCoreScope::~QtCoreScope() = default;

}  // namespace kyr::cli
