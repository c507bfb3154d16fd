// Export macro of Quillet.
#pragma once

#ifdef QUILLET_BUILDING_DLL
#define QUILLET_API __declspec(dllexport)
#else
#define QUILLET_API __declspec(dllimport)
#endif
