// The document file: a 48-byte header, a fixed part (template flag, current record, options block,
// database link, page settings) and a tagged record stream ended by tag 0. Written as version 28;
// every version from 3 on is read and brought into the current model.
#include <memory>
#include <algorithm>
#include <vector>

#include "DocObjects.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

#pragma pack(push, 1)
struct DOC_FILE_HEADER {
  char magic[4];  // "KTD\0"; older files "QLM"
  uint32_t version;
  double unit;
  int32_t printOffsetX;
  int32_t printOffsetY;
  BYTE zero24[8];
  int32_t imageOrigin;
  int32_t pageCount;
  BYTE zero40[8];
};
static_assert(sizeof(DOC_FILE_HEADER) == 48, "the document header is 48 bytes");

// Header of the page-image section.
struct PAGE_IMAGE_SECTION_HEADER {
  int32_t size;  // 40
  int32_t version;
  double unit;
  int32_t pageCount;
  BYTE zero[20];
};
static_assert(sizeof(PAGE_IMAGE_SECTION_HEADER) == 40, "the image section header is 40 bytes");
#pragma pack(pop)

const int kImageSectionVersion = 4;
// A stored image-section header larger than this is taken as damage, not as a future layout.
const int kMaxImageSectionHeader = 4096;

// What the archive can still deliver (buffered and in the file).
ULONGLONG BytesLeft(CArchive& ar) {
  CFile* file = ar.GetFile();
  ar.Flush();
  const ULONGLONG length = file->GetLength();
  const ULONGLONG position = file->GetPosition();
  return length > position ? length - position : 0;
}

// Ends the load quietly when `bytes` (from the file, so possibly negative or huge) cannot follow.
void RequireBytes(CArchive& ar, LONGLONG bytes) {
  if (bytes < 0 || static_cast<ULONGLONG>(bytes) > BytesLeft(ar)) {
    CString text;
    text.Format(L"Document file: %lld bytes asked for where %llu are left", bytes, BytesLeft(ar));
    AppendErrorLog(text);
    FailDocumentFile();
  }
}

int32_t ReadInt(CArchive& ar) {
  int32_t value = 0;
  ar >> value;
  return value;
}

void WriteInt(CArchive& ar, int32_t value) { ar << value; }

// An 8-bit string of a fixed slot (not necessarily terminated) into a wide slot, cut to fit.
void ConvertAnsiSlot(const char* source, size_t sourceSize, wchar_t* target, size_t targetCount) {
  size_t length = 0;
  while (length < sourceSize && source[length] != 0) ++length;
  memset(target, 0, targetCount * sizeof(wchar_t));
  if (length == 0) return;
  std::vector<wchar_t> wide(length + 1, 0);
  const int converted = MultiByteToWideChar(CP_THREAD_ACP, 0, source, static_cast<int>(length), wide.data(),
                                            static_cast<int>(length));
  const size_t keep = std::min(static_cast<size_t>(std::max(converted, 0)), targetCount - 1);
  memcpy(target, wide.data(), keep * sizeof(wchar_t));
}

template <size_t S, size_t T>
void ConvertAnsi(const char (&source)[S], wchar_t (&target)[T]) {
  ConvertAnsiSlot(source, S, target, T);
}

// What a file can make the loader hold in the pages' tables, counted in slots: one per record and one
// per cell. Records of a table without fields, and the records and cells that padding and the field
// exchange add, take no bytes of the file: without a bound a few kilobytes asked for billions of them.
// A file may add as many slots as it has bytes times kTableSlotsPerByte, and a small one at least
// kMinTableSlots: every document this program writes stores four bytes or more per cell, while a
// damaged one stays within some tens of megabytes and a fraction of a second.
const ULONGLONG kTableSlotsPerByte = 32;
const ULONGLONG kMinTableSlots = 64 * 1024;

