#pragma once
// What the core needs of a user interface, reached through hooks that the application sets.
// Without them nothing is shown, AskYesNo answers No and the yield does nothing.

#include <functional>
#include <string>

struct TCoreHooks {
  std::function<void(const std::string&)> ShowError;
  std::function<bool(const std::string&)> AskYesNo;
  std::function<void()> ProcessMessages;  // lets pending window events run
  std::function<void()> CursorPush;       // busy cursor on
  std::function<void()> CursorPop;        // previous cursor back
};

TCoreHooks& CoreHooks();

void ShowError(const std::string& text);
bool AskYesNo(const std::string& text);
void ProcessMessages();
void CursorPush();
void CursorPop();

// Pushes the busy cursor for the lifetime of the object.
class TBusyCursor {
 public:
  TBusyCursor() { CursorPush(); }
  ~TBusyCursor() { CursorPop(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};
