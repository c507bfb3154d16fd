// The rich-edit document and view: a view that is the rich-edit control of MSFTEDIT.DLL (class
// RICHEDIT50W) and a document whose content is that control's Rich Text Format stream. The program
// loads MSFTEDIT.DLL before it creates the first view.
//
// Embedded objects: the control keeps OLE objects in its text and stores them in the stream (a
// picture object as a picture group). The view gives the control its OLE callback (storages for new
// objects); the document keeps one container item per object of the text (CreateClientItem makes
// them, SyncItems keeps the list in step after loading, pasting and inserting).
//
// Find and replace: the system's modeless Find or Replace dialog, owned by the view; searches run
// from the selection to the end of the text and once around to where they began, then report that
// nothing more was found (OnTextNotFound).
#pragma once
#include <ole2.h>
#include <richedit.h>
#include <richole.h>

#include "fw/Archive.h"
#include "fw/Array.h"
#include "fw/CommonDialogs.h"
#include "fw/Document.h"
#include "fw/View.h"

class CRichEditView;
class CRichEditCntrItem;

class FW_API CRichEditDoc : public CDocument {
  DECLARE_DYNAMIC(CRichEditDoc)
 public:
  CRichEditDoc();
  ~CRichEditDoc() override;
  // The first view of the document that is a rich-edit view, or null.
  CRichEditView* GetView() const;
  // The whole content of the view's control as Rich Text Format (plain text when m_bRTF is FALSE).
  void Serialize(CArchive& ar) override;
  void DeleteContents() override;
  BOOL m_bRTF = TRUE;

  // A new item of this document for one embedded object (`preo` as the control describes it, or
  // null for an item whose object is made afterwards). Programs return their own item class.
  virtual CRichEditCntrItem* CreateClientItem(REOBJECT* preo = nullptr) const;
  // The items, in the order they came.
  POSITION GetStartPosition() const { return m_docItemList.GetHeadPosition(); }
  CRichEditCntrItem* GetNextItem(POSITION& pos) const;
  int GetItemCount() const { return static_cast<int>(m_docItemList.GetCount()); }
  // Brings the items in step with the objects of the view's text: an item for every object that
  // has none, and items whose object left the text are deleted.
  void SyncItems();

 protected:
  friend class CRichEditCntrItem;
  friend class CRichEditView;
  void AddItem(CRichEditCntrItem* pItem);
  void RemoveItem(CRichEditCntrItem* pItem);
  void DeleteAllItems();
  CObList m_docItemList;  // CRichEditCntrItem*, owned
};

// One embedded object of a rich-edit document: the object's OLE interfaces and its storage. An
// item made with a document belongs to it (the document deletes it); deleting an item takes it
// out of its document.
class FW_API CRichEditCntrItem : public CObject {
  DECLARE_DYNAMIC(CRichEditCntrItem)
 public:
  explicit CRichEditCntrItem(REOBJECT* preo = nullptr, CRichEditDoc* pContainer = nullptr);
  ~CRichEditCntrItem() override;

  CRichEditDoc* GetDocument() const { return m_pDocument; }
  // Takes the object, storage, class and size from the control's description of the object.
  void SyncToRichEditObject(REOBJECT& reo);
  // A static object (a picture no program edits) from the data: OLERENDER_FORMAT with the
  // format given (or `lpFormatEtc`), else the object's own drawing. The object is made for the
  // document's view and put into no text yet (see CRichEditView::InsertItem). FALSE on failure.
  BOOL CreateStaticFromData(IDataObject* pDataObject, OLERENDER render = OLERENDER_DRAW, CLIPFORMAT cfFormat = 0,
                            LPFORMATETC lpFormatEtc = nullptr);
  // The same for an enhanced metafile (the item keeps a copy; the caller keeps `hemf`), sized by
  // the metafile's frame.
  BOOL CreateStaticFromEnhMetaFile(HENHMETAFILE hemf);
  // Size of the object in HIMETRIC (0.01 mm); (0, 0) when unknown.
  CSize GetExtent() const;
  CLSID GetClassID() const { return m_clsid; }
  DWORD GetDrawAspect() const { return m_nDrawAspect; }

  IOleObject* m_lpObject = nullptr;
  IStorage* m_lpStorage = nullptr;

 protected:
  friend class CRichEditDoc;
  CRichEditDoc* m_pDocument = nullptr;
  CLSID m_clsid = CLSID_NULL;
  DWORD m_nDrawAspect = DVASPECT_CONTENT;
  CSize m_sizeExtent;
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