ULONGLONG TableSlots(ULONGLONG records, ULONGLONG fields) { return records * (1 + fields); }
ULONGLONG TableSlots(const CDynTable& table) {
  return TableSlots(static_cast<ULONGLONG>(table.GetRecordCount()), static_cast<ULONGLONG>(table.GetFieldCount()));
}

// A file past what it can hold ends the load as a damaged one: the framework's message for an
// unexpected format, not the silent end of the checks that find a short or broken file.
[[noreturn]] void FailOverBound(LPCWSTR what) {
  CString text;
  text.Format(L"Document file: %s would hold more than the file can stand for", what);
  AppendErrorLog(text);
  AfxThrowArchiveException(CArchiveException::badIndex);
}

// Metafile bits that begin with their header record, which states them whole. The system made a
// metafile of bits without one too, and then refused the bits it gave back for it: the document
// saved from such a file could not be opened again.
bool IsWholeEnhancedMetafile(const std::vector<BYTE>& bits) {
  ENHMETAHEADER header;
  if (bits.size() < sizeof(header)) return false;
  memcpy(&header, bits.data(), sizeof(header));
  return header.iType == EMR_HEADER && header.dSignature == ENHMETA_SIGNATURE && header.nSize >= 88 &&
         header.nSize <= bits.size() && header.nBytes == bits.size();
}

bool IsObjectTag(int tag) {
  switch (tag) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 9: case 10: case 20: case 21:
      return true;
    default:
      return false;
  }
}

}  // namespace

void CFolimarDoc::ConvertOldOptions(const _OLD_DOC_OPTIONS& old, _DOC_OPTIONS& options) {
  options.formatTag = old.formatTag;
  ConvertAnsi(old.formName, options.formName);
  ConvertAnsi(old.author, options.author);
  ConvertAnsi(old.subject, options.subject);
  ConvertAnsi(old.keywords, options.keywords);
  // Password slots are scrambled units, not text: each old byte becomes one unit as it is, so the
  // slot still decodes with the same key.
  wchar_t* slots[4] = {options.userPassword, options.userPasswordConfirm, options.ownerPassword,
                       options.ownerPasswordConfirm};
  for (int s = 0; s < 4; ++s)
    for (int i = 0; i < 32; ++i) slots[s][i] = static_cast<BYTE>(old.passwords[s][i]);
  memcpy(options.security, old.security, sizeof(options.security));
  ConvertAnsi(old.creator, options.creator);
  ConvertAnsi(old.generalString5, options.generalString5);
  ConvertAnsi(old.furtherString, options.furtherString);
  ConvertAnsi(old.printerString1, options.printerString1);
  ConvertAnsi(old.printerString2, options.printerString2);
  ConvertAnsi(old.paperFormName, options.paperFormName);
  options.keyLengthIndex = old.keyLengthIndex;
  memcpy(&options.paperIndex, old.printerFields, sizeof(old.printerFields));
  options.landscape = old.landscape;
  options.savedPrintingPreferences = old.savedPrintingPreferences;
  options.applyToPrinter = old.applyToPrinter;
  memcpy(options.marker, &old.carried2656, sizeof(options.marker));
  options.carried5244 = old.carried2660;
  options.paperWidth = old.paperWidth;
  options.paperHeight = old.paperHeight;
  options.viewScale = old.viewScale;
}

void CFolimarDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    StoringSerialize(ar);
  else
    LoadingSerialize(ar);
}

CString CFolimarDoc::LowerFileExt(const CString& path) {
  CString ext = ExtractFileExt(path);
  ext.MakeLower();
  return ext;
}

// ---- Writing ---------------------------------------------------------------------------------------

