// Resource identifiers of Orvello: the one list, shared by the three language scripts and the code.
#pragma once

#define IDR_MAINFRAME                   128
#define IDR_FOLIMARTYPE                 395
