// The rich-edit document and view: a view that is the rich-edit control of MSFTEDIT.DLL (class
// RICHEDIT50W) and a document whose content is that control's Rich Text Format stream. The program
// loads MSFTEDIT.DLL before it creates the first view. Embedded OLE objects are not supported: the
// control keeps whatever the stream holds, but no object can be inserted or activated.
#pragma once
#include <richedit.h>

#include "fw/Archive.h"
#include "fw/Array.h"
#include "fw/Document.h"
#include "fw/View.h"

class CRichEditView;

class FW_API CRichEditDoc : public CDocument {
  DECLARE_DYNAMIC(CRichEditDoc)
 public:
  CRichEditDoc();
  // The first view of the document that is a rich-edit view, or null.
  CRichEditView* GetView() const;
  // The whole content of the view's control as Rich Text Format (plain text when m_bRTF is FALSE).
  void Serialize(CArchive& ar) override;
  void DeleteContents() override;
  BOOL m_bRTF = TRUE;
};

class FW_API CRichEditView : public CView {
  DECLARE_DYNCREATE(CRichEditView)
 public:
  CRichEditView();
  ~CRichEditView() override;

  HWND GetRichEditCtrl() const { return m_hWnd; }
  CRichEditDoc* GetDocument() const { return static_cast<CRichEditDoc*>(m_pDocument); }

  // Streams the whole content (or the selection) in or out of the archive, in the format the
  // document asks for. An archive error while streaming is thrown on once the control is done.
  void Stream(CArchive& ar, BOOL bSelection);
  // Empties the control and its undo buffer and marks it unmodified.
  virtual void DeleteContents();
  // Lays the text out for the printer that `hdcPrinter` draws on (the view wraps at its paper width
  // less the margins); the view owns the DC from here on. Null lays it out for the window.
  void OnPrinterChanged(HDC hdcPrinter);

  // Page margins in twips; the printed text area is the paper less these.
  CRect m_rectMargin;
  // Character and paragraph formats applied to new text.
  CHARFORMAT2W m_charFormat;
  PARAFORMAT2 m_paraFormat;

  void OnDraw(CDC* pDC) override;
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnPaint();
  afx_msg void OnEditUndo();
  afx_msg void OnEditCut();
  afx_msg void OnEditCopy();
  afx_msg void OnEditPaste();
  afx_msg void OnEditClear();
  afx_msg void OnEditSelectAll();
  afx_msg void OnUpdateNeedSel(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

  // Character positions where printed pages begin; the print loop ends after the last one.
  CArray<LONG, LONG> m_aPageStart;
  // The printer the text is laid out for; the control keeps using it.
  HDC m_hdcTarget = nullptr;
};