void CFolimarDoc::StoringSerialize(CArchive& ar) {
  try {
    const CString target = !m_savingPath.IsEmpty() ? m_savingPath : ar.GetFile()->GetFilePath();
    const CString ext = LowerFileExt(target);
    if (ext != L"qlm" && ext != L"rud") FailDocumentFile();

    DOC_FILE_HEADER header = {};
    memcpy(header.magic, "KTD", 4);
    header.version = kFileVersion;
    header.unit = m_unit;
    header.printOffsetX = m_printOffsetX;
    header.printOffsetY = m_printOffsetY;
    header.imageOrigin = m_imageOrigin;
    header.pageCount = m_pageCount;
    ar.Write(&header, sizeof(header));
    WriteInt(ar, 0);  // not a template
    WriteInt(ar, m_currentRecord);

    m_options.formatTag = kFormatTag;
    m_options.registerStoredNames = 0;
    m_options.marker[1] = 0x0D;
    lstrcpynW(m_options.creator, GetCreatorText(), _countof(m_options.creator));
    ar.Write(&m_options, sizeof(m_options));

    WriteStringToArchive(ar, m_connectString);
    WriteStringToArchive(ar, m_tableName);
    WriteFieldLinks(ar, m_fieldLinks);
    for (POSITION pos = m_pages.GetHeadPosition(); pos;) ar.Write(&m_pages.GetNext(pos)->m_settings, sizeof(_PAGE_SETTINGS));

    BOOL anyImage = FALSE;
    for (POSITION pos = m_pages.GetHeadPosition(); pos;) anyImage |= m_pages.GetNext(pos)->HasBitmap();
    if (anyImage) {
      WriteInt(ar, kTagImages);
      WriteInt(ar, 2 * m_imagePath.GetLength() + 8 * m_pageCount + 48);
      SerializeImage(ar);
    }
    WritePageRecords(ar);
    WriteInt(ar, kTagEnd);
    ClearUndoManager();
  } catch (CArchiveException* e) {
    if (e->m_cause != kSilentFailure) ReportPassedException(__FILE__, __LINE__, "CFolimarDoc::StoringSerialize");
    throw;
  } catch (CException*) {
    ReportPassedException(__FILE__, __LINE__, "CFolimarDoc::StoringSerialize");
    throw;
  }
}

void CFolimarDoc::WritePageRecords(CArchive& ar) {
  // Commands of the history may point at the deleted objects about to be destroyed: the history
  // goes first, so a save that fails later leaves nothing pointing at freed objects.
  ClearUndoManager();
  CFolimarView* view = GetFirstFolimarView();
  if (view != nullptr) view->DeactivateActiveObject();
  DoFieldsExchange(1);
  const DOC_OBJECT_SERVICES* services = GetDocObjectServices();
  int pageIndex = 0;
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos; ++pageIndex) {
    CPageInfo* page = m_pages.GetNext(pagePos);
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos;) {
      POSITION at = pos;
      CTranspBaseClass* object = page->m_objects.GetNext(pos);
      if (services->isDeleted(object)) {
        if (services->hasField(object)) DeleteDBField(at, pageIndex);
        page->m_objects.RemoveAt(at);
        services->destroy(object);
        continue;
      }
      const int tag = services->kindTag(object);
      if (tag == 0) continue;
      WriteInt(ar, tag);  // the object's record begins with its own length field
      services->serialize(object, ar);
      WriteStringToArchive(ar, services->getName(object));
    }
    if (page->m_eraseList.GetCount() > 0) {
      WriteInt(ar, kTagEraseList);
      page->m_eraseList.Serialize(ar, pageIndex);
    }
    if (page->m_hMetafile != nullptr) {
      const UINT size = GetEnhMetaFileBits(page->m_hMetafile, 0, nullptr);
      std::vector<BYTE> bits(size);
      if (size > 0 && GetEnhMetaFileBits(page->m_hMetafile, size, bits.data()) == size) {
        WriteInt(ar, kTagMetafile);
        WriteInt(ar, static_cast<int32_t>(size) + 4);
        WriteInt(ar, static_cast<int32_t>(size));
        WriteInt(ar, pageIndex);
        ar.Write(bits.data(), size);
        WriteInt(ar, page->m_imagePosition.x);
        WriteInt(ar, page->m_imagePosition.y);
      }
    }
    WriteInt(ar, kTagTable);
    WriteInt(ar, 0);
    WriteInt(ar, pageIndex);
    page->m_table.Serialize(ar);
  }
}

