#pragma once
// The program's help: our own HTML pages, shown in one help window at the topic numbers the
// windows give. resources/help/topics.txt maps each topic number to its page.

#include <QMainWindow>
#include <map>

class QTextBrowser;

class THelpF : public QMainWindow {
  Q_OBJECT
 public:
  explicit THelpF(QWidget* parent = nullptr);
  void ShowTopic(int topic);
  void ShowContents();
  QTextBrowser* Browser = nullptr;
  // The page of a topic; the contents page for an unknown number.
  static QString PageOf(int topic);
};

// The one help window, created on first use.
THelpF* HelpWindow();
void ShowHelpTopic(int topic);
void ShowHelpContents();
// Closes the help window when there is one.
void CloseHelpWindow();
