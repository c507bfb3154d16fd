#include "TranspBlock.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "ErrorLog.h"
#include "ObjectKinds.h"
#include "TranspText.h"

namespace {

// The size a member's object data states, when that size is sound: at least the common head and
// within the memory of its block. 0 otherwise.
uint32_t SoundMemberSize(HGLOBAL data) {
  if (data == nullptr) return 0;
  const SIZE_T blockSize = ::GlobalSize(data);
  const void* p = ::GlobalLock(data);
  if (p == nullptr) return 0;
  int32_t stated = 0;
  if (blockSize >= sizeof(stated)) std::memcpy(&stated, p, sizeof(stated));
  ::GlobalUnlock(data);
  if (stated < static_cast<int32_t>(sizeof(TRANSP_DATA_HEAD)) || static_cast<SIZE_T>(stated) > blockSize) return 0;
  return static_cast<uint32_t>(stated);
}

}  // namespace

CTranspBlock::CTranspBlock(CWnd* view, int pageIndex) : CTranspGraphClass(view, pageIndex) {
  // The lists grow by ten members at a time, as many as a typical selection holds.
  m_handles.reserve(10);
  m_displacements.reserve(10);
}

CTranspBlock::~CTranspBlock() {
  for (HGLOBAL data : m_handles) ::GlobalFree(data);
}

BOOL CTranspBlock::AddToHandlesList(HGLOBAL data) {
  DEF_TRY
  if (SoundMemberSize(data) == 0) {
    AppendErrorLog(L"TranspBlock: a member whose object data is broken was not taken into the group");
    return FALSE;
  }
  m_handles.push_back(data);
  return TRUE;
  DEF_CATCH("CTranspBlock::AddToHandlesList")
  return FALSE;
}

BOOL CTranspBlock::AddMember(HGLOBAL data, int x, int y) {
  DEF_TRY
  if (SoundMemberSize(data) == 0) {
    AppendErrorLog(L"TranspBlock: a member whose object data is broken was not taken into the group");
    return FALSE;
  }
  // Room first, so that neither list grows without the other.
  m_handles.reserve(m_handles.size() + 1);
  m_displacements.reserve(m_displacements.size() + 1);
  m_displacements.push_back(POINT{x, y});
  m_handles.push_back(data);
  return TRUE;
  DEF_CATCH("CTranspBlock::AddMember")
  return FALSE;
}

BOOL CTranspBlock::AddToDisplacementsList(int x, int y) {
  DEF_TRY
  m_displacements.push_back(POINT{x, y});
  return TRUE;
  DEF_CATCH("CTranspBlock::AddToDisplacementsList")
  return FALSE;
}

HGLOBAL CTranspBlock::GetObData() {
  DEF_TRY
  // Each member is written with its displacement; a member without one would pair the reader's
  // members with the wrong places, or the writer would read past its list.
  if (m_handles.size() != m_displacements.size()) {
    AppendErrorLog(L"TranspBlock: the group's members and displacements do not pair up; nothing was packed");
    return nullptr;
  }
  std::vector<uint32_t> sizes(m_handles.size());
  uint64_t total = sizeof(TRANSP_BLOCK_HEAD);
  for (size_t i = 0; i < m_handles.size(); ++i) {
    sizes[i] = SoundMemberSize(m_handles[i]);
    if (sizes[i] == 0) {
      AppendErrorLog(L"TranspBlock: a member's object data is broken; nothing was packed");
      return nullptr;
    }
    total += sizes[i] + sizeof(TRANSP_BLOCK_DISPLACEMENT);
  }
  if (total > INT32_MAX) {
    AppendErrorLog(L"TranspBlock: the group is too large for one block; nothing was packed");
    return nullptr;
  }
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(total));
  if (block == nullptr) return nullptr;
  BYTE* out = static_cast<BYTE*>(::GlobalLock(block));
  if (out == nullptr) {
    ::GlobalFree(block);
    return nullptr;
  }
  const TRANSP_BLOCK_HEAD head = {static_cast<int32_t>(total), DATA_TYPE_GROUP, static_cast<int32_t>(m_handles.size())};
  std::memcpy(out, &head, sizeof(head));
  size_t at = sizeof(head);
  for (size_t i = 0; i < m_handles.size(); ++i) {
    const void* member = ::GlobalLock(m_handles[i]);
    if (member == nullptr) {
      ::GlobalUnlock(block);
      ::GlobalFree(block);
      AppendErrorLog(L"TranspBlock: a member's object data cannot be read; nothing was packed");
      return nullptr;
    }
    std::memcpy(out + at, member, sizes[i]);
    ::GlobalUnlock(m_handles[i]);
    at += sizes[i];
    const TRANSP_BLOCK_DISPLACEMENT d = {m_displacements[i].x, m_displacements[i].y};
    std::memcpy(out + at, &d, sizeof(d));
    at += sizeof(d);
  }
  ::GlobalUnlock(block);
  return block;
  DEF_CATCH("CTranspBlock::GetObData")
  return nullptr;
}

