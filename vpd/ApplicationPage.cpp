// Application page: the Postconverter hook, the application the converter hands its output to,
// with the two sub-dialogs of the WM_COPYDATA and the named-pipe transfer.
#include <windows.h>
#include <commctrl.h>

#include "AddPropPages.h"
#include "Module.h"
#include "resource.h"
#include "vpd_settings.h"

namespace vpd {

namespace {

using vpd_internal::HookSettings;

HookSettings hook;
bool changed = false;
bool filling = false;  // edits set while filling the page are not user changes

constexpr DWORD viaCommandLine = 0;
constexpr DWORD viaCopyData = 1;
constexpr DWORD viaPipe = 3;

struct TransferButton {
  int id;
  DWORD mode;
};
const TransferButton transferButtons[] = {
    {IDC_APP_VIA_COMMAND_LINE, viaCommandLine}, {IDC_APP_VIA_COPYDATA, viaCopyData}, {IDC_APP_VIA_PIPE, viaPipe}};

// A group that cannot be read shows zeros; the result is not otherwise reported.
void load() {
  vpd_internal::loadHookSettings(vpd_internal::postconverterHook, hook,
                                 vpd_internal::currentUser | vpd_internal::localMachine,
                                 vpd_internal::rootKeyPath, vpd_internal::ownSession, L"");
}

bool saveHook() {
  return vpd_internal::saveHookSettings(vpd_internal::postconverterHook, hook, vpd_internal::currentUser,
                                        vpd_internal::rootKeyPath);
}

// A mode the page does not offer (2 or anything else read from the registry) checks no button.
void showTransferMode(HWND page) {
  for (const TransferButton& button : transferButtons) setChecked(page, button.id, hook.transferMode == button.mode);
}

void updateStates(HWND page) {
  const bool on = hook.enabled != 0;
  for (int id : {IDC_APP_EXECUTABLE, IDC_APP_BROWSE, IDC_APP_VIA_COMMAND_LINE, IDC_APP_VIA_COPYDATA, IDC_APP_VIA_PIPE})
    enable(page, id, on);
  enable(page, IDC_APP_CONFIGURE_COPYDATA, on && hook.transferMode == viaCopyData);
  enable(page, IDC_APP_CONFIGURE_PIPE, on && hook.transferMode == viaPipe);
}

void fillPage(HWND page) {
  filling = true;
  SendDlgItemMessageW(page, IDC_APP_EXECUTABLE, EM_LIMITTEXT, vpd_internal::pathChars - 1, 0);
  SetDlgItemTextW(page, IDC_APP_EXECUTABLE, hook.executableFile);
  setChecked(page, IDC_APP_ENABLE, hook.enabled != 0);
  showTransferMode(page);
  updateStates(page);
  filling = false;
}

// True when the command was one the page handles.
bool onCommand(HWND page, int id, int code) {
  if (id == IDC_APP_EXECUTABLE) {
    if (code != EN_CHANGE || filling) return false;
    markChanged(page, changed);
    return true;
  }
  if (code != BN_CLICKED) return false;
  for (const TransferButton& button : transferButtons) {
    if (id == button.id) {
      hook.transferMode = button.mode;
      showTransferMode(page);
      updateStates(page);
      markChanged(page, changed);
      return true;
    }
  }
  switch (id) {
    case IDC_APP_ENABLE:
      hook.enabled = isChecked(page, IDC_APP_ENABLE) ? 1 : 0;
      updateStates(page);
      markChanged(page, changed);
      return true;
    case IDC_APP_BROWSE: {
      wchar_t path[vpd_internal::pathChars] = L"";
      if (chooseExecutable(path, _countof(path))) {
        SetDlgItemTextW(page, IDC_APP_EXECUTABLE, path);
        changed = true;
      }
      break;
    }
    case IDC_APP_CONFIGURE_COPYDATA:
    case IDC_APP_CONFIGURE_PIPE: {
      const int dialog = id == IDC_APP_CONFIGURE_COPYDATA ? IDD_COPYDATA : IDD_PIPE;
      const DLGPROC procedure = id == IDC_APP_CONFIGURE_COPYDATA ? CopyDataDialog : PipeDialog;
      if (DialogBoxParamW(moduleInstance(), MAKEINTRESOURCEW(dialog), page, procedure, 0) == IDOK) changed = true;
      break;
    }
    default:
      return false;
  }
  // Every handled command lights Apply, even a cancelled sub-dialog.
  SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
  return true;
}

void takeEdits(HWND page) {
  if (changed) readEditText(page, IDC_APP_EXECUTABLE, hook.executableFile, vpd_internal::pathChars);
}

const SettingsPage settings = {&changed, load, fillPage, onCommand, takeEdits, saveHook};

void takeCopyDataFields(HWND dialog) {
  readEditText(dialog, IDC_COPYDATA_WINDOW_TITLE, hook.windowTitle, vpd_internal::nameChars);
  readEditText(dialog, IDC_COPYDATA_WINDOW_CLASS, hook.windowClass, vpd_internal::nameChars);
  hook.messageId = readEditNumber(dialog, IDC_COPYDATA_MESSAGE_ID, 9);
  hook.timeout = readEditNumber(dialog, IDC_COPYDATA_TIMEOUT, 9);
}

void takePipeFields(HWND dialog) {
  readEditText(dialog, IDC_PIPE_NAME, hook.pipeName, vpd_internal::nameChars);
  hook.pipeMessageSize = readEditNumber(dialog, IDC_PIPE_MESSAGE_SIZE, 9);
  hook.timeout = readEditNumber(dialog, IDC_PIPE_TIMEOUT, 9);
  hook.pipeLaunchApplication = isChecked(dialog, IDC_PIPE_LAUNCH) ? 1 : 0;
}

}  // namespace

INT_PTR CALLBACK ApplicationPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return settingsPageProcedure(settings, page, message, wParam, lParam);
}