// ---- Page images -----------------------------------------------------------------------------------

void CFolimarDoc::SerializeImage(CArchive& ar) {
  if (ar.IsStoring()) {
    PAGE_IMAGE_SECTION_HEADER header = {};
    header.size = sizeof(header);
    header.version = kImageSectionVersion;
    header.unit = 0.00001;
    header.pageCount = m_pageCount;
    WriteInt(ar, sizeof(header));
    ar.Write(&header, sizeof(header));
    for (POSITION pos = m_pages.GetHeadPosition(); pos;) {
      CPageInfo* page = m_pages.GetNext(pos);
      WriteInt(ar, page->m_imagePosition.x);
      WriteInt(ar, page->m_imagePosition.y);
      std::vector<BYTE> png;
      if (page->m_pImageFileBytes != nullptr) {
        WriteInt(ar, 1);
        WriteInt(ar, page->m_imageFileSize);
        ar.Write(page->m_pImageFileBytes, static_cast<UINT>(page->m_imageFileSize));
        continue;
      }
      WriteInt(ar, 0);
      if (page->HasBitmap() && !SaveBitmapAsPng(*page->m_pBitmap, png)) {
        AppendErrorLog(L"CFolimarDoc::SerializeImage: a page image cannot be encoded");
        FailDocumentFile();
      }
      WriteInt(ar, static_cast<int32_t>(png.size()));
      if (!png.empty()) ar.Write(png.data(), static_cast<UINT>(png.size()));
    }
    for (POSITION pos = m_pages.GetHeadPosition(); pos;) m_pages.GetNext(pos)->m_imageChanged = 0;
    return;
  }

  const int32_t headerSize = ReadInt(ar);
  if (headerSize < static_cast<int32_t>(sizeof(PAGE_IMAGE_SECTION_HEADER)) || headerSize > kMaxImageSectionHeader) {
    AppendErrorLog(L"CFolimarDoc::SerializeImage: bad section header size");
    FailDocumentFile();
  }
  RequireBytes(ar, headerSize);
  std::vector<BYTE> headerBytes(headerSize);
  ReadArchiveExact(ar, headerBytes.data(), static_cast<UINT>(headerSize));
  PAGE_IMAGE_SECTION_HEADER header;
  memcpy(&header, headerBytes.data(), sizeof(header));
  if (header.version < 1 || header.version > kImageSectionVersion || header.pageCount < 0) {
    AppendErrorLog(L"CFolimarDoc::SerializeImage: unknown section version or bad page count");
    FailDocumentFile();
  }
  POSITION pagePos = m_pages.GetHeadPosition();
  for (int i = 0; i < header.pageCount && pagePos != nullptr; ++i) {
    CPageInfo* page = m_pages.GetNext(pagePos);
    page->m_imagePosition.x = ReadInt(ar);
    page->m_imagePosition.y = ReadInt(ar);
    if (header.version < 2) continue;
    const int32_t kind = header.version >= 3 ? ReadInt(ar) : 0;
    const int32_t size = ReadInt(ar);
    if (size == 0) continue;
    RequireBytes(ar, size);
    std::vector<BYTE> bytes(size);
    ReadArchiveExact(ar, bytes.data(), static_cast<UINT>(size));
    LMyBitmap* bitmap = LoadBitmapFromFileBytes(bytes.data(), static_cast<UINT>(size));
    if (bitmap == nullptr) FailDocumentFile();
    page->SetBitmap(bitmap);
    if (kind == 1)
      page->SetImageFileBytes(bytes.data(), static_cast<UINT>(size));
    else
      page->FreeImageFileBytes();
  }
  if (header.version == 1) {
    CString path;
    ReadStringAnsi(ar, path);
    if (!FileExists(path)) path = ExtractFilePath(ar.GetFile()->GetFilePath()) + ExtractFileName(path);
    m_imagePath = path;
  }
}

// ---- Reading ---------------------------------------------------------------------------------------

