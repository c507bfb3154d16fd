// Ids of the feature-pack application tests' resources: one list, used by the .rc script and the
// tests.
#pragma once

// The context menu: "Edit" with a sub-menu.
#define IDR_TEST_CONTEXT 200
#define IDR_TEST_SECOND 201
#define IDS_TEST_CONTEXT_NAME 210
#define ID_TEST_CUT 33001
#define ID_TEST_COPY 33002
#define ID_TEST_DELETE 33003
#define ID_TEST_OPTIONS 33004
#define ID_TEST_INNER 33005
#define ID_TEST_FRAME_ONLY 33006

// Commands with prompts and tips, for tool tips and shortcuts.
#define ID_TEST_SAVE 33101
#define ID_TEST_OPEN 33102
#define ID_TEST_PROMPT_ONLY 33103
#define ID_TEST_NO_STRING 33104
