// The registry records of an application as bytes the mutation driver can change: a blob of values,
// each "uint8 name index, uint8 value type, uint16 size, the value's bytes", over a fixed table of
// the values the program reads. A mutant may name any value with any type and any size.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "FuzzRun_win.h"

namespace fuzz {

struct RegistryValueName {
  const wchar_t* subKey;  // under HKEY_CURRENT_USER
  const wchar_t* name;
};

// One entry of a blob.
std::string RegistryEntry(size_t nameIndex, DWORD type, const std::string& data);
std::string RegistryDword(size_t nameIndex, DWORD value);
std::string RegistryText(size_t nameIndex, const std::wstring& text);

// Removes every value of the table, then writes the blob's entries (a name index past the table
// wraps around; a short last entry is cut to what is there). FALSE when the registry refuses a write.
bool WriteRegistryBlob(const std::vector<RegistryValueName>& names, const std::string& blob);
// Every value of the table that exists, in table order, as a blob.
std::string ReadRegistryBlob(const std::vector<RegistryValueName>& names);

// A reader of registry records: the blob goes into the registry, `read` lets the program take the
// records and returns how the program writes back what it took; the table is emptied, that writer
// runs, and what it wrote is the result's written bytes.
ReadResult ReadRegistryRecords(const std::vector<RegistryValueName>& names, const std::string& blob,
                               const std::function<std::function<void()>()>& read);

}  // namespace fuzz
