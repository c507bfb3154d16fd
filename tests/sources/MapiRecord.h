// What the test MAPI32.DLL recorded (FakeMapi.cpp): the file's text, after which the file is removed
// so the next send starts a new record. Empty when nothing was sent.
#pragma once
#include <string>

#include "TestSupport.h"

inline std::string TakeMapiRecord(const std::wstring& path) {
  const std::string text =
      GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? testing_support::ReadFileBytes(path) : std::string();
  DeleteFileW(path.c_str());
  return text;
}
