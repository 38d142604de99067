// One application object for the whole test run; the widget tests need it.
#include <QApplication>

#include "gtest/gtest.h"

namespace {
class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    if (!qApp) FApp = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { FApp.reset(); }

 private:
  std::unique_ptr<QApplication> FApp;
};
const auto* const GEnv = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);
}  // namespace