void CFolimarDoc::LoadingSerialize(CArchive& ar) {
  try {
    const CString ext = LowerFileExt(ar.GetFile()->GetFilePath());
    if (ext != L"qlm" && ext != L"rud" && ext != L"vyt") FailDocumentFile();
    // A merge keeps what the document holds already; only what the file adds is bounded by it.
    const ULONGLONG tableSlots =
        TableSlotsInUse() + std::max(kMinTableSlots, kTableSlotsPerByte * ar.GetFile()->GetLength());

    RequireBytes(ar, sizeof(DOC_FILE_HEADER));
    DOC_FILE_HEADER header;
    ReadArchiveExact(ar, &header, sizeof(header));
    if (memcmp(header.magic, "KTD", 3) != 0 && memcmp(header.magic, "QLM", 3) != 0)
      FailDocumentFile(IDS_NOT_A_DOCUMENT);
    const UINT version = header.version;
    // The versions that end the load go before anything else is taken from the file.
    if (version == 2) FailDocumentFile();
    if (version < 2) FailDocumentFile(IDS_WRONG_DOCUMENT_VERSION);
    m_unit = header.unit;
    m_printOffsetX = header.printOffsetX;
    m_printOffsetY = header.printOffsetY;
    m_imageOrigin = header.imageOrigin;
    m_loadedFromFile = 1;

    int fileCount = header.pageCount == 0 ? 1 : header.pageCount;
    if (fileCount < 0 || fileCount > kMaxPages) {
      AppendErrorLog(L"CFolimarDoc::LoadingSerialize: page count out of range");
      FailDocumentFile();
    }
    int wantedPages = fileCount;
    if (m_merge) {
      if (header.pageCount == 0 || header.pageCount == 1) {
        m_mergePageByPage = 0;
        wantedPages = std::max(m_pageCount, 1);
      } else if (header.pageCount != m_pageCount) {
        FailDocumentFile(IDS_TEMPLATE_PAGES_DIFFER);
      } else {
        m_mergePageByPage = 1;
      }
    }

    // Template flag, current record and the old block skipped by versions 7 to 18.
    BOOL isTemplate = FALSE, templateByExtension = FALSE;
    int32_t templateFlag = 0;
    if (version <= 6) {
      isTemplate = templateByExtension = ext == L"vyt";
    } else {
      templateFlag = ReadInt(ar);
      if (templateFlag != 0) {
        isTemplate = TRUE;
      } else {
        if (ext == L"vyt") {
          if (version >= 8) FailDocumentFile(IDS_NOT_A_TEMPLATE);
          isTemplate = templateByExtension = TRUE;
        }
        m_currentRecord = ReadInt(ar);
        if (version <= 18) {
          const int32_t skip = version <= 8 ? 32 : ReadInt(ar);
          RequireBytes(ar, skip);
          std::vector<BYTE> scratch(skip);
          if (skip > 0) ReadArchiveExact(ar, scratch.data(), static_cast<UINT>(skip));
        }
      }
    }

    if (version >= 18) {
      RequireBytes(ar, sizeof(m_options));
      ReadArchiveExact(ar, &m_options, sizeof(m_options));
    } else if (version >= 8) {
      RequireBytes(ar, sizeof(m_oldOptions));
      ReadArchiveExact(ar, &m_oldOptions, sizeof(m_oldOptions));
      ConvertOldOptions(m_oldOptions, m_options);
    }
    if (version > kFileVersion) {
      CString format, text;
      format.LoadString(IDS_NEWER_VERSION);
      wchar_t creator[_countof(m_options.creator) + 1] = {};
      memcpy(creator, m_options.creator, sizeof(m_options.creator));
      text.Format(format, creator);
      ErrorBox(static_cast<LPCTSTR>(text));
      FailDocumentFile();
    }

    if (version >= 10) {
      if (version >= 18) {
        ReadStringFromArchive(ar, m_connectString);
        ReadStringFromArchive(ar, m_tableName);
      } else {
        ReadStringAnsi(ar, m_connectString);
        ReadStringAnsi(ar, m_tableName);
      }
      CFieldLinkArray links;
      ReadFieldLinks(ar, links);
      m_fieldLinks.Append(links);
    }

    // Pages are made only once their settings are known to be in the file.
    const int settingsSize = version >= 22 ? 96 : version >= 14 ? 64 : 0;
    RequireBytes(ar, static_cast<LONGLONG>(settingsSize) * fileCount);
    CArray<int, int> fieldCounts;
    CreatePagesForLoad(wantedPages, fieldCounts);
    ReadPageSettings(ar, version, fileCount);

    for (;;) {
      const int32_t tag = ReadInt(ar);
      if (tag == kTagEnd) break;
      const int32_t length = ReadInt(ar);
      if (IsObjectTag(tag)) {
        ReadObjectRecord(ar, tag, version, templateFlag != 0, templateByExtension, fieldCounts, tableSlots);
        continue;
      }
      switch (tag) {
        case kTagImages: {
          const CString keptPath = m_imagePath;
          SerializeImage(ar);
          if (m_merge) m_imagePath = keptPath;
          break;
        }
        case kTagEraseListPage0: {
          CPageInfo* page = GetPage(0);
          if (page == nullptr) FailDocumentFile();
          page->m_eraseList.Serialize(ar, 0);
          break;
        }
        case kTagEraseList: {
          const ULONGLONG before = BytesLeft(ar);
          CPageInfo* page = GetPage(ReadInt(ar));
          if (page == nullptr) FailDocumentFile();
          page->m_eraseList.Serialize(ar, 0);
          // The length counts the page index, the count and the entries.
          if (before - BytesLeft(ar) != static_cast<ULONGLONG>(static_cast<uint32_t>(length))) FailDocumentFile();
          break;
        }
        case kTagTable:
          if (isTemplate) FailDocumentFile(IDS_TEMPLATE_CORRUPTED);
          ReadPageTable(ar, tableSlots);
          break;
        case kTagMetafile:
          ReadMetafileRecord(ar, length);
          break;
        default:
          // Tags of other versions: their payload is skipped whole, four bytes at a time.
          RequireBytes(ar, length);
          for (int32_t left = length; left > 0;) {
            BYTE scratch[4];
            const UINT step = static_cast<UINT>(std::min(left, 4));
            ReadArchiveExact(ar, scratch, step);
            left -= static_cast<int32_t>(step);
          }
          break;
      }
    }
    FinishLoad(version, isTemplate, fieldCounts, tableSlots);
  } catch (CArchiveException* e) {
    // The message the user sees names the file: the table and value readers below know no file.
    if (e->m_strFileName.IsEmpty()) e->m_strFileName = ar.GetFile()->GetFilePath();
    if (e->m_cause != kSilentFailure) ReportPassedException(__FILE__, __LINE__, "CFolimarDoc::LoadingSerialize");
    throw;
  } catch (CException*) {
    ReportPassedException(__FILE__, __LINE__, "CFolimarDoc::LoadingSerialize");
    throw;
  }
}

