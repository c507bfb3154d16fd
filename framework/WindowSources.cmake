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
)
