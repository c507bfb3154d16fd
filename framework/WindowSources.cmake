# The window half of the framework: messages, windows, dialogs, controls, GDI, document/view.
target_sources(VantryFW PRIVATE
  src/CmdTarget.cpp
  src/Wnd.cpp
  src/WndApi.cpp
  src/Menu.cpp
  src/Gdi.cpp
  src/Dc.cpp
  src/Dialog.cpp
  src/DataExchange.cpp
  src/AppWindows.cpp
  src/Document.cpp
  src/View.cpp
  src/ScrollView.cpp
  src/Print.cpp
  src/PrintPreview.cpp
  src/Frame.cpp
  src/MdiFrame.cpp
  src/DocTemplate.cpp
  src/DocManager.cpp
  src/FileDialog.cpp
  src/CommandLineInfo.cpp
  src/WinAppWindows.cpp
  src/Controls.cpp
  src/PropertySheet.cpp
  src/OleDataTransfer.cpp
  src/RichEdit.cpp
  src/RichEditFind.cpp
  src/RichEditFormat.cpp
  src/RichEditOle.cpp
  src/CommonDialogs.cpp
  # The feature pack: looks, panes, docking and the frames that dock them.
  src/VisualManager.cpp
  src/Pane.cpp
  src/DockingManager.cpp
  src/DockingManagerState.cpp
  src/FrameEx.cpp
  src/WinAppEx.cpp
  # The application's managers, the tool-tip controls and the looks' palettes.
  src/VisualManagerLooks.cpp
  src/ContextMenuManager.cpp
  src/KeyboardManager.cpp
  src/ToolTipCtrl.cpp
  src/MFCToolTipCtrl.cpp
  src/TooltipManager.cpp

  # The property grid, its colour row and the colour button with their palette pop-up.
  src/VisualManagerGrid.cpp
  src/PropertyGrid.cpp
  src/PropertyGridPaint.cpp
  src/PropertyGridInput.cpp
  src/PropertyGridProperty.cpp
  src/PropertyGridColorProperty.cpp
  src/ColorPopup.cpp
  src/ColorButton.cpp
  res/PropertyGrid.rc
)

# Dockable panes, tab groups, floating, auto-hide, smart docking and MDI tabs.
target_sources(VantryFW PRIVATE
  src/DockingInternal.cpp
  src/DockablePane.cpp
  src/TabCtrl.cpp
  src/TabCtrlDraw.cpp
  src/TabbedPane.cpp
  src/PaneDivider.cpp
  src/PaneFrameWnd.cpp
  src/AutoHideBar.cpp
  src/SmartDocking.cpp
  src/DockingManagerPlaces.cpp
  src/DockingManagerDrag.cpp
  src/PaneMenu.cpp
  src/MDIClientArea.cpp
  src/MDIClientAreaState.cpp
  res/DockingResources.rc
)
# Tool bars, their buttons and images, the menu bar, the status bar and the customize dialog.
target_sources(VantryFW PRIVATE
  src/BarStrings.cpp
  src/ToolBarImages.cpp
  src/ToolBarButton.cpp
  src/ToolBarControlButtons.cpp
  src/ToolBarMenuButton.cpp
  src/ToolBar.cpp
  src/ToolBarMouse.cpp
  src/ToolBarState.cpp
  src/MenuBar.cpp
  src/MenuBarPersonal.cpp
  src/StatusBar.cpp
  src/FrameToolBars.cpp
  src/DialogTemplate.cpp
  src/ToolBarCustomize.cpp
  src/ToolBarCustomizePages.cpp
  resources/Bars.rc
)
# windres names no dependencies: the language scripts and the id headers rebuild Bars.rc.
set_source_files_properties(resources/Bars.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_SOURCE_DIR}/resources/Bars_enu.rc;${CMAKE_CURRENT_SOURCE_DIR}/resources/Bars_deu.rc;${CMAKE_CURRENT_SOURCE_DIR}/resources/Bars_rus.rc;${CMAKE_CURRENT_SOURCE_DIR}/include/fw/BarResourceIds.h;${CMAKE_CURRENT_SOURCE_DIR}/include/fw/PaneStyles.h;${CMAKE_CURRENT_SOURCE_DIR}/include/fw/CommandIds.h")
