#include "SpellCheckerClient.h"

#include "MyProcs.h"
#include "resource.h"

namespace {

const CLSID kSpellCheckerClass = {0x826A9497, 0xC74F, 0x4C62, {0x91, 0x8E, 0x4C, 0x32, 0x44, 0x4D, 0x2C, 0x16}};
const IID kSpellCheckerInterface = {0x3B51D789, 0xBCD4, 0x4ED7, {0xA1, 0x6F, 0x14, 0x95, 0xBD, 0x2A, 0x55, 0x56}};

// Positions in the interface's table, counting the three entries of IUnknown and four of IDispatch.
enum SPELL_SLOT {
  kGetWord = 7,
  kPutWord = 8,
  kShowDialog = 9,
  kGetAnswer = 10,
  kSelectLanguage = 11,
  kPrepare = 12,
  kCheckWord = 13,
  kBeginSession = 14,
  kEndSession = 15,
};

typedef HRESULT(STDMETHODCALLTYPE* PlainCall)(IUnknown* self);
typedef HRESULT(STDMETHODCALLTYPE* LongCall)(IUnknown* self, long value);
typedef HRESULT(STDMETHODCALLTYPE* StringPut)(IUnknown* self, BSTR value);
typedef HRESULT(STDMETHODCALLTYPE* StringGet)(IUnknown* self, BSTR* value);
typedef HRESULT(STDMETHODCALLTYPE* BoolGet)(IUnknown* self, VARIANT_BOOL* value);

template <typename Function>
Function Slot(IUnknown* checker, SPELL_SLOT slot) {
  if (checker == nullptr) _com_issue_error(E_POINTER);
  return reinterpret_cast<Function>((*reinterpret_cast<void***>(checker))[slot]);
}

void Check(HRESULT result) {
  if (FAILED(result)) _com_issue_error(result);
}

}  // namespace

CSpellCheckerClient::~CSpellCheckerClient() {
  if (m_checker != nullptr) m_checker->Release();
  if (m_comStarted) ::CoUninitialize();
}

BOOL CSpellCheckerClient::Open() {
  if (m_checker != nullptr) return TRUE;
  if (!m_comStarted) {
    if (FAILED(::CoInitialize(nullptr))) {
      ErrorBox(L"CoInitialize Failed: ");
      return FALSE;
    }
    m_comStarted = TRUE;
  }
  IUnknown* checker = nullptr;
  if (FAILED(::CoCreateInstance(kSpellCheckerClass, nullptr, CLSCTX_INPROC_SERVER, kSpellCheckerInterface,
                                reinterpret_cast<void**>(&checker))) ||
      checker == nullptr) {
    ErrorBox(IDS_NO_SPELL_CHECKER);
    return FALSE;
  }
  m_checker = checker;
  return TRUE;
}

CString CSpellCheckerClient::GetWord() {
  BSTR word = nullptr;
  Check(Slot<StringGet>(m_checker, kGetWord)(m_checker, &word));
  const CString result(word != nullptr ? word : L"", word != nullptr ? static_cast<int>(::SysStringLen(word)) : 0);
  ::SysFreeString(word);
  return result;
}

void CSpellCheckerClient::PutWord(LPCWSTR word) {
  _bstr_t value(word != nullptr ? word : L"");
  Check(Slot<StringPut>(m_checker, kPutWord)(m_checker, value));
}

BOOL CSpellCheckerClient::GetAnswer() {
  VARIANT_BOOL answer = VARIANT_FALSE;
  Check(Slot<BoolGet>(m_checker, kGetAnswer)(m_checker, &answer));
  return answer != VARIANT_FALSE;
}

void CSpellCheckerClient::ShowDialog() { Check(Slot<PlainCall>(m_checker, kShowDialog)(m_checker)); }
void CSpellCheckerClient::SelectLanguage() { Check(Slot<PlainCall>(m_checker, kSelectLanguage)(m_checker)); }
void CSpellCheckerClient::Prepare(long options) { Check(Slot<LongCall>(m_checker, kPrepare)(m_checker, options)); }
void CSpellCheckerClient::CheckWord() { Check(Slot<PlainCall>(m_checker, kCheckWord)(m_checker)); }
void CSpellCheckerClient::BeginSession() { Check(Slot<PlainCall>(m_checker, kBeginSession)(m_checker)); }
void CSpellCheckerClient::EndSession() { Check(Slot<PlainCall>(m_checker, kEndSession)(m_checker)); }
