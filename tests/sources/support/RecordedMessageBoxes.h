// For its lifetime, the program's message boxes show nothing: their texts are kept for the test and
// each is answered with one button.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "MyProcs.h"

namespace fixtures {

class RecordedMessageBoxes {
 public:
  explicit RecordedMessageBoxes(int answer = IDOK);
  ~RecordedMessageBoxes();
  RecordedMessageBoxes(const RecordedMessageBoxes&) = delete;
  RecordedMessageBoxes& operator=(const RecordedMessageBoxes&) = delete;
  std::vector<std::wstring>& Texts() { return texts_; }

 private:
  static int Record(LPCTSTR text, UINT type);
  static RecordedMessageBoxes* s_current;
  MessageBoxPresenter previous_;
  std::vector<std::wstring> texts_;
  int answer_;
};

}  // namespace fixtures
