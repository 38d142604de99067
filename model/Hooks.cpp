#include "model/Hooks.h"

TCoreHooks& CoreHooks() {
  static TCoreHooks hooks;
  return hooks;
}

void ShowError(const std::string& text) {
  if (CoreHooks().ShowError) CoreHooks().ShowError(text);
}

bool AskYesNo(const std::string& text) {
  return CoreHooks().AskYesNo ? CoreHooks().AskYesNo(text) : false;
}

void ProcessMessages() {
  if (CoreHooks().ProcessMessages) CoreHooks().ProcessMessages();
}

void CursorPush() {
  if (CoreHooks().CursorPush) CoreHooks().CursorPush();
}

void CursorPop() {
  if (CoreHooks().CursorPop) CoreHooks().CursorPop();
}
