// The data table of one page: named fields (one per field object) and records, each record one
// CVariant per field in field order.
#pragma once
#include "Framework.h"

#include "Variant.h"

typedef CArray<CVariant, CVariant> CVariantRecord;

class CDynTable : public CObject {
 public:
  CDynTable() = default;
  ~CDynTable() override;

  // An out-of-range index appends; returns the new field's index, -1 on failure.
  int InsertField(int index, const CString& name);
  int AddField(const CString& name) { return InsertField(-1, name); }
  BOOL RemoveField(int index);
  void RemoveAllFields();
  // Moves a field with its values so that it ends at position `to`.
  void MoveField(int from, int to);
  int GetFieldCount() const { return m_fieldCount; }
  // Throws CInvalidArgException for an out-of-range index.
  CString GetFieldName(int index) const;

  // An out-of-range index appends; returns the new record's index, -1 on failure.
  int InsertRecord(int index);
  BOOL RemoveRecord(int index);
  void RemoveAllRecords();
  int GetRecordCount() const { return static_cast<int>(m_records.GetSize()); }
  // Throws CInvalidArgException for an out-of-range index.
  CVariantRecord& operator[](int record);

  // Finds `text` in the text forms of the values. Forward (direction 1) from (record, field, position);
  // backward otherwise, where a field of -1 is the last one and a position of -1 the end of a value.
  BOOL SearchText(const CString& text, int& record, int& field, int& position, BOOL matchCase,
                  int direction);
  // Numbers field `field` of every record after `record` as Doubles start, start + 1, ...
  void FormNumber(int record, int field, double start);
  // Appends the other table's fields and values; returns this table's record count, -1 on failure.
  int Append(CDynTable& other);

  // Loading passes an archive or file exception on (after logging it).
  void Serialize(CArchive& ar) override;
  // Loading, where a table without fields may claim at most `maxRecordsWithoutFields` records: such
  // records take no bytes of the stream, so only the caller knows how many its input can stand for.
  // More end the load with the archive exception for a damaged stream (badIndex).
  void Load(CArchive& ar, ULONGLONG maxRecordsWithoutFields);

 private:
  void Store(CArchive& ar);

  CTypedPtrArray<CPtrArray, CVariantRecord*> m_records;
  CStringArray m_fieldNames;
  int m_fieldCount = 0;
};
