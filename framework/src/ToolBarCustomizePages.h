// The pages of the customize dialog, made from templates in memory (DialogTemplate.h).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "fw/ToolBarCustomize.h"

// The commands the Commands page offers, by category.
struct FwCustomizeCommands {
  struct Command {
    UINT id;
    CString text;
  };
  struct Category {
    CString name;
    std::vector<Command> commands;
  };
  std::vector<Category> categories;
  // Adds `id` to `category` (made when new) unless it is there already.
  void Add(const CString& category, UINT id, const CString& text);
  // The text a command has in any category, empty when none.
  CString TextOf(UINT id) const;
};

namespace fw_bars {

// Asks for a tool bar's name with `name` as the proposal; FALSE when the user cancels.
BOOL PromptToolBarName(CWnd* pParent, CString& name);

class CustomizePage : public CPropertyPage {
 public:
  CustomizePage(CMFCToolBarsCustomizeDialog* owner, UINT titleId);
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 protected:
  // The page's controls; called once from the constructor.
  void UseTemplate(std::unique_ptr<DialogTemplate> layout);
  CMFCToolBarsCustomizeDialog* m_pOwner;
  std::unique_ptr<DialogTemplate> m_layout;
};

class CommandsPage : public CustomizePage {
 public:
  explicit CommandsPage(CMFCToolBarsCustomizeDialog* owner);
  ~CommandsPage() override;
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // Fills the command list with category `index` (the last is every command).
  void ShowCategory(int index);
  // The command selected in the list, 0 for none.
  UINT GetSelectedCommand() const;

 protected:
  void FillTargets();
  void ShowDescription();
  void OnAdd();
  void OnCategoryChanged();
  void EndDrag(CPoint screen, BOOL drop);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  HIMAGELIST m_images = nullptr;
  UINT m_dragCommand = 0;
};

class ToolbarsPage : public CustomizePage {
 public:
  explicit ToolbarsPage(CMFCToolBarsCustomizeDialog* owner);
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // Lists the frame's bars again, keeping `select` selected when it is one of them.
  void Fill(CMFCToolBar* select = nullptr);
  CMFCToolBar* GetSelectedToolBar() const;

 protected:
  void UpdateButtons();
  void OnNew();
  void OnRename();
  void OnDelete();
  void OnReset();
  DECLARE_MESSAGE_MAP()

  BOOL m_bFilling = FALSE;
};

class OptionsPage : public CustomizePage {
 public:
  explicit OptionsPage(CMFCToolBarsCustomizeDialog* owner);
  BOOL OnInitDialog() override;

 protected:
  void OnTooltips();
  void OnTextLabels();
  void OnShadows();
  void OnAnimation();
  DECLARE_MESSAGE_MAP()
};

}  // namespace fw_bars
