// The spell checker's two dialogs, shown over the caller's active window.
#include "SpellChecker.h"
#include "SpellCheckResource.h"

namespace {

struct WORD_DIALOG {
  const std::wstring* word;
  const std::vector<std::wstring>* suggestions;
  std::wstring* replacement;
};

std::wstring ItemText(HWND dialog, int id) {
  HWND control = ::GetDlgItem(dialog, id);
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

// A dialog's state: handed over with WM_INITDIALOG and kept in the window.
template <typename State>
State* DialogState(HWND dialog, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  return reinterpret_cast<State*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR CALLBACK WordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  WORD_DIALOG* state = DialogState<WORD_DIALOG>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      ::SetDlgItemTextW(dialog, IDC_SPELL_WORD, state->word->c_str());
      HWND list = ::GetDlgItem(dialog, IDC_SPELL_SUGGESTIONS);
      for (const std::wstring& suggestion : *state->suggestions)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(suggestion.c_str()));
      // The likeliest word is offered; with none the word itself, to be corrected by hand.
      const bool any = !state->suggestions->empty();
      if (any) ::SendMessageW(list, LB_SETCURSEL, 0, 0);
      ::SetDlgItemTextW(dialog, IDC_SPELL_REPLACEMENT, any ? state->suggestions->front().c_str() : state->word->c_str());
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDC_SPELL_SUGGESTIONS && HIWORD(wParam) == LBN_SELCHANGE) {
        HWND list = ::GetDlgItem(dialog, IDC_SPELL_SUGGESTIONS);
        const LRESULT index = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<size_t>(index) < state->suggestions->size())
          ::SetDlgItemTextW(dialog, IDC_SPELL_REPLACEMENT, (*state->suggestions)[static_cast<size_t>(index)].c_str());
        return TRUE;
      }
      if (id == IDC_SPELL_CHANGE || id == IDOK) {
        *state->replacement = ItemText(dialog, IDC_SPELL_REPLACEMENT);
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (id == IDC_SPELL_IGNORE || id == IDCANCEL) {
        ::EndDialog(dialog, id);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

struct LANGUAGE_DIALOG {
  LONG current;
  LONG chosen;
};

INT_PTR CALLBACK LanguageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  LANGUAGE_DIALOG* state = DialogState<LANGUAGE_DIALOG>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      HWND list = ::GetDlgItem(dialog, IDC_SPELL_LANGUAGES);
      const std::vector<SPELL_LANGUAGE>& languages = SpellLanguages();
      for (size_t i = 0; i < languages.size(); ++i) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(languages[i].name));
        if (languages[i].lcid == state->current) ::SendMessageW(list, LB_SETCURSEL, i, 0);
      }
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        const LRESULT index = ::SendDlgItemMessageW(dialog, IDC_SPELL_LANGUAGES, LB_GETCURSEL, 0, 0);
        const std::vector<SPELL_LANGUAGE>& languages = SpellLanguages();
        if (index >= 0 && static_cast<size_t>(index) < languages.size())
          state->chosen = languages[static_cast<size_t>(index)].lcid;
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR RunWordDialog(HINSTANCE module, const std::wstring& word, const std::vector<std::wstring>& suggestions,
                      std::wstring* replacement) {
  WORD_DIALOG state = {&word, &suggestions, replacement};
  return ::DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_SPELL_WORD), ::GetActiveWindow(), WordDialogProc,
                           reinterpret_cast<LPARAM>(&state));
}

LONG RunLanguageDialog(HINSTANCE module, LONG current) {
  LANGUAGE_DIALOG state = {current, 0};
  const INT_PTR result = ::DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_SPELL_LANGUAGE), ::GetActiveWindow(),
                                           LanguageDialogProc, reinterpret_cast<LPARAM>(&state));
  return result == IDOK ? state.chosen : 0;
}
