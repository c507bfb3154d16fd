// Measurement units: sizes are held in text units of 0.00001 inch and shown in the unit chosen in the
// options. Unit codes: -1 text unit, 0 inch, 1 millimetre, 2 point.
#pragma once
#include "Framework.h"

enum {
  UNIT_TEXTUNIT = -1,
  UNIT_INCH = 0,
  UNIT_MILLIMETRE = 1,
  UNIT_POINT = 2,
};

// Converts through text units; an unknown code on either side gives 0.
double unitConvert(double value, int from, int to);
int unitConvertToTextunit(double value, int unit);
double unitConvertTextunitTo(int value, int unit);
// The spin step of the unit in text units: 499 (inch), 1968 (millimetre), 1388 (point), else 0.
int unitGetDelta(int unit);
// The value with 3 decimals for inch, 2 for millimetre and point, 0 for any other code.
CString unitGetStrValue(double value, int unit);
