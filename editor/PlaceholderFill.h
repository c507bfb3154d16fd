// Filling the placeholders of a document: every "[key]" of the text whose key is in the field map is
// replaced by the key's value, in the rich-edit control itself so that formatting is kept.
#pragma once
#include "Framework.h"

#include "BatchData.h"

// The value as inserted text: a text value as it is, anything else through the system's variant
// conversion for the user's locale (so numbers get the user's decimal separator); empty when the
// value has no text form.
CString FieldValueText(const VARIANT& value);

// For each entry of the map in its iteration order, searches the control from the start for the
// pattern "[" key "]" (matching case, whole words) and replaces every occurrence by the value text;
// the replacement is not undoable. Text inserted for a key is not searched again for that key. The
// caret ends at the start of the text.
void FillPlaceholders(HWND richEdit, const CFieldMap& data);
