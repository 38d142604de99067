// One application object (the program's own) for the whole test run.
#include <QApplication>

#include "platform/Application.h"

#include "gtest/gtest.h"

namespace {
class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    if (!qApp) FApp = std::make_unique<TApplication>(argc, argv);
  }
  void TearDown() override { FApp.reset(); }

 private:
  std::unique_ptr<TApplication> FApp;
};
const auto* const GEnv = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);
}  // namespace
