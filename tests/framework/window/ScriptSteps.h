// Steps a test runs inside a window's modal loop after the window has opened, one per posted message,
// so each step sees what the one before it caused.
#pragma once
#include <functional>
#include <vector>

#include "Framework.h"

template <class Window>
class ScriptSteps : public std::vector<std::function<void(Window&)>> {
 public:
  using Steps = std::vector<std::function<void(Window&)>>;
  using Steps::Steps;
  using Steps::operator=;

  // The handler of `message`, whose wParam is the step: runs that step and posts the next one.
  LRESULT Run(Window& window, UINT message, WPARAM step) {
    if (step < this->size()) {
      (*this)[step](window);
      window.PostMessage(message, step + 1);
    }
    return 0;
  }
};
