// The undo manager of one page: runs commands, keeps them for undo and redo, groups several into one
// step (macro) and lets a new command merge into the previous one.
#pragma once
#include <deque>

#include "commands.h"

class CommandManagerT {
 public:
  typedef std::deque<UNDO::CommandBase*> CommandList;

  explicit CommandManagerT(unsigned limit = 1000) : m_limit(limit) {}
  CommandManagerT(const CommandManagerT&) = delete;
  CommandManagerT& operator=(const CommandManagerT&) = delete;
  ~CommandManagerT();

  // Runs and records a new command; the manager owns it from here on, whatever happens to it.
  void DoCommand(UNDO::CommandBase* cmd);
  // Appends an executed command to the undo list; past the limit the oldest one goes.
  void AddUndo(UNDO::CommandBase* cmd);
  void Undo();
  void Redo();
  // Destroys the commands of one of the two lists and empties it.
  void ClearCommandList(CommandList& list);
  void ClearUndoList() { ClearCommandList(m_undo); }
  void ClearRedoList() { ClearCommandList(m_redo); }
  // Groups the commands done until EndMacro into one undo step.
  void BeginMacro();
  void EndMacro();

  size_t GetUndoCount() const { return m_undo.size(); }
  size_t GetRedoCount() const { return m_redo.size(); }
  bool IsRecording() const { return m_recording; }
  unsigned GetLimit() const { return m_limit; }
  void SetLimit(unsigned limit) { m_limit = limit; }

 private:
  CommandList m_undo;  // oldest first
  CommandList m_redo;  // in the order undone
  unsigned m_limit;
  UNDO::MacroCommand* m_macro = nullptr;
  bool m_recording = false;
};
