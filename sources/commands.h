// The command framework of undo and redo: a change packaged as an object that applies itself and takes
// itself back. The concrete commands of the document and the view derive from Command.
#pragma once
#include <windows.h>

#include <cstddef>
#include <list>

class CObject;
class CFolimarView;

namespace UNDO {

class CommandBase {
 public:
  CommandBase() = default;
  CommandBase(const CommandBase&) = delete;
  CommandBase& operator=(const CommandBase&) = delete;
  // The manager destroys the commands it owns through this.
  virtual ~CommandBase() = default;
  // Applies the change; true when it succeeded.
  virtual bool Execute() = 0;
  // Takes the change back; true when it succeeded.
  virtual bool Unexecute() = 0;
  // Asked of the last recorded command when `next` arrives: true means this command has taken over
  // next's effect (and applied it), so next is not recorded.
  virtual bool mergeWith(CommandBase* next) {
    (void)next;
    return false;
  }
};

// Several commands as one undo step. Owns its members.
class MacroCommand : public CommandBase {
 public:
  MacroCommand() = default;
  ~MacroCommand() override;
  // Appends without executing: the manager runs each member as it arrives.
  void add(CommandBase* cmd);
  // Executes the members first to last; their results are ignored.
  bool Execute() override;
  // Takes the members back last to first, so that two members that changed the same object leave it
  // as it was before the first of them.
  bool Unexecute() override;
  size_t GetCount() const { return m_commands.size(); }

 private:
  std::list<CommandBase*> m_commands;
};

}  // namespace UNDO

// Base of the concrete commands: the view that shows the change and the object or page it changes.
class Command : public UNDO::CommandBase {
 protected:
  Command(CFolimarView* view, CObject* target) : m_pView(view), m_pTarget(target) {}

  // Invalidates, without erasing, the client area of a rectangle in document units, widened by a
  // margin of 30 view pixels on the left and 10 on the other sides at 100 % (it scales with the zoom).
  void InvalidateArea(const RECT& rect);
  // Invalidates the whole view window without erasing.
  void InvalidateView();

  CFolimarView* m_pView;
  CObject* m_pTarget;
};