void CFolimarDoc::CreatePagesForLoad(int count, CArray<int, int>& fieldCounts) {
  for (POSITION pos = m_pages.GetHeadPosition(); pos;) fieldCounts.Add(m_pages.GetNext(pos)->m_table.GetFieldCount());
  while (m_pages.GetCount() < count) {
    AppendNewPage();
    fieldCounts.Add(0);
  }
  m_pageCount = static_cast<int>(m_pages.GetCount());
}

void CFolimarDoc::ReadPageSettings(CArchive& ar, UINT version, int fileCount) {
  // The pages are walked in step: looking each up by its index took a time that grew with the square
  // of the count, which a file of a few kilobytes can set to thousands.
  POSITION pagePos = m_pages.GetHeadPosition();
  for (int i = 0; i < fileCount; ++i) {
    _PAGE_SETTINGS settings;
    memset(&settings, 0, sizeof(settings));
    if (version <= 11) {
      DefaultPageSettings(settings, GetAppLanguageId());
    } else if (version <= 13) {
      settings.orientation = m_options.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
      settings.paperIndex = m_options.paperIndex;
      settings.paperSize = m_options.paperSizeCode;
      settings.printQuality = m_options.printQuality;
      settings.yResolution = m_options.yResolution;
      settings.width = m_options.paperWidth;
      settings.height = m_options.paperHeight;
      lstrcpynW(settings.formName, m_options.paperFormName, _countof(settings.formName));
    } else if (version <= 21) {
      _OLD_PAGE_SETTINGS old;
      ReadArchiveExact(ar, &old, sizeof(old));
      settings.width = old.width;
      settings.height = old.height;
      settings.paperIndex = old.paperIndex;
      settings.orientation = old.orientation;
      settings.paperSize = old.paperSize;
      settings.printQuality = old.printQuality;
      settings.yResolution = old.yResolution;
      ConvertAnsi(old.formName, settings.formName);
    } else {
      ReadArchiveExact(ar, &settings, sizeof(settings));
    }
    CPageInfo* page = pagePos != nullptr ? m_pages.GetNext(pagePos) : nullptr;
    if (page != nullptr) page->m_settings = settings;
  }
}

