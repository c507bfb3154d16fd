// The concrete undo commands on overlay objects: modify (any change of state), text edits that merge,
// create, delete and tab-order changes. Each is created with new and handed at once to the page's
// CommandManagerT::DoCommand.
#pragma once
#include "Framework.h"

#include "TranspBaseClass.h"
#include "UndoState.h"
#include "commands.h"

class CFolimarView;

// What the commands ask of the form view and of the text field. Both are built after the commands,
// so each hands its operations over here when it is initialised; a missing entry is skipped.
struct UNDO_VIEW_LINK {
  CWnd* (*GetWindow)(CFolimarView* view);
  void (*RepaintObjects)(CFolimarView* view);
  void (*DeactivateActiveObject)(CFolimarView* view);
  void (*SetTabOrderCommand)(CFolimarView* view, CTranspBaseClass* object, int index);
  void (*SetMirroredFields)(CFolimarView* view);
  void (*RepaintMirroredObjects)(CFolimarView* view, CTranspBaseClass* object, LPCWSTR name);
  void (*RepaintMirroredCheckMarks)(CFolimarView* view, CTranspBaseClass* object, LPCWSTR name);
  BOOL (*HasMirroredObjects)(CFolimarView* view);
  // The text field's: whether the key just typed was Enter, and collapsing its selection.
  BOOL (*IsLineBreakTyped)(CTranspBaseClass* textField);
  void (*ClearTextSelection)(CTranspBaseClass* textField);
  // The view's conversions between labels and text fields: the first of each pair puts the new
  // object in the page's list in the old one's place, the second takes it out and brings the old
  // one back.
  void (*ConvertTextBoxCommand)(CFolimarView* view, CTranspBaseClass* textField, CTranspBaseClass* label, int page);
  void (*RemoveTextBoxCommand)(CFolimarView* view, CTranspBaseClass* textField, CTranspBaseClass* label, int page);
  void (*ConvertTextFieldCommand)(CFolimarView* view, CTranspBaseClass* label, CTranspBaseClass* textField, int page);
  void (*RemoveTextFieldCommand)(CFolimarView* view, CTranspBaseClass* label, CTranspBaseClass* textField, int page);
};
void SetUndoViewLink(const UNDO_VIEW_LINK* link);
const UNDO_VIEW_LINK* GetUndoViewLink();

// Any change of an object's state. Built after the view has changed the object, from the snapshot
// taken before; the first Execute re-applies the state the object already has.
class CModifyCommand : public Command {
 public:
  CModifyCommand(const CUndoState& oldState, CTranspBaseClass* object, CFolimarView* view);
  bool Execute() override;
  bool Unexecute() override;

 protected:
  CTranspBaseClass* Object() const { return static_cast<CTranspBaseClass*>(m_pTarget); }
  bool Restore(const CUndoState& state, const char* functionName);

  CUndoState m_oldState;
  CUndoState m_newState;
};

// A keystroke in a text field: consecutive ones in the same field form one undo step until Enter.
class CModifyTextCommand : public CModifyCommand {
 public:
  CModifyTextCommand(const CUndoState& oldState, CTranspBaseClass* object, CFolimarView* view)
      : CModifyCommand(oldState, object, view) {}
  bool mergeWith(UNDO::CommandBase* next) override;
};

// A new object on a page. The command owns the object while it is out of the page's list (before
// the first Execute and after an undo), so an object whose creation is undone and never redone is
// freed with the command.
class CCreateCommand : public Command {
 public:
  CCreateCommand(CTranspObjectList* list, CTranspBaseClass* object, CFolimarView* view);
  ~CCreateCommand() override;
  bool Execute() override;
  // Takes out the object this command created, wherever it stands in the list by now.
  bool Unexecute() override;

 private:
  CTranspBaseClass* Object() const { return static_cast<CTranspBaseClass*>(m_pTarget); }

  CTranspObjectList* m_pList;
  CUndoState m_state;
  bool m_inList = false;
  bool m_ownsObject = true;
};

// Flags the object deleted; it stays in its page's list so that undo can bring it back.
class CDeleteCommand : public Command {
 public:
  CDeleteCommand(CTranspBaseClass* object, CFolimarView* view) : Command(view, object) {}
  bool Execute() override;
  bool Unexecute() override;

 private:
  bool Apply(int deleted, const char* functionName);
};

class CModifyTabOrderCommand : public Command {
 public:
  CModifyTabOrderCommand(CTranspBaseClass* object, int newIndex, CFolimarView* view);
  bool Execute() override;
  bool Unexecute() override;

 private:
  bool Apply(int index, const char* functionName);

  int m_oldIndex = 0;
  int m_newIndex;
};

// A label turned into a text field or back. The new object takes over the old one's state; the
// command owns it while it is not in the page (before the first Execute and after an undo).
class CConvertTextCommand : public Command {
 public:
  typedef void (*Conversion)(CFolimarView* view, CTranspBaseClass* made, CTranspBaseClass* object, int page);
  ~CConvertTextCommand() override;
  bool Execute() override;
  bool Unexecute() override;
  CTranspBaseClass* GetNewObject() const { return m_pNew; }

 protected:
  // `convert` and `remove` pick the view's operations from the link.
  CConvertTextCommand(CTranspBaseClass* object, int page, CFolimarView* view, CTranspBaseClass* made,
                      Conversion UNDO_VIEW_LINK::*convert, Conversion UNDO_VIEW_LINK::*remove);
  static CWnd* WindowOf(CFolimarView* view);

 private:
  bool Apply(Conversion UNDO_VIEW_LINK::*operation, bool executed, const char* functionName);

  int m_page;
  CTranspBaseClass* m_pNew;
  Conversion UNDO_VIEW_LINK::*m_convert;
  Conversion UNDO_VIEW_LINK::*m_remove;
  bool m_executed = false;
};

class CConvertToTextFieldCommand : public CConvertTextCommand {
 public:
  CConvertToTextFieldCommand(CTranspBaseClass* label, int page, CFolimarView* view);
};

class CConvertToTextBoxCommand : public CConvertTextCommand {
 public:
  CConvertToTextBoxCommand(CTranspBaseClass* textField, int page, CFolimarView* view);
};
