#include "undo.h"

#include "ErrorLog.h"

namespace UNDO {

MacroCommand::~MacroCommand() {
  for (CommandBase* cmd : m_commands) delete cmd;
}

void MacroCommand::add(CommandBase* cmd) {
  if (cmd != nullptr) m_commands.push_back(cmd);
}

bool MacroCommand::Execute() {
  for (CommandBase* cmd : m_commands) cmd->Execute();
  return true;
}

bool MacroCommand::Unexecute() {
  for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it) (*it)->Unexecute();
  return true;
}

}  // namespace UNDO

CommandManagerT::~CommandManagerT() {
  ClearCommandList(m_undo);
  ClearCommandList(m_redo);
  // A page destroyed while a macro is open: the macro's members were executed but never recorded.
  delete m_macro;
}

void CommandManagerT::DoCommand(UNDO::CommandBase* cmd) {
  DEF_TRY
  if (cmd == nullptr) return;
  ClearCommandList(m_redo);
  if (m_recording && m_macro != nullptr) {
    if (cmd->Execute()) {
      m_macro->add(cmd);
    } else {
      delete cmd;
    }
    return;
  }
  if (!m_undo.empty() && m_undo.back() != nullptr && m_undo.back()->mergeWith(cmd)) {
    delete cmd;
    return;
  }
  if (cmd->Execute()) {
    AddUndo(cmd);
  } else {
    delete cmd;
  }
  DEF_CATCH("CommandManagerT::DoCommand")
}

void CommandManagerT::AddUndo(UNDO::CommandBase* cmd) {
  DEF_TRY
  if (m_undo.size() >= m_limit && !m_undo.empty()) {
    delete m_undo.front();
    m_undo.pop_front();
  }
  m_undo.push_back(cmd);
  DEF_CATCH("CommandManagerT::AddUndo")
}

void CommandManagerT::Undo() {
  DEF_TRY
  if (m_undo.empty()) return;
  UNDO::CommandBase* cmd = m_undo.back();
  m_undo.pop_back();
  if (cmd != nullptr && cmd->Unexecute()) {
    m_redo.push_back(cmd);
  } else {
    delete cmd;
  }
  DEF_CATCH("CommandManagerT::Undo")
}

void CommandManagerT::Redo() {
  DEF_TRY
  if (m_redo.empty()) return;
  UNDO::CommandBase* cmd = m_redo.back();
  m_redo.pop_back();
  if (cmd != nullptr && cmd->Execute()) {
    AddUndo(cmd);
  } else {
    delete cmd;
  }
  DEF_CATCH("CommandManagerT::Redo")
}

void CommandManagerT::ClearCommandList(CommandList& list) {
  DEF_TRY
  for (UNDO::CommandBase* cmd : list) delete cmd;
  list.clear();
  DEF_CATCH("CommandManagerT::ClearCommandList")
}

void CommandManagerT::BeginMacro() {
  DEF_TRY
  // A macro still open is closed as its own step first: its members were executed and must stay
  // undoable (dropping the pointer would leak them and lose their undo).
  if (m_macro != nullptr) EndMacro();
  m_macro = new UNDO::MacroCommand();
  m_recording = true;
  DEF_CATCH("CommandManagerT::BeginMacro")
}

void CommandManagerT::EndMacro() {
  DEF_TRY
  // The macro belongs to the undo list from here on and is no longer open: a second EndMacro
  // must not record the same macro again.
  if (m_macro != nullptr) {
    m_undo.push_back(m_macro);
    m_macro = nullptr;
  }
  ClearCommandList(m_redo);
  m_recording = false;
  DEF_CATCH("CommandManagerT::EndMacro")
}
