// Everything of the framework layer for product code: include this one header.
#pragma once

#include "fw/AfxCore.h"
#include "fw/ResourceLanguage.h"
#include "fw/ModuleState.h"
#include "fw/String.h"
#include "fw/Convert.h"
#include "fw/Object.h"
#include "fw/Exceptions.h"
#include "fw/CollectionTraits.h"
#include "fw/Array.h"
#include "fw/List.h"
#include "fw/Map.h"
#include "fw/File.h"
#include "fw/MemFile.h"
#include "fw/Archive.h"
#include "fw/OleVariant.h"
#include "fw/Geometry.h"

// The window half: messages and commands, windows, GDI, dialogs.
#include "fw/MsgMap.h"
#include "fw/CmdTarget.h"
#include "fw/Wnd.h"
#include "fw/Gdi.h"
#include "fw/Dc.h"
#include "fw/Menu.h"
#include "fw/Dialog.h"
