#include "pdfwriter/PdfSecurity.h"

#include <cstring>

#include "pdfwriter/PdfObjects.h"

namespace pdf {
namespace {

const unsigned char kPadding[32] = {0x28, 0xBF, 0x4E, 0x5E, 0x4E, 0x75, 0x8A, 0x41, 0x64, 0x00, 0x4E,
                                    0x56, 0xFF, 0xFA, 0x01, 0x08, 0x2E, 0x2E, 0x00, 0xB6, 0xD0, 0x68,
                                    0x3E, 0x80, 0x2F, 0x0C, 0xA9, 0xFE, 0x64, 0x53, 0x69, 0x7A};

std::string Padded(const std::string& password) {
  std::string out = password.substr(0, 32);
  out.append(reinterpret_cast<const char*>(kPadding), 32 - out.size());
  return out;
}

std::uint32_t Rotl(std::uint32_t x, int c) { return (x << c) | (x >> (32 - c)); }

}  // namespace

std::string Md5(const std::string& data) {
  static const std::uint32_t k[64] = {
      0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
      0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
      0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
      0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
      0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
      0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
      0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
      0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
  static const int r[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                            5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                            4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                            6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
  std::uint32_t h[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
  std::string message = data;
  std::uint64_t bits = static_cast<std::uint64_t>(data.size()) * 8;
  message += '\x80';
  while (message.size() % 64 != 56) message += '\0';
  for (int i = 0; i < 8; ++i) message += static_cast<char>((bits >> (8 * i)) & 0xFF);
  for (size_t chunk = 0; chunk < message.size(); chunk += 64) {
    std::uint32_t w[16];
    for (int i = 0; i < 16; ++i) {
      const unsigned char* p = reinterpret_cast<const unsigned char*>(message.data() + chunk + 4 * i);
      w[i] = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3];
    for (int i = 0; i < 64; ++i) {
      std::uint32_t f;
      int g;
      if (i < 16) { f = (b & c) | (~b & d); g = i; }
      else if (i < 32) { f = (d & b) | (~d & c); g = (5 * i + 1) % 16; }
      else if (i < 48) { f = b ^ c ^ d; g = (3 * i + 5) % 16; }
      else { f = c ^ (b | ~d); g = (7 * i) % 16; }
      std::uint32_t t = d;
      d = c;
      c = b;
      b = b + Rotl(a + f + k[i] + w[g], r[i]);
      a = t;
    }
    h[0] += a; h[1] += b; h[2] += c; h[3] += d;
  }
  std::string out;
  for (std::uint32_t v : h)
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

std::string Rc4(const std::string& key, const std::string& data) {
  unsigned char s[256];
  for (int i = 0; i < 256; ++i) s[i] = static_cast<unsigned char>(i);
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) & 0xFF;
    std::swap(s[i], s[j]);
  }
  std::string out(data.size(), '\0');
  for (size_t n = 0, i = 0, j = 0; n < data.size(); ++n) {
    i = (i + 1) & 0xFF;
    j = (j + s[i]) & 0xFF;
    std::swap(s[i], s[j]);
    out[n] = static_cast<char>(data[n] ^ s[(s[i] + s[j]) & 0xFF]);
  }
  return out;
}

std::int32_t Permissions::Value(int revision) const {
  // Bits 1-2 must be 0; revision 2 sets bits 7-32, revision 3 bits 7-8 and 13-32, and grants the
  // remaining revision-3 rights (fill-in, extraction for accessibility, assembly, high-quality print)
  // together with the flag they refine.
  std::uint32_t p = 0xFFFFFFC0u;
  if (revision >= 3) {
    p = 0xFFFFF0C0u;
    if (annotations) p |= 1u << 8;   // fill in form fields
    if (copy) p |= 1u << 9;          // extract for accessibility
    if (modifyContents) p |= 1u << 10;  // assemble
    if (print) p |= 1u << 11;        // print in high quality
  }
  if (print) p |= 1u << 2;
  if (modifyContents) p |= 1u << 3;
  if (copy) p |= 1u << 4;
  if (annotations) p |= 1u << 5;
  return static_cast<std::int32_t>(p);
}

void StandardSecurity::Setup(const std::string& userPassword, const std::string& ownerPassword,
                             const Permissions& permissions, int keyBits, const std::string& fileId) {
  revision_ = keyBits > 40 ? 3 : 2;
  keyBytes_ = revision_ == 3 ? 16 : 5;
  permissions_ = permissions.Value(revision_);
  // Without an owner password the user password serves as both, as the handler prescribes.
  std::string owner = ownerPassword.empty() ? userPassword : ownerPassword;

  // The owner entry: the padded user password under a key made from the owner password.
  std::string ownerKey = Md5(Padded(owner));
  if (revision_ == 3)
    for (int i = 0; i < 50; ++i) ownerKey = Md5(ownerKey.substr(0, keyBytes_));
  ownerKey.resize(keyBytes_);
  owner_ = Rc4(ownerKey, Padded(userPassword));
  if (revision_ == 3) {
    for (int i = 1; i <= 19; ++i) {
      std::string k = ownerKey;
      for (char& c : k) c = static_cast<char>(c ^ i);
      owner_ = Rc4(k, owner_);
    }
  }

  // The file key.
  std::string input = Padded(userPassword) + owner_;
  for (int i = 0; i < 4; ++i) input += static_cast<char>((static_cast<std::uint32_t>(permissions_) >> (8 * i)) & 0xFF);
  input += fileId;
  key_ = Md5(input);
  if (revision_ == 3)
    for (int i = 0; i < 50; ++i) key_ = Md5(key_.substr(0, keyBytes_));
  key_.resize(keyBytes_);

  // The user entry, which a reader compares to recognise the user password.
  if (revision_ == 2) {
    user_ = Rc4(key_, std::string(reinterpret_cast<const char*>(kPadding), 32));
  } else {
    std::string u = Rc4(key_, Md5(std::string(reinterpret_cast<const char*>(kPadding), 32) + fileId));
    for (int i = 1; i <= 19; ++i) {
      std::string k = key_;
      for (char& c : k) c = static_cast<char>(c ^ i);
      u = Rc4(k, u);
    }
    user_ = u + std::string(16, '\0');
  }
}

std::string StandardSecurity::Encrypt(int objectNumber, const std::string& data) const {
  std::string input = key_;
  input += static_cast<char>(objectNumber & 0xFF);
  input += static_cast<char>((objectNumber >> 8) & 0xFF);
  input += static_cast<char>((objectNumber >> 16) & 0xFF);
  input += std::string(2, '\0');  // generation 0
  std::string objectKey = Md5(input).substr(0, std::min<size_t>(keyBytes_ + 5, 16));
  return Rc4(objectKey, data);
}

std::string StandardSecurity::DictionaryEntries() const {
  std::string entries = "/Filter /Standard /V " + std::string(revision_ == 3 ? "2" : "1") +
                        " /R " + std::to_string(revision_) + " /O " + HexString(owner_) + " /U " +
                        HexString(user_) + " /P " + std::to_string(permissions_);
  if (revision_ == 3) entries += " /Length 128";
  return entries;
}

}  // namespace pdf
