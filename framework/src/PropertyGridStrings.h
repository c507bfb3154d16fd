// String ids of the framework's own texts for the property grid and the colour controls, found in
// the framework DLL's string table (res/PropertyGrid.rc) in the resource language. A block of its
// own, far from the programs' ids.
#pragma once

#define FW_IDS_PROPGRID_PROPERTY 0xEC40
#define FW_IDS_PROPGRID_VALUE 0xEC41
#define FW_IDS_PROPGRID_TRUE 0xEC42
#define FW_IDS_PROPGRID_FALSE 0xEC43
#define FW_IDS_COLOR_AUTOMATIC 0xEC44
#define FW_IDS_COLOR_OTHER 0xEC45
