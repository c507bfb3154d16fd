// String ids of the docking classes' own resources (res/DockingResources.rc), kept in the framework
// DLL in English, German and Russian. A range of their own, away from the programs' ids.
#pragma once

// The MDI tab strip's context menu.
#define IDS_FW_MDI_NEW_HORZ_GROUP 0x6D40
#define IDS_FW_MDI_NEW_VERT_GROUP 0x6D41
#define IDS_FW_MDI_MOVE_NEXT_GROUP 0x6D42
#define IDS_FW_MDI_MOVE_PREV_GROUP 0x6D43
