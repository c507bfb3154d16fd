// Resource ids of the spell checker component's own dialogs.
#pragma once

#define IDD_SPELL_WORD 63600
#define IDD_SPELL_LANGUAGE 63601

#define IDC_SPELL_WORD 63610         // the word not found (read only)
#define IDC_SPELL_REPLACEMENT 63611  // what the word is changed to
#define IDC_SPELL_SUGGESTIONS 63612  // right words close to it
#define IDC_SPELL_CHANGE 63613
#define IDC_SPELL_IGNORE 63614
#define IDC_SPELL_LANGUAGES 63615
#define IDC_SPELL_LANGUAGE_NOTE 63616
