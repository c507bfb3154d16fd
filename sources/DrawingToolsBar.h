// The drawing-tools bar ("Drawing Tools", tool-bar resource 224): select, the field tools and the
// shapes. Its buttons set the program modes through the frame's commands.
#pragma once
#include "Framework.h"

// Creates `bar` on `parent` as a flat bar with gripper, tips and fly-by prompts along the side that
// `sideStyle` names (CBRS_ALIGN_* with its border), with the resource's id, and loads the resource;
// FALSE when either step fails.
BOOL CreateResourceToolBar(CMFCToolBar& bar, CWnd* parent, UINT resourceId, DWORD sideStyle);

// What the boxes on the bars do with Tab and Escape: the keyboard goes back to the main frame. TRUE
// when the message was such a key.
BOOL GiveKeyboardToFrame(CWnd* control, const MSG* msg);

class CDrawingToolsBar : public CMFCToolBar {
  DECLARE_SERIAL(CDrawingToolsBar)
 public:
  CDrawingToolsBar() = default;
  // Creates the bar along the left of `parent` and loads its resource; FALSE when either fails.
  BOOL Create(CWnd* parent);
};
