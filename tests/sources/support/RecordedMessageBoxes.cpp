#include "RecordedMessageBoxes.h"

namespace fixtures {

RecordedMessageBoxes* RecordedMessageBoxes::s_current = nullptr;

RecordedMessageBoxes::RecordedMessageBoxes(int answer) : answer_(answer) {
  s_current = this;
  previous_ = SetMessageBoxPresenter(Record);
}

RecordedMessageBoxes::~RecordedMessageBoxes() {
  SetMessageBoxPresenter(previous_);
  s_current = nullptr;
}

int RecordedMessageBoxes::Record(LPCTSTR text, UINT) {
  if (s_current == nullptr) return 0;
  s_current->texts_.push_back(text != nullptr ? text : L"");
  return s_current->answer_;
}

}  // namespace fixtures
