// Export macro of the framework DLL.
#pragma once

#ifdef FW_BUILDING_DLL
#define FW_API __declspec(dllexport)
#else
#define FW_API __declspec(dllimport)
#endif
