// The standard security handler with RC4: revision 2 (40-bit key) and revision 3 (128-bit key).
#pragma once
#include <cstdint>
#include <string>

namespace pdf {

std::string Md5(const std::string& data);
std::string Rc4(const std::string& key, const std::string& data);

// What a reader of an encrypted file may do besides viewing it.
struct Permissions {
  bool print = true;
  bool modifyContents = true;  // changing the document's structure and contents
  bool copy = true;            // copying text and graphics
  bool annotations = true;     // adding and changing annotations and form fields
  // The /P value: the reserved bits set as the handler requires, the four flags at bits 3 to 6.
  std::int32_t Value(int revision) const;
};

class StandardSecurity {
 public:
  // Passwords are taken as Latin-1 bytes (the handler pads them to 32 bytes); fileId is the first
  // element of the trailer's /ID. keyBits is 40 or 128.
  void Setup(const std::string& userPassword, const std::string& ownerPassword, const Permissions& permissions,
             int keyBits, const std::string& fileId);
  std::string Encrypt(int objectNumber, const std::string& data) const;
  // The entries of the /Encrypt dictionary, without its brackets.
  std::string DictionaryEntries() const;
  int Revision() const { return revision_; }
  const std::string& FileKey() const { return key_; }

 private:
  int revision_ = 2;
  int keyBytes_ = 5;
  std::int32_t permissions_ = 0;
  std::string key_, owner_, user_;
};

}  // namespace pdf
