#include "DynTable.h"

#include <algorithm>
#include <vector>

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {
// Records of a table without fields carry no bytes in the stream, so their count cannot be checked
// against the stream: a count above this is taken for a damaged file.
const ULONGLONG kMaxRecordsWithoutFields = 1u << 20;
// Every stored value is at least its int32 tag.
const ULONGLONG kMinValueBytes = 4;
}  // namespace

CDynTable::~CDynTable() {
  DEF_TRY
  RemoveAllRecords();
  m_fieldNames.RemoveAll();
  DEF_CATCH("CDynTable::~CDynTable")
}

int CDynTable::InsertField(int index, const CString& name) {
  int inserted = 0;
  DEF_TRY
  if (index < 0 || index >= m_fieldCount) index = m_fieldCount;
  // All or nothing: the count, the names and every record change together, so a failure part-way
  // (out of memory) leaves the table as it was and its invariant intact.
  m_fieldNames.InsertAt(index, name);
  for (; inserted < GetRecordCount(); ++inserted) m_records[inserted]->InsertAt(index, CVariant());
  ++m_fieldCount;
  return index;
  DEF_CATCH("CDynTable::InsertField")
  try {
    for (int r = 0; r < inserted; ++r) m_records[r]->RemoveAt(index);
    if (m_fieldNames.GetSize() > m_fieldCount) m_fieldNames.RemoveAt(index);
  } catch (...) {
    HandleCaughtException(__FILE__, __LINE__, "CDynTable::InsertField");
  }
  return -1;
}

BOOL CDynTable::RemoveField(int index) {
  DEF_TRY
  if (index < 0 || index >= m_fieldCount) return FALSE;
  for (int r = 0; r < GetRecordCount(); ++r) m_records[r]->RemoveAt(index);
  m_fieldNames.RemoveAt(index);
  --m_fieldCount;
  return TRUE;
  DEF_CATCH("CDynTable::RemoveField")
  return FALSE;
}

void CDynTable::RemoveAllFields() {
  DEF_TRY
  for (int f = m_fieldCount - 1; f >= 0; --f) RemoveField(f);
  DEF_CATCH("CDynTable::RemoveAllFields")
}

void CDynTable::MoveField(int from, int to) {
  DEF_TRY
  if (from < 0 || from >= m_fieldCount || to < 0 || to >= m_fieldCount) return;
  const CString name = m_fieldNames[from];
  if (to < from) {
    if (InsertField(to, name) < 0) return;
    for (int r = 0; r < GetRecordCount(); ++r) (*m_records[r])[to] = (*m_records[r])[from + 1];
    RemoveField(from + 1);
  } else {
    if (InsertField(to + 1, name) < 0) return;
    for (int r = 0; r < GetRecordCount(); ++r) (*m_records[r])[to + 1] = (*m_records[r])[from];
    RemoveField(from);
  }
  DEF_CATCH("CDynTable::MoveField")
}

CString CDynTable::GetFieldName(int index) const {
  if (index < 0 || index >= m_fieldCount) AfxThrowInvalidArgException();
  return m_fieldNames[index];
}

int CDynTable::InsertRecord(int index) {
  DEF_TRY
  if (index < 0 || index >= GetRecordCount()) index = GetRecordCount();
  CVariantRecord* record = new CVariantRecord();
  try {
    record->SetSize(m_fieldCount);
    m_records.InsertAt(index, record);
  } catch (...) {
    delete record;
    throw;
  }
  return index;
  DEF_CATCH("CDynTable::InsertRecord")
  return -1;
}

BOOL CDynTable::RemoveRecord(int index) {
  DEF_TRY
  if (index < 0 || index >= GetRecordCount()) return FALSE;
  CVariantRecord* record = m_records[index];
  m_records.RemoveAt(index);
  delete record;
  return TRUE;
  DEF_CATCH("CDynTable::RemoveRecord")
  return FALSE;
}

void CDynTable::RemoveAllRecords() {
  DEF_TRY
  for (int r = 0; r < GetRecordCount(); ++r) delete m_records[r];
  m_records.RemoveAll();
  DEF_CATCH("CDynTable::RemoveAllRecords")
}

CVariantRecord& CDynTable::operator[](int record) {
  if (record < 0 || record >= GetRecordCount()) {
    // Reported here and passed on: the caller's own handler decides what the failure means.
    ReportPassedException(__FILE__, __LINE__, "CDynTable::operator []");
    AfxThrowInvalidArgException();
  }
  return *m_records[record];
}

namespace {
// The last occurrence of `what` in `text`, -1 when there is none.
int ReverseFindText(const CString& text, const CString& what) {
  int last = -1;
  for (int at = text.Find(what); at >= 0; at = text.Find(what, at + 1)) last = at;
  return last;
}
}  // namespace

