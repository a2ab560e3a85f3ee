#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

namespace kyr::test {

// A core application object for the whole test program: the serial port's socket notifiers
// and timers want one. Register it once per program with AddQtCoreEnvironment().
class QtCoreEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[10] = "kyr_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

inline ::testing::Environment* AddQtCoreEnvironment() {
    return ::testing::AddGlobalTestEnvironment(new QtCoreEnvironment);  // gtest owns it
}

}  // namespace kyr::test
