// The rich-edit document and view over the RICHEDIT50W control.
#include "fw/RichEdit.h"

#include "fw/CommandIds.h"
#include "fw/Print.h"

IMPLEMENT_DYNAMIC(CRichEditDoc, CDocument)
IMPLEMENT_DYNCREATE(CRichEditView, CView)

CRichEditDoc::CRichEditDoc() = default;

CRichEditDoc::~CRichEditDoc() { DeleteAllItems(); }

CRichEditView* CRichEditDoc::GetView() const {
  POSITION pos = GetFirstViewPosition();
  while (pos) {
    CView* view = GetNextView(pos);
    if (view && view->IsKindOf(RUNTIME_CLASS(CRichEditView))) return static_cast<CRichEditView*>(view);
  }
  return nullptr;
}

void CRichEditDoc::Serialize(CArchive& ar) {
  CRichEditView* view = GetView();
  // Without a view there is no control to hold the content.
  if (!view || !view->m_hWnd) AfxThrowArchiveException(CArchiveException::genericException);
  view->Stream(ar, FALSE);
}

void CRichEditDoc::DeleteContents() {
  CDocument::DeleteContents();
  if (CRichEditView* view = GetView()) {
    if (view->m_hWnd) view->DeleteContents();
  }
  DeleteAllItems();
}

namespace {
UINT g_findReplaceMessage = ::RegisterWindowMessageW(FINDMSGSTRINGW);
}  // namespace

BEGIN_MESSAGE_MAP(CRichEditView, CView)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
// Find and replace.
ON_COMMAND(ID_EDIT_FIND, OnEditFind)
ON_COMMAND(ID_EDIT_REPLACE, OnEditReplace)
ON_COMMAND(ID_EDIT_REPEAT, OnEditRepeat)
ON_UPDATE_COMMAND_UI(ID_EDIT_FIND, OnUpdateEditFindReplace)
ON_UPDATE_COMMAND_UI(ID_EDIT_REPLACE, OnUpdateEditFindReplace)
ON_UPDATE_COMMAND_UI(ID_EDIT_REPEAT, OnUpdateEditFindReplace)
ON_REGISTERED_MESSAGE(g_findReplaceMessage, OnFindReplaceCmd)
// Format.
ON_COMMAND(ID_FORMAT_FONT, OnFormatFont)
END_MESSAGE_MAP()

CRichEditView::CRichEditView() {
  ZeroMemory(&m_charFormat, sizeof(m_charFormat));
  m_charFormat.cbSize = sizeof(m_charFormat);
  ZeroMemory(&m_paraFormat, sizeof(m_paraFormat));
  m_paraFormat.cbSize = sizeof(m_paraFormat);
  ZeroMemory(&m_charSelection, sizeof(m_charSelection));
  m_charSelection.cbSize = sizeof(m_charSelection);
  ZeroMemory(&m_paraSelection, sizeof(m_paraSelection));
  m_paraSelection.cbSize = sizeof(m_paraSelection);
}

CRichEditView::~CRichEditView() {
  if (m_hdcTarget) ::DeleteDC(m_hdcTarget);
}

BOOL CRichEditView::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.lpszClass = MSFTEDIT_CLASS;
  cs.style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_SAVESEL | ES_WANTRETURN | ES_SELECTIONBAR |
              WS_VSCROLL;
  return CView::PreCreateWindow(cs);
}

int CRichEditView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  // Text beyond the control's small default limit would be cut off silently.
  SendMessage(EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
  AttachOle();
  return 0;
}

void CRichEditView::OnDestroy() {
  // The dialog reports to this window; it goes first.
  if (m_pFindReplaceDlg && m_pFindReplaceDlg->m_hWnd) m_pFindReplaceDlg->DestroyWindow();
  m_pFindReplaceDlg = nullptr;
  DetachOle();
  CView::OnDestroy();
}

// The control paints itself.
void CRichEditView::OnPaint() { Default(); }
void CRichEditView::OnDraw(CDC*) {}

namespace {

// What the stream callbacks share: the archive, and the framework exception that stopped them.
struct StreamState {
  CArchive* archive;
  CException* error;
};

DWORD CALLBACK StreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  StreamState* state = reinterpret_cast<StreamState*>(cookie);
  *done = 0;
  try {
    *done = static_cast<LONG>(state->archive->Read(buffer, static_cast<UINT>(size)));
  } catch (CException* e) {
    state->error = e;
    return 1;
  }
  return 0;
}

DWORD CALLBACK StreamOutCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  StreamState* state = reinterpret_cast<StreamState*>(cookie);
  *done = 0;
  try {
    state->archive->Write(buffer, static_cast<UINT>(size));
    *done = size;
  } catch (CException* e) {
    state->error = e;
    return 1;
  }
  return 0;
}

}  // namespace

void CRichEditView::Stream(CArchive& ar, BOOL bSelection) {
  CRichEditDoc* doc = GetDocument();
  WPARAM format = (doc && !doc->m_bRTF) ? SF_TEXT : SF_RTF;
  if (bSelection) format |= SFF_SELECTION;
  StreamState state = {&ar, nullptr};
  EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&state), 0, nullptr};
  if (ar.IsStoring()) {
    es.pfnCallback = StreamOutCallback;
    SendMessage(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&es));
  } else {
    es.pfnCallback = StreamInCallback;
    SendMessage(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
    SendMessage(EM_SETMODIFY, FALSE, 0);
    // The objects the stream brought get their items.
    if (doc) doc->SyncItems();
  }
  if (state.error) throw state.error;
  if (es.dwError != 0) AfxThrowArchiveException(CArchiveException::genericException);
}

