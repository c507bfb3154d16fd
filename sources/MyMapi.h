// Sending files as attachments of a new message through the user's mail program (Simple MAPI). The
// mail library "MAPI32.DLL" is loaded on the first send and kept until the program ends; the program
// has no link-time dependency on it.
#pragma once
#include "Framework.h"

// Holds the loaded mail library for the program's lifetime.
class CMailState {
 public:
  CMailState() = default;
  virtual ~CMailState();
  CMailState(const CMailState&) = delete;
  CMailState& operator=(const CMailState&) = delete;

  // The library, loaded now when it is not yet; null when it cannot be loaded (tried again next time).
  HMODULE GetLibrary();

 private:
  HMODULE m_library = nullptr;
};

// Hands the files (full paths, in attachment order) to the mail program's compose window. Nothing for
// an empty list; failures are shown to the user and logged.
void SendFilesByMail(const CStringArray& paths);
