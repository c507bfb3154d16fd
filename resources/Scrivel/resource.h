// Resource identifiers of Scrivel: the one list, shared by its language scripts and its code.
#pragma once

#define IDR_MAINFRAME                   128