void CRichEditView::DeleteContents() {
  ::SetWindowTextW(m_hWnd, L"");
  SendMessage(EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessage(EM_SETMODIFY, FALSE, 0);
}

namespace {
// A length in device pixels as twips at the given resolution.
LONG PixelsToTwips(int pixels, int dpi) { return dpi > 0 ? MulDiv(pixels, 1440, dpi) : 0; }
}  // namespace

void CRichEditView::OnPrinterChanged(HDC hdcPrinter) {
  if (m_hWnd) SendMessage(EM_SETTARGETDEVICE, 0, 0);
  if (m_hdcTarget) ::DeleteDC(m_hdcTarget);
  m_hdcTarget = hdcPrinter;
  WrapChanged();
}

void CRichEditView::WrapChanged() {
  if (!m_hWnd) return;
  if (m_nWordWrap == WrapNone) {
    // A line width of 1 tells the control not to wrap at all.
    SendMessage(EM_SETTARGETDEVICE, 0, 1);
    return;
  }
  if (m_nWordWrap == WrapToWindow || !m_hdcTarget) {
    SendMessage(EM_SETTARGETDEVICE, 0, 0);
    return;
  }
  const LONG paper = PixelsToTwips(::GetDeviceCaps(m_hdcTarget, PHYSICALWIDTH), ::GetDeviceCaps(m_hdcTarget, LOGPIXELSX));
  const LONG width = paper - m_rectMargin.left - m_rectMargin.right;
  SendMessage(EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(m_hdcTarget), width > 0 ? width : 1);
}

BOOL CRichEditView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CRichEditView::OnBeginPrinting(CDC*, CPrintInfo*) {
  m_aPageStart.RemoveAll();
  m_aPageStart.Add(0);
}

void CRichEditView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  CView::OnPrepareDC(pDC, pInfo);
  if (pInfo && pInfo->m_nCurPage > static_cast<UINT>(m_aPageStart.GetSize())) pInfo->m_bContinuePrinting = FALSE;
}

void CRichEditView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  const HDC hdc = pDC->m_hDC;
  const int dpiX = ::GetDeviceCaps(hdc, LOGPIXELSX), dpiY = ::GetDeviceCaps(hdc, LOGPIXELSY);
  const LONG paperW = PixelsToTwips(::GetDeviceCaps(hdc, PHYSICALWIDTH), dpiX);
  const LONG paperH = PixelsToTwips(::GetDeviceCaps(hdc, PHYSICALHEIGHT), dpiY);
  const LONG offsetX = PixelsToTwips(::GetDeviceCaps(hdc, PHYSICALOFFSETX), dpiX);
  const LONG offsetY = PixelsToTwips(::GetDeviceCaps(hdc, PHYSICALOFFSETY), dpiY);
  FORMATRANGE fr = {};
  fr.hdc = fr.hdcTarget = hdc;
  // The printer's origin is the corner of its printable area, not of the paper.
  fr.rcPage = {-offsetX, -offsetY, paperW - offsetX, paperH - offsetY};
  fr.rc = {m_rectMargin.left - offsetX, m_rectMargin.top - offsetY, paperW - m_rectMargin.right - offsetX,
           paperH - m_rectMargin.bottom - offsetY};
  if (fr.rc.left < 0) fr.rc.left = 0;
  if (fr.rc.top < 0) fr.rc.top = 0;
  if (fr.rc.right <= fr.rc.left || fr.rc.bottom <= fr.rc.top) {
    pInfo->m_bContinuePrinting = FALSE;
    return;
  }
  const LONG start = m_aPageStart[pInfo->m_nCurPage - 1];
  fr.chrg.cpMin = start;
  fr.chrg.cpMax = -1;
  const LONG next = static_cast<LONG>(SendMessage(EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr)));
  const LONG total = TextLength();
  // A page that takes nothing (a line taller than the page) would otherwise repeat forever.
  if (next > start && next < total && pInfo->m_nCurPage == static_cast<UINT>(m_aPageStart.GetSize()))
    m_aPageStart.Add(next);
}

void CRichEditView::OnEndPrinting(CDC*, CPrintInfo*) {
  if (m_hWnd) SendMessage(EM_FORMATRANGE, FALSE, 0);
  m_aPageStart.RemoveAll();
}

void CRichEditView::OnEditUndo() { SendMessage(EM_UNDO, 0, 0); }
void CRichEditView::OnEditCut() { SendMessage(WM_CUT, 0, 0); }
void CRichEditView::OnEditCopy() { SendMessage(WM_COPY, 0, 0); }
void CRichEditView::OnEditPaste() {
  // A picture alone on the clipboard comes in as an embedded object; anything with text as text.
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) && ::IsClipboardFormatAvailable(CF_ENHMETAFILE)) {
    SendMessage(EM_PASTESPECIAL, CF_ENHMETAFILE, 0);
    if (CRichEditDoc* doc = GetDocument()) doc->SyncItems();
    return;
  }
  SendMessage(EM_PASTESPECIAL, CF_UNICODETEXT, 0);
}
void CRichEditView::OnEditClear() { SendMessage(WM_CLEAR, 0, 0); }
void CRichEditView::OnEditSelectAll() { SendMessage(EM_SETSEL, 0, -1); }

void CRichEditView::OnUpdateNeedSel(CCmdUI* pCmdUI) {
  CHARRANGE range = {};
  SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  pCmdUI->Enable(range.cpMax != range.cpMin);
}
void CRichEditView::OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(SendMessage(EM_CANUNDO, 0, 0) != 0); }
void CRichEditView::OnUpdateEditPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(SendMessage(EM_CANPASTE, 0, 0) != 0); }

LONG CRichEditView::TextLength() const {
  GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<LONG>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}
