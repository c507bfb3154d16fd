// How the collection templates compare and hash their elements. A program may specialise
// HashKey<ARG_KEY> or CompareElements for its own key types.
#pragma once
#include <string.h>

#include <type_traits>

#include "fw/String.h"

template <class TYPE, class ARG_TYPE>
inline BOOL CompareElements(const TYPE* element1, const ARG_TYPE* element2) {
  return *element1 == *element2;
}

namespace fw_collections {

template <typename C>
UINT HashText(const C* key) {
  UINT hash = 0;
  for (; key && *key; ++key) hash = (hash << 5) + hash + static_cast<UINT>(static_cast<std::make_unsigned_t<C>>(*key));
  return hash;
}

template <typename K>
UINT HashValue(const K& key) {
  using D = std::decay_t<K>;
  if constexpr (std::is_same<D, const wchar_t*>::value || std::is_same<D, wchar_t*>::value ||
                std::is_same<D, const char*>::value || std::is_same<D, char*>::value) {
    return HashText(key);
  } else if constexpr (fw_string::IsCString<D>::value) {
    return HashText(key.GetString());
  } else if constexpr (std::is_floating_point<D>::value) {
    // 0.0 and -0.0 are the same key; hash the bits of the double either way.
    const double value = key == 0 ? 0.0 : static_cast<double>(key);
    unsigned long long bits = 0;
    memcpy(&bits, &value, sizeof(bits));
    return static_cast<UINT>(bits ^ (bits >> 32));
  } else if constexpr (std::is_pointer<D>::value) {
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(key) >> 4);
  } else {
    static_assert(std::is_integral<D>::value || std::is_enum<D>::value, "specialise HashKey for this key type");
    const unsigned long long value = static_cast<unsigned long long>(key);
    return static_cast<UINT>(value ^ (value >> 32));
  }
}

}  // namespace fw_collections

template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key) {
  return fw_collections::HashValue(key);
}
