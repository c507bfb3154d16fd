// Data exchange of measurement edits: a length in twips shown and typed in the user's unit (see
// Units.h). The unit is the application's current one.
#pragma once
#include "Framework.h"

// Loading: a set value is written into the edit in the user's unit; a value that is not set leaves
// the edit as it is. Saving: at most 63 characters are read; an empty edit is not set; a text that
// is no measurement shows "This is not a valid measurement." and fails the pass with the focus on
// the edit; a valid text is stored as the value its own shown text reads back as.
void DDX_Twips(CDataExchange* pDX, int nIDC, int& value);
// Saving only: a set value outside [minVal, maxVal] shows the range, both ends in the user's unit,
// and fails the pass.
void DDV_MinMaxTwips(CDataExchange* pDX, int value, int minVal, int maxVal);