void CTranspBlock::Draw(CDC* dc, int print, POINT* dpi) {
  (void)dc;
  (void)print;
  (void)dpi;
}

int CTranspBlock::GetObjectKind() { return 0; }

namespace {
// The object's align rectangle by its top-left corner, as a paste places its data: a box stored
// with its corners swapped (damaged data, a drag to the upper left) once got a displacement from the
// wrong corner and came out elsewhere each time it was copied and pasted again.
RECT PastedBox(CTranspBaseClass* object) {
  RECT r;
  object->GetAlignRect(&r);
  return NormalizedRect(r);
}
}  // namespace

RECT FillBlockFromSelection(CTranspBlock& block, const CTranspObjectList& objects) {
  RECT frame = {0, 0, 0, 0};
  DEF_TRY
  bool first = true;
  for (POSITION pos = objects.GetHeadPosition(); pos != nullptr;) {
    CTranspBaseClass* object = objects.GetNext(pos);
    if (object == nullptr || !object->IsSelected() || object->IsDeleted()) continue;
    const RECT r = PastedBox(object);
    if (first) {
      frame = r;
      first = false;
      continue;
    }
    frame.left = std::min(frame.left, r.left);
    frame.top = std::min(frame.top, r.top);
    frame.right = std::max(frame.right, r.right);
    frame.bottom = std::max(frame.bottom, r.bottom);
  }
  for (POSITION pos = objects.GetHeadPosition(); pos != nullptr;) {
    CTranspBaseClass* object = objects.GetNext(pos);
    if (object == nullptr || !object->IsSelected() || object->IsDeleted()) continue;
    const RECT r = PastedBox(object);
    HGLOBAL data = object->GetObData();
    if (data == nullptr) continue;
    int dx = r.left - frame.left, dy = r.top - frame.top;
    // The paste places a circle's data by its centre and a text's at its own point, its first baseline.
    int32_t type = 0, radius = 0;
    if (const BYTE* p = static_cast<const BYTE*>(::GlobalLock(data))) {
      std::memcpy(&type, p + offsetof(TRANSP_DATA_HEAD, type), sizeof(type));
      if (type == DATA_TYPE_CIRCLE && ::GlobalSize(data) >= sizeof(TRANSP_DATA_HEAD) + sizeof(radius))
        std::memcpy(&radius, p + sizeof(TRANSP_DATA_HEAD), sizeof(radius));
      ::GlobalUnlock(data);
    }
    if (type == DATA_TYPE_CIRCLE) {
      dx += radius;
      dy += radius;
    } else if (type == DATA_TYPE_TEXT || type == DATA_TYPE_LABEL) {
      // A text is placed at its own point. Its align rectangle is measured in view pixels and follows
      // its alignment, so deriving the point from it moved a right-aligned text or drifted by a
      // rounding on every copy.
      if (CTranspText* text = dynamic_cast<CTranspText*>(object)) {
        const POINT at = text->GetPosition();
        dx = at.x - frame.left;
        dy = at.y - frame.top;
      }
    }
    if (!block.AddMember(data, dx, dy)) ::GlobalFree(data);
  }
  DEF_CATCH("FillBlockFromSelection")
  return frame;
}