  // Word wrap: none (a line per paragraph), at the window's edge, or at the printer's line width.
  enum WordWrapType { WrapNone = 0, WrapToWindow = 1, WrapToTargetDevice = 2 };
  int m_nWordWrap = WrapToTargetDevice;
  // Lays the text out again after m_nWordWrap changed.
  void WrapChanged();

  // The formats of the selection (the mask tells which fields are the same all over it), and
  // setting the fields a format's mask names on the selection (on the paragraphs it touches).
  PARAFORMAT2& GetParaFormatSelection();
  void SetParaFormat(PARAFORMAT2& pf);
  CHARFORMAT2W& GetCharFormatSelection();
  void SetCharFormat(CHARFORMAT2W cf);

  // The control's OLE interface (the view keeps the reference), or null.
  IRichEditOle* GetRichEditOle() const { return m_lpRichEditOle; }
  // Puts the item's object into the text in place of the selection; the item joins the view's
  // document. FALSE when the control refuses it.
  BOOL InsertItem(CRichEditCntrItem* pItem);
  // The item of the object that is the whole selection, or null.
  CRichEditCntrItem* GetSelectedItem() const;

  // Selects the next occurrence of `lpszFind` after the selection (before it when not `bNext`);
  // a search that reaches the end goes on from the start up to where it began. FALSE when nothing
  // more is found; the selection then stays.
  BOOL FindText(LPCTSTR lpszFind, BOOL bCase = TRUE, BOOL bWord = TRUE, BOOL bNext = TRUE);
  // What the dialog's buttons do. Each ends the search through OnTextNotFound when nothing more
  // is found; Replace All replaces every occurrence of the text and then ends the search so.
  virtual void OnFindNext(LPCTSTR lpszFind, BOOL bNext, BOOL bCase, BOOL bWord);
  virtual void OnReplaceSel(LPCTSTR lpszFind, BOOL bNext, BOOL bCase, BOOL bWord, LPCTSTR lpszReplace);
  virtual void OnReplaceAll(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bCase, BOOL bWord);
  // Nothing more was found: the search is over (the next one begins at the selection) and the
  // view beeps. Programs add their own word here.
  virtual void OnTextNotFound(LPCTSTR lpszFind);
  // The Find or Replace dialog while it is open, else null.
  CFindReplaceDialog* GetFindReplaceDialog() const { return m_pFindReplaceDlg; }

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
  afx_msg void OnDestroy();
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
  // Find (ID_EDIT_FIND), Replace (ID_EDIT_REPLACE), Find Next (ID_EDIT_REPEAT) and the dialog's
  // FINDMSGSTRING messages.
  afx_msg void OnEditFind();
  afx_msg void OnEditReplace();
  afx_msg void OnEditRepeat();
  afx_msg void OnUpdateEditFindReplace(CCmdUI* pCmdUI);
  afx_msg LRESULT OnFindReplaceCmd(WPARAM wParam, LPARAM lParam);
  // Font (ID_FORMAT_FONT) and bullets: the program binds the bullet command to OnBullet.
  afx_msg void OnFormatFont();
  afx_msg void OnBullet();
  afx_msg void OnUpdateBullet(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

  void OnEditFindReplace(BOOL bFindOnly);
  // Gives the control its OLE callback and keeps its OLE interface; and lets both go.
  void AttachOle();
  void DetachOle();
  // Ends the search and reports it to OnTextNotFound.
  void TextNotFound(LPCTSTR lpszFind);
  // TRUE when the selection is `lpszFind` (by the case rule).
  BOOL SameAsSelected(LPCTSTR lpszFind, BOOL bCase) const;
  LONG TextLength() const;

  // Character positions where printed pages begin; the print loop ends after the last one.
  CArray<LONG, LONG> m_aPageStart;
  // The printer the text is laid out for; the control keeps using it.
  HDC m_hdcTarget = nullptr;

  // The control's OLE interface and the callback the view gives it.
  IRichEditOle* m_lpRichEditOle = nullptr;
  class OleCallback;
  OleCallback* m_pOleCallback = nullptr;

  // The find state: the dialog, the last strings and options, and where the running search began
  // (-1 when none runs) and whether it went round the end already.
  CFindReplaceDialog* m_pFindReplaceDlg = nullptr;
  BOOL m_bFindOnly = TRUE;
  CString m_strFind;
  CString m_strReplace;
  BOOL m_bCase = FALSE;
  BOOL m_bWord = FALSE;
  BOOL m_bNext = TRUE;
  LONG m_lSearchStart = -1;
  BOOL m_bSearchWrapped = FALSE;

  // What GetParaFormatSelection and GetCharFormatSelection return.
  PARAFORMAT2 m_paraSelection;
  CHARFORMAT2W m_charSelection;
};