INT_PTR CALLBACK CopyDataDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageW(dialog, IDC_COPYDATA_WINDOW_TITLE, EM_LIMITTEXT, vpd_internal::nameChars - 1, 0);
      SendDlgItemMessageW(dialog, IDC_COPYDATA_WINDOW_CLASS, EM_LIMITTEXT, vpd_internal::nameChars - 1, 0);
      SendDlgItemMessageW(dialog, IDC_COPYDATA_MESSAGE_ID, EM_LIMITTEXT, 9, 0);
      SendDlgItemMessageW(dialog, IDC_COPYDATA_TIMEOUT, EM_LIMITTEXT, 9, 0);
      SetDlgItemTextW(dialog, IDC_COPYDATA_WINDOW_TITLE, hook.windowTitle);
      SetDlgItemTextW(dialog, IDC_COPYDATA_WINDOW_CLASS, hook.windowClass);
      setEditNumber(dialog, IDC_COPYDATA_MESSAGE_ID, hook.messageId, true);
      setEditNumber(dialog, IDC_COPYDATA_TIMEOUT, hook.timeout, true);
      return TRUE;
    case WM_COMMAND:
      return endSubDialog(dialog, wParam, takeCopyDataFields);
  }
  return FALSE;
}

INT_PTR CALLBACK PipeDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageW(dialog, IDC_PIPE_NAME, EM_LIMITTEXT, vpd_internal::nameChars - 1, 0);
      SendDlgItemMessageW(dialog, IDC_PIPE_MESSAGE_SIZE, EM_LIMITTEXT, 9, 0);
      SendDlgItemMessageW(dialog, IDC_PIPE_TIMEOUT, EM_LIMITTEXT, 9, 0);
      SetDlgItemTextW(dialog, IDC_PIPE_NAME, hook.pipeName);
      setEditNumber(dialog, IDC_PIPE_MESSAGE_SIZE, hook.pipeMessageSize, true);
      setEditNumber(dialog, IDC_PIPE_TIMEOUT, hook.timeout, true);
      setChecked(dialog, IDC_PIPE_LAUNCH, hook.pipeLaunchApplication != 0);
      return TRUE;
    case WM_COMMAND:
      return endSubDialog(dialog, wParam, takePipeFields);
  }
  return FALSE;
}

}  // namespace vpd
