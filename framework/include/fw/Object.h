// The root of the framework's class tree and its run-time class records: IsKindOf, RUNTIME_CLASS and
// CreateObject for classes declared with the DECLARE_/IMPLEMENT_ macros below.
#pragma once
#include "fw/AfxCore.h"

class CObject;

struct FW_API CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF for classes that are not serialisable
  CObject* (*m_pfnCreateObject)();
  // A function rather than a pointer, so a class in one module can name its base in another.
  CRuntimeClass* (*m_pfnGetBaseClass)();

  // A new object of this class, or null when the class was not declared creatable.
  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;

  // The creatable class (IMPLEMENT_DYNCREATE or IMPLEMENT_SERIAL) of that name in any loaded module,
  // or null. Stored state names classes this way (a tool bar's buttons by their kind).
  static CRuntimeClass* FromName(LPCSTR lpszClassName);
  static CRuntimeClass* FromName(LPCWSTR lpszClassName);
};

// Registers a creatable class by name for as long as its module is loaded.
struct FW_API AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
  ~AFX_CLASSINIT();
  AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
  AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;
  CRuntimeClass* m_pClass;
};

class FW_API CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject();
  virtual void Serialize(CArchive& ar);

  BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;
  BOOL IsSerializable() const;

  static CRuntimeClass* GetThisClass();
  static CRuntimeClass classCObject;

 protected:
  CObject() = default;

 private:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                 \
 public:                                            \
  static CRuntimeClass class##class_name;           \
  static CRuntimeClass* GetThisClass();             \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, create)                        \
  CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), \
                                                 schema, create, &base_class_name::GetThisClass};   \
  CRuntimeClass* class_name::GetThisClass() { return &class_name::class##class_name; }              \
  CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                     \
  CObject* class_name::CreateObject() { return new class_name; }             \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, &class_name::CreateObject) \
  static const AFX_CLASSINIT _fw_init_##class_name(&class_name::class##class_name);

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                \
  CObject* class_name::CreateObject() { return new class_name; }             \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, &class_name::CreateObject) \
  static const AFX_CLASSINIT _fw_init_##class_name(&class_name::class##class_name);
