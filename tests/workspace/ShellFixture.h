#pragma once
// Each test gets its own shared data folder (so its own settings file), fresh workspace
// variables and the scripted dialogs.

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "gtest/gtest.h"
#include "model/NumberFormat.h"
#include "platform/Dialogs.h"
#include "platform/FormatSettings.h"
#include "windows/Lmklst.h"
#include "workspace/Lmkglob.h"
#include "workspace/Morvexu2.h"

class TShellFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FData.isValid());
    qputenv("XDG_DATA_HOME", FData.path().toLocal8Bit());
    ResetWorkspace();
    ProgramArguments = {"Morvex2"};
    SetFormatDecimalSeparator('.');
  }
  void TearDown() override {
    SetFormatDecimalSeparator('.');
    ResetWorkspace();
  }

  std::unique_ptr<TMorvexF> Start() { return std::make_unique<TMorvexF>(); }
  void Stop(std::unique_ptr<TMorvexF>& w) {
    w->close();
    w.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  std::string Folder() const { return FData.filePath("lmk").toStdString(); }
  std::string IniPath() const { return Folder() + "/Morvex2.ini"; }
  std::string IniText() const {
    std::ifstream in(IniPath(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  void WriteIni(const std::string& text) const {
    std::filesystem::create_directories(Folder());
    std::ofstream(IniPath(), std::ios::binary) << text;
  }
  static std::string ListingText() {
    return lmkLstF ? lmkLstF->Editor->toPlainText().toStdString() : std::string();
  }

  QTemporaryDir FData;
  TScriptedDialogsScope FDialogs;
};
