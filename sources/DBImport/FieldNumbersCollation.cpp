#include "FieldNumbersCollation.h"

#include "ErrorLog.h"
#include "MyProcs.h"

void WriteFieldLinks(CArchive& ar, const CFieldLinkArray& links) {
  DEF_TRY
  ar << static_cast<int32_t>(links.GetSize());
  for (INT_PTR i = 0; i < links.GetSize(); ++i) ar.Write(&links[i], sizeof(_FIELDNUMBERSCOLLATION));
  DEF_CATCH_PASS_ARCHIVE("WriteFieldLinks")
}

void ReadFieldLinks(CArchive& ar, CFieldLinkArray& links) {
  DEF_TRY
  int32_t count = 0;
  ar >> count;
  if (count < 0) AfxThrowArchiveException(CArchiveException::badIndex);
  CheckArchiveCount(ar, static_cast<ULONGLONG>(count), sizeof(_FIELDNUMBERSCOLLATION));
  links.SetSize(count);
  for (int32_t i = 0; i < count; ++i) ReadArchiveExact(ar, &links[i], sizeof(_FIELDNUMBERSCOLLATION));
  DEF_CATCH_PASS_ARCHIVE("ReadFieldLinks")
}