void CFolimarDoc::ReadObjectRecord(CArchive& ar, int tag, UINT version, BOOL templateFlagSet,
                                   BOOL templateByExtension, CArray<int, int>& fieldCounts, ULONGLONG tableSlots) {
  const DOC_OBJECT_SERVICES* services = GetDocObjectServices();
  CTranspBaseClass* object = services->create(tag, this);
  if (object == nullptr) {
    CString text;
    text.Format(L"CFolimarDoc: an object of kind %d cannot be read", tag);
    AppendErrorLog(text);
    FailDocumentFile();
  }
  try {
    services->serialize(object, ar);
  } catch (...) {
    services->destroy(object);
    throw;
  }
  const BOOL hasField = services->hasField(object);
  const int pageIndex = services->getPageIndex(object);
  if ((hasField && (pageIndex < 0 || pageIndex >= m_pageCount)) || !AddObjectToList(object)) {
    services->destroy(object);
    AppendErrorLog(L"CFolimarDoc: an object names a page the document does not have");
    FailDocumentFile();
  }
  if (hasField) fieldCounts[pageIndex] += 1;

  CString name;
  BOOL nameRead = FALSE;
  if (version >= 7 && !templateFlagSet) {
    if (version >= 18)
      ReadStringFromArchive(ar, name);
    else
      ReadStringAnsi(ar, name);
    nameRead = TRUE;
  }
  if (m_options.registerStoredNames == 0 && nameRead && !templateByExtension) {
    services->setName(object, name);
    return;
  }
  if (!nameRead || templateByExtension) name = services->uniqueName(this, object);
  services->setName(object, name);
  CPageInfo* page = GetPage(pageIndex);
  if (!hasField || page == nullptr) return;
  // The new column has a cell in every record the page's table holds already.
  if (TableSlotsInUse() + static_cast<ULONGLONG>(page->m_table.GetRecordCount()) > tableSlots)
    FailOverBound(L"a field's column");
  page->m_table.AddField(name);
}

void CFolimarDoc::ReadMetafileRecord(CArchive& ar, int length) {
  const int32_t size = ReadInt(ar);
  CPageInfo* page = GetPage(ReadInt(ar));
  if (page == nullptr) FailDocumentFile();
  if (static_cast<LONGLONG>(length) - 4 != size) FailDocumentFile(IDS_WRONG_DOCUMENT_VERSION);
  if (size <= 0) FailDocumentFile();
  RequireBytes(ar, static_cast<LONGLONG>(size) + 8);
  std::vector<BYTE> bits(size);
  ReadArchiveExact(ar, bits.data(), static_cast<UINT>(size));
  if (!IsWholeEnhancedMetafile(bits)) {
    AppendErrorLog(L"CFolimarDoc: metafile bits without their header were refused");
    FailDocumentFile();
  }
  HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(size), bits.data());
  if (metafile == nullptr) FailDocumentFile();
  page->SetMetafile(metafile);
  page->m_imagePosition.x = ReadInt(ar);
  page->m_imagePosition.y = ReadInt(ar);
}

