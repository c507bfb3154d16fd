// The spelling check of the view: every text object of the active page, word by word, through the
// spell checker component; a replacement the user picks goes into the text.
#include "FolimarView.h"

#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "MyProcs.h"
#include "SpellCheckerClient.h"
#include "TranspText.h"
#include "resource.h"

namespace {

enum { kModeForm = 23 };

CTranspText* AsText(CTranspBaseClass* object) { return dynamic_cast<CTranspText*>(object); }

BOOL IsSeparator(wchar_t c) { return c == L'\r' || c == L'\n' || c == L' '; }

}  // namespace

CString CFolimarView::EnumWords(const CString& text, int& position, int& start) {
  try {
    const int length = text.GetLength();
    int at = position < 0 ? length : position;
    while (at < length && IsSeparator(text[at])) ++at;
    start = at;
    int end = at;
    while (end < length && !IsSeparator(text[end])) ++end;
    position = end >= length ? -1 : end;
    return text.Mid(start, end - start);
  } catch (...) {
    HandleCaughtException(__FILE__, __LINE__, "CFolimarView::EnumWords");
  }
  return CString();
}

int CFolimarView::ProcessTabKeyForSpelling(BOOL forward) {
  DEF_TRY
  if (m_pObjects == nullptr) return 1;
  // Objects deleted by an undoable command stay in the list, unseen: the walk passes them by.
  CArray<CTranspBaseClass*, CTranspBaseClass*> live;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (!object->IsDeleted()) live.Add(object);
  }
  const int count = static_cast<int>(live.GetSize());
  const BOOL form = GetProgramMode() == kModeForm;
  auto passes = [form](CTranspBaseClass* object) { return !form || object->IsField() != 0; };
  CTranspBaseClass* active = GetActiveObject();
  if (count == 1) {
    if (passes(live[0]) && active != live[0]) {
      DeactivateObject(active);
      ActivateObject(live[0]);
    }
    return 1;
  }
  if (count < 2) return 1;
  int index = -1;
  for (int i = 0; i < count; ++i)
    if (live[i] == active) index = i;
  CTranspBaseClass* chosen = nullptr;
  int result = 0;
  if (index < 0) {
    for (int i = 0; i < count && chosen == nullptr; ++i)
      if (passes(live[i])) chosen = live[i];
  } else if (form) {
    const int step = forward ? 1 : -1;
    int at = index;
    for (int tried = 0; tried < count && chosen == nullptr; ++tried) {
      at += step;
      if (at >= count || at < 0) {
        at = forward ? 0 : count - 1;
        result = 1;
      }
      if (passes(live[at])) chosen = live[at];
    }
  } else if (forward) {
    result = index + 1 >= count ? 1 : 0;
    chosen = live[(index + 1) % count];
  } else {
    chosen = live[index > 0 ? index - 1 : count - 1];
  }
  if (chosen == nullptr) return 1;
  DeactivateObject(active);
  ActivateObject(chosen);
  return result;
  DEF_CATCH("CFolimarView::ProcessTabKeyForSpelling")
  return 1;
}

BOOL CFolimarView::CheckObjectSpelling(CSpellCheckerClient& checker) {
  CTranspText* text = AsText(GetActiveObject());
  if (text == nullptr || text->IsNumeric() || text->GetText().IsEmpty()) return TRUE;
  CString content = text->GetText();
  int position = 0;
  while (position >= 0) {
    int start = 0;
    const CString word = EnumWords(content, position, start);
    if (word.IsEmpty()) break;
    checker.PutWord(word);
    checker.CheckWord();
    if (checker.GetAnswer()) continue;
    text->FindAndSelect(nullptr, start, start + word.GetLength());
    text->Repaint();
    checker.ShowDialog();
    if (!checker.GetAnswer()) {
      text->ClearSelection();
      text->Repaint();
      return FALSE;
    }
    const CString replacement = checker.GetWord();
    if (replacement != word) {
      content = content.Left(start) + replacement + content.Mid(start + word.GetLength());
      text->SetText(content);
      // Not an undo step, but a change of the document all the same: closing must ask to save it.
      SetModified();
      if (position >= 0) position = start + replacement.GetLength();
    }
    text->ClearSelection();
    text->Repaint();
  }
  return TRUE;
}

void CFolimarView::OnToolbarSpelling() {
  DEF_TRY
  CSpellCheckerClient checker;
  if (!checker.Open()) return;
  checker.Prepare(0);
  checker.PutWord(L"Vantry");
  checker.BeginSession();
  DeactivateActiveObject();
  ProcessTabKeyForSpelling(TRUE);
  BOOL finished = TRUE;
  do {
    finished = CheckObjectSpelling(checker);
  } while (finished && !ProcessTabKeyForSpelling(TRUE));
  checker.EndSession();
  if (finished) InformationBox(IDS_SPELLING_COMPLETE);
  DEF_CATCH("CFolimarView::OnToolbarSpelling")
}
