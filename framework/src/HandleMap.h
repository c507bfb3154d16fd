// Handle-to-object maps of the window half. An object attached to a handle is "permanent" and
// found from any thread; a handle no object owns gets a temporary object on request, owned by the
// thread that asked and deleted when that thread is idle (AfxDeleteTempMaps), never its handle.
#pragma once
#include <windows.h>

#include <unordered_map>
#include <vector>

namespace fw_internal {

class Lock {
 public:
  Lock() { InitializeCriticalSection(&section_); }
  ~Lock() { DeleteCriticalSection(&section_); }
  void Enter() { EnterCriticalSection(&section_); }
  void Leave() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

class Locked {
 public:
  explicit Locked(Lock& lock) : lock_(lock) { lock_.Enter(); }
  ~Locked() { lock_.Leave(); }

 private:
  Lock& lock_;
};

// Traits of a wrapper that keeps its handle in one member.
template <class Handle, class Object, Handle Object::*member>
struct MemberTraits {
  static Object* MakeTemporary(Handle h) {
    Object* o = new Object;
    o->*member = h;
    return o;
  }
  static void Release(Object* o) {
    o->*member = nullptr;
    delete o;
  }
};

// `Traits` gives: static Object* MakeTemporary(Handle) and static void Release(Object*) (which
// forgets the handle without destroying it, then deletes the object).
template <class Handle, class Object, class Traits>
class HandleMap {
 public:
  Object* LookupPermanent(Handle h) {
    Locked locked(lock_);
    auto it = permanent_.find(h);
    return it == permanent_.end() ? nullptr : it->second;
  }
  Object* FromHandle(Handle h) {
    if (!h) return nullptr;
    if (Object* o = LookupPermanent(h)) return o;
    auto& temps = Temporaries();
    auto it = temps.find(h);
    if (it != temps.end()) return it->second;
    Object* o = Traits::MakeTemporary(h);
    temps[h] = o;
    return o;
  }
  void SetPermanent(Handle h, Object* o) {
    Locked locked(lock_);
    permanent_[h] = o;
  }
  void RemovePermanent(Handle h) {
    Locked locked(lock_);
    permanent_.erase(h);
  }
  // Attach and Detach of the wrapper classes. Attach makes `o` the permanent object of `h` in place of
  // any temporary one (false for a null handle; the caller then stores the handle). Detach forgets the
  // permanent object of `h` and returns `h`.
  bool Attach(Handle h, Object* o) {
    if (!h) return false;
    ForgetTemporary(h);
    SetPermanent(h, o);
    return true;
  }
  Handle Detach(Handle h) {
    if (h) RemovePermanent(h);
    return h;
  }
  // A temporary for `h` must not outlive the permanent object now attached to it.
  void ForgetTemporary(Handle h) {
    auto& temps = Temporaries();
    auto it = temps.find(h);
    if (it == temps.end()) return;
    Traits::Release(it->second);
    temps.erase(it);
  }
  void DeleteTemporaries() {
    auto& temps = Temporaries();
    std::vector<Object*> objects;
    for (auto& entry : temps) objects.push_back(entry.second);
    temps.clear();
    for (Object* o : objects) Traits::Release(o);
  }

 private:
  static std::unordered_map<Handle, Object*>& Temporaries() {
    static thread_local std::unordered_map<Handle, Object*> temps;
    return temps;
  }
  Lock lock_;
  std::unordered_map<Handle, Object*> permanent_;
};

}  // namespace fw_internal