BOOL CDynTable::SearchText(const CString& text, int& record, int& field, int& position,
                           BOOL matchCase, int direction) {
  DEF_TRY
  CString wanted = text;
  if (!matchCase) wanted.MakeUpper();
  auto valueText = [&](int r, int f) {
    CString value = (*m_records[r])[f].GetString();
    if (!matchCase) value.MakeUpper();
    return value;
  };
  if (direction == 1) {
    int pos = position < 0 ? 0 : position;
    for (int r = record < 0 ? 0 : record; r < GetRecordCount(); ++r) {
      for (int f = (r == record && field > 0) ? field : 0; f < m_fieldCount; ++f) {
        const int at = valueText(r, f).Find(wanted, pos);
        if (at >= 0) {
          record = r, field = f, position = at;
          return TRUE;
        }
        pos = 0;
      }
    }
    return FALSE;
  }
  int pos = position;
  for (int r = record >= GetRecordCount() ? GetRecordCount() - 1 : record; r >= 0; --r) {
    const int firstField = (r == record && field >= 0 && field < m_fieldCount) ? field : m_fieldCount - 1;
    for (int f = firstField; f >= 0; --f) {
      const CString value = valueText(r, f);
      if (pos < 0 || pos > value.GetLength()) pos = value.GetLength();
      const int at = ReverseFindText(value.Left(pos), wanted);
      if (at >= 0) {
        record = r, field = f, position = at;
        return TRUE;
      }
      pos = -1;
    }
  }
  return FALSE;
  DEF_CATCH("CDynTable::SearchText")
  return FALSE;
}

void CDynTable::FormNumber(int record, int field, double start) {
  DEF_TRY
  for (int r = record + 1; r < GetRecordCount(); ++r, start += 1) (*m_records[r])[field] = start;
  DEF_CATCH("CDynTable::FormNumber")
}

int CDynTable::Append(CDynTable& other) {
  DEF_TRY
  // Counts and names first: appending a table to itself must not see its own new fields.
  const int otherFields = other.m_fieldCount;
  const int otherRecords = other.GetRecordCount();
  std::vector<int> target(static_cast<size_t>(otherFields));
  for (int f = 0; f < otherFields; ++f) {
    target[static_cast<size_t>(f)] = AddField(other.m_fieldNames[f]);
    if (target[static_cast<size_t>(f)] < 0) return -1;
  }
  while (GetRecordCount() < otherRecords)
    if (InsertRecord(-1) < 0) return -1;
  for (int r = 0; r < otherRecords; ++r)
    for (int f = 0; f < otherFields; ++f)
      (*m_records[r])[target[static_cast<size_t>(f)]] = (*other.m_records[r])[f];
  return GetRecordCount();
  DEF_CATCH("CDynTable::Append")
  return -1;
}

void CDynTable::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    Store(ar);
    return;
  }
  Load(ar, kMaxRecordsWithoutFields);
}

void CDynTable::Store(CArchive& ar) {
  DEF_TRY
    ar << static_cast<int32_t>(1) << static_cast<int32_t>(m_fieldCount)
       << static_cast<int32_t>(GetRecordCount());
    for (int f = 0; f < m_fieldCount; ++f) {
      CVariant name(m_fieldNames[f]);
      name.Serialize(ar);
    }
    for (int r = 0; r < GetRecordCount(); ++r)
      for (int f = 0; f < m_fieldCount; ++f) (*m_records[r])[f].Serialize(ar);
  DEF_CATCH_PASS_ARCHIVE("CDynTable::Serialize")
}

void CDynTable::Load(CArchive& ar, ULONGLONG maxRecordsWithoutFields) {
  DEF_TRY
  int32_t version = 0, fieldCount = 0, recordCount = 0;
  ar >> version;
  RemoveAllRecords();
  m_fieldNames.RemoveAll();
  m_fieldCount = 0;
  ar >> fieldCount;
  if (fieldCount < 0) AfxThrowArchiveException(CArchiveException::badIndex);
  CheckArchiveCount(ar, static_cast<ULONGLONG>(fieldCount), kMinValueBytes);
  ar >> recordCount;
  if (recordCount < 0 ||
      (fieldCount == 0 && static_cast<ULONGLONG>(recordCount) > std::min(maxRecordsWithoutFields, kMaxRecordsWithoutFields)))
    AfxThrowArchiveException(CArchiveException::badIndex);
  CheckArchiveCount(ar, static_cast<ULONGLONG>(recordCount),
                    static_cast<ULONGLONG>(fieldCount) * kMinValueBytes);
  m_fieldNames.SetSize(fieldCount);
  m_fieldCount = fieldCount;
  for (int f = 0; f < fieldCount; ++f) {
    CVariant name;
    name.Serialize(ar);
    m_fieldNames[f] = name.GetString();
  }
  for (int r = 0; r < recordCount; ++r) {
    if (InsertRecord(r) != r) AfxThrowMemoryException();
    for (int f = 0; f < fieldCount; ++f) (*m_records[r])[f].Serialize(ar);
  }
  DEF_CATCH_PASS_ARCHIVE("CDynTable::Serialize")
}