BOOL ReadBlockMembers(HGLOBAL block, std::vector<TRANSP_BLOCK_MEMBER>& members) {
  members.clear();
  DEF_TRY
  if (block == nullptr) return FALSE;
  const SIZE_T blockSize = ::GlobalSize(block);
  const BYTE* p = static_cast<const BYTE*>(::GlobalLock(block));
  if (p == nullptr) {
    AppendErrorLog(L"TranspBlock: a group block that cannot be read was refused");
    return FALSE;
  }
  // Walk the whole block first; members are copied only once every size is known to fit.
  struct SPAN {
    size_t at;
    uint32_t size;
  };
  std::vector<SPAN> spans;
  LPCWSTR fault = nullptr;
  TRANSP_BLOCK_HEAD head = {};
  if (blockSize < sizeof(head)) {
    fault = L"TranspBlock: a group block shorter than its head was refused";
  } else {
    std::memcpy(&head, p, sizeof(head));
    const size_t end = static_cast<size_t>(head.totalSize);
    const size_t minMember = sizeof(TRANSP_DATA_HEAD) + sizeof(TRANSP_BLOCK_DISPLACEMENT);
    if (head.type != DATA_TYPE_GROUP) {
      fault = L"TranspBlock: object data that is not a group was refused";
    } else if (head.totalSize < static_cast<int32_t>(sizeof(head)) || end > blockSize) {
      fault = L"TranspBlock: a group block stating a size beyond its memory was refused";
    } else if (head.count < 0 || static_cast<size_t>(head.count) > (end - sizeof(head)) / minMember) {
      fault = L"TranspBlock: a group block counting more members than it holds was refused";
    } else {
      size_t at = sizeof(head);
      for (int32_t i = 0; i < head.count; ++i) {
        // Every member needs at least the common head and its displacement; one smaller than the
        // head would not even advance the walk.
        int32_t size = 0;
        if (end - at >= minMember) std::memcpy(&size, p + at, sizeof(size));
        if (size < static_cast<int32_t>(sizeof(TRANSP_DATA_HEAD)) ||
            static_cast<size_t>(size) > end - at - sizeof(TRANSP_BLOCK_DISPLACEMENT)) {
          fault = L"TranspBlock: a group block whose member runs past its end was refused";
          break;
        }
        spans.push_back({at, static_cast<uint32_t>(size)});
        at += static_cast<size_t>(size) + sizeof(TRANSP_BLOCK_DISPLACEMENT);
      }
    }
  }
  if (fault != nullptr) {
    ::GlobalUnlock(block);
    AppendErrorLog(fault);
    return FALSE;
  }
  for (const SPAN& span : spans) {
    TRANSP_BLOCK_MEMBER member = {};
    std::memcpy(&member.type, p + span.at + offsetof(TRANSP_DATA_HEAD, type), sizeof(member.type));
    TRANSP_BLOCK_DISPLACEMENT d;
    std::memcpy(&d, p + span.at + span.size, sizeof(d));
    member.displacement = POINT{d.dx, d.dy};
    member.data = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, span.size);
    void* out = member.data != nullptr ? ::GlobalLock(member.data) : nullptr;
    if (out == nullptr) {
      if (member.data != nullptr) ::GlobalFree(member.data);
      ::GlobalUnlock(block);
      FreeBlockMembers(members);
      AppendErrorLog(L"TranspBlock: no memory for a member of a group block");
      return FALSE;
    }
    std::memcpy(out, p + span.at, span.size);
    ::GlobalUnlock(member.data);
    members.push_back(member);
  }
  ::GlobalUnlock(block);
  return TRUE;
  DEF_CATCH("ReadBlockMembers")
  FreeBlockMembers(members);
  return FALSE;
}

void FreeBlockMembers(std::vector<TRANSP_BLOCK_MEMBER>& members) {
  for (TRANSP_BLOCK_MEMBER& member : members) ::GlobalFree(member.data);
  members.clear();
}

BOOL UnpackBlock(HGLOBAL block, CWnd* view, int x, int y, int pageIndex, std::vector<CTranspBaseClass*>& created) {
  created.clear();
  std::vector<TRANSP_BLOCK_MEMBER> members;
  DEF_TRY
  if (!ReadBlockMembers(block, members)) return FALSE;
  for (const TRANSP_BLOCK_MEMBER& member : members) {
    // A group never holds a group; one that does is not ours, and following it could recurse without end.
    if (member.type == DATA_TYPE_GROUP) {
      AppendErrorLog(L"TranspBlock: a group inside a group was not pasted");
      continue;
    }
    // Displacements come from outside: one that carries the member farther than any object reaches
    // is not pasted. Within 32 bits was not enough: the member's own extent added to it overflowed.
    const int64_t px = static_cast<int64_t>(x) + member.displacement.x;
    const int64_t py = static_cast<int64_t>(y) + member.displacement.y;
    const auto tooFar = [](int32_t d) { return d < -MAX_OBJECT_EXTENT || d > MAX_OBJECT_EXTENT; };
    if (tooFar(member.displacement.x) || tooFar(member.displacement.y) || px < INT32_MIN || px > INT32_MAX ||
        py < INT32_MIN || py > INT32_MAX) {
      AppendErrorLog(L"TranspBlock: a member displaced off the page's coordinates was not pasted");
      continue;
    }
    created.reserve(created.size() + 1);
    CTranspBaseClass* object = CreateTranspFromData(view, member.data, static_cast<int>(px), static_cast<int>(py), pageIndex);
    if (object != nullptr) created.push_back(object);
  }
  FreeBlockMembers(members);
  return TRUE;
  DEF_CATCH("UnpackBlock")
  FreeBlockMembers(members);
  for (CTranspBaseClass* object : created) delete object;
  created.clear();
  return FALSE;
}