ULONGLONG CFolimarDoc::TableSlotsInUse() const {
  ULONGLONG slots = 0;
  for (POSITION pos = m_pages.GetHeadPosition(); pos;) slots += TableSlots(m_pages.GetNext(pos)->m_table);
  return slots;
}

void CFolimarDoc::ReadPageTable(CArchive& ar, ULONGLONG tableSlots) {
  CPageInfo* page = GetPage(ReadInt(ar));
  if (page == nullptr) FailDocumentFile();
  const ULONGLONG others = TableSlotsInUse() - TableSlots(page->m_table);
  const ULONGLONG left = tableSlots > others ? tableSlots - others : 0;
  if (page->m_table.GetFieldCount() == 0) {
    page->m_table.Load(ar, left);
    if (TableSlots(page->m_table) > left) FailOverBound(L"a page table");
    return;
  }
  CDynTable table;
  table.Load(ar, left);
  // Appending gives every record of both tables the cells of both.
  const ULONGLONG records =
      static_cast<ULONGLONG>(std::max(page->m_table.GetRecordCount(), table.GetRecordCount()));
  const ULONGLONG fields =
      static_cast<ULONGLONG>(page->m_table.GetFieldCount()) + static_cast<ULONGLONG>(table.GetFieldCount());
  if (TableSlots(records, fields) > left) FailOverBound(L"a page table appended to another");
  page->m_table.Append(table);
}

void CFolimarDoc::FinishLoad(UINT version, BOOL isTemplate, CArray<int, int>& fieldCounts, ULONGLONG tableSlots) {
  // Files up to version 5 name their page image file instead of holding it: every page of it is
  // opened again, and the pages it adds have no fields yet.
  if (version <= 5 && !m_imagePath.IsEmpty() && OpenImage(m_imagePath) != 1) FailDocumentFile();
  while (fieldCounts.GetSize() < m_pages.GetCount()) fieldCounts.Add(0);
  int largest = 0;
  int index = 0;
  for (POSITION pos = m_pages.GetHeadPosition(); pos; ++index) {
    CDynTable& table = m_pages.GetNext(pos)->m_table;
    while (table.GetFieldCount() > fieldCounts[index]) table.RemoveField(table.GetFieldCount() - 1);
    largest = std::max(largest, table.GetRecordCount());
  }
  // A document has one record at least.
  largest = std::max(largest, 1);
  // Padding gives every page that many records, and the field exchange gives each page a column per
  // field: what the tables will hold is known before any of it is made.
  ULONGLONG padded = 0;
  for (INT_PTR p = 0; p < fieldCounts.GetSize(); ++p)
    padded += TableSlots(static_cast<ULONGLONG>(largest), static_cast<ULONGLONG>(std::max(fieldCounts[p], 0)));
  if (padded > tableSlots) FailOverBound(L"the padded page tables");
  for (POSITION pos = m_pages.GetHeadPosition(); pos;) {
    CDynTable& table = m_pages.GetNext(pos)->m_table;
    while (table.GetRecordCount() < largest) table.InsertRecord(-1);
  }
  // A current record that the tables do not have would index past them.
  if (m_currentRecord < 0 || m_currentRecord >= largest) m_currentRecord = 0;
  if (!isTemplate) CorrectBug();
  if (m_options.registerStoredNames == 0 && version >= 7 && !isTemplate) {
    DoFieldsExchange(0);
  } else {
    CorrectFieldsCount();
    DoFieldsExchange(1);
  }
  if (version >= 16 && version <= 25) ConvertFormatsAndFormulasForPreviousVersion();
  Calculate();
}
