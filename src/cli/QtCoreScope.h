#pragma once

#include <memory>

class QCoreApplication;

namespace kyr::cli {

// The Qt core application the PC's serial port needs, for as long as a command talks to a
// terminal; nothing when the process has one already.
class QtCoreScope {
public:
    QtCoreScope();
    ~QtCoreScope();
    QtCoreScope(const QtCoreScope&) = delete;
    QtCoreScope& operator=(const QtCoreScope&) = delete;

private:
    std::unique_ptr<QCoreApplication> app_;
};

}  // namespace kyr::cli
