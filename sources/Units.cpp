#include "Units.h"

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {
// Inches per text unit. The conversions multiply and divide by it in this order on purpose: the
// rounding of 0.00001 in binary is part of the stored values (one inch is 99999.99999999999 text units
// before rounding, the inch spin step 499, not 500).
const double kInchPerTextunit = 0.00001;
}  // namespace

double unitConvert(double value, int from, int to) {
  double t;
  switch (from) {
    case UNIT_TEXTUNIT: t = value; break;
    case UNIT_INCH: t = value / kInchPerTextunit; break;
    case UNIT_MILLIMETRE: t = value / 25.4 / kInchPerTextunit; break;
    case UNIT_POINT: t = value / 72 / kInchPerTextunit; break;
    default: return 0;
  }
  switch (to) {
    case UNIT_TEXTUNIT: return t;
    case UNIT_INCH: return t * kInchPerTextunit;
    case UNIT_MILLIMETRE: return t * kInchPerTextunit * 25.4;
    case UNIT_POINT: return t * kInchPerTextunit * 72;
    default: return 0;
  }
}

int unitConvertToTextunit(double value, int unit) {
  DEF_TRY
  return RoundToInt(unitConvert(value, unit, UNIT_TEXTUNIT));
  DEF_CATCH("unitConvertToTextunit")
  return 0;
}

double unitConvertTextunitTo(int value, int unit) {
  DEF_TRY
  return unitConvert(value, UNIT_TEXTUNIT, unit);
  DEF_CATCH("unitConvertTextunitTo")
  return 0.0;
}

int unitGetDelta(int unit) {
  DEF_TRY
  double step;
  switch (unit) {
    case UNIT_INCH: step = 0.005; break;
    case UNIT_MILLIMETRE: step = 0.5; break;
    case UNIT_POINT: step = 1.0; break;
    default: return 0;
  }
  return static_cast<int>(unitConvert(step, unit, UNIT_TEXTUNIT));
  DEF_CATCH("unitGetDelta")
  return 0;
}

CString unitGetStrValue(double value, int unit) {
  DEF_TRY
  int decimals = 0;
  if (unit == UNIT_INCH) decimals = 3;
  else if (unit == UNIT_MILLIMETRE || unit == UNIT_POINT) decimals = 2;
  CString format;
  format.Format(_T("%%.%df"), decimals);
  CString text;
  text.Format(format, value);
  return text;
  DEF_CATCH("unitGetStrValue")
  return CString();
}
