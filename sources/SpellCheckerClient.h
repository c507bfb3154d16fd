// The spell checker component as the program meets it: an outside in-process COM object known only
// by its class and interface ids, whose operations are the fixed entries of its interface's table.
// Every failing call raises a _com_error, which ends the caller's check.
#pragma once
#include "Framework.h"

class CSpellCheckerClient {
 public:
  CSpellCheckerClient() = default;
  CSpellCheckerClient(const CSpellCheckerClient&) = delete;
  CSpellCheckerClient& operator=(const CSpellCheckerClient&) = delete;
  ~CSpellCheckerClient();

  // Initialises COM on this thread and creates the component in process; FALSE after telling the
  // user why not (COM failed, or no spell checker is installed). Both end with the object.
  BOOL Open();

  CString GetWord();             // the string property: a replacement after the dialog
  void PutWord(LPCWSTR word);    // the string property: the word to check
  void ShowDialog();             // offers a replacement for the word; the answer is FALSE for cancel
  BOOL GetAnswer();              // the boolean answer of the last operation
  void SelectLanguage();         // the component's own language choice
  void Prepare(long options);    // before a session
  void CheckWord();              // the answer tells whether the word is right
  void BeginSession();
  void EndSession();

 private:
  IUnknown* m_checker = nullptr;
  BOOL m_comStarted = FALSE;
};

