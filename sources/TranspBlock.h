// A group of objects packed into one object-data block, so that a multiple selection goes to the
// clipboard, into a drag or onto the shelf in one piece and comes back in the same arrangement. The
// view builds one for a single copy, drag or shelf operation and drops it at once: it is never drawn,
// never in a page's list and never stored in a document.
#pragma once
#include "TranspGraphClass.h"

#include <cstdint>
#include <vector>

// The group block: this head, then per member its whole object data (its first int32 is its own
// size) followed by its displacement x and y (int32, units). No version, no inches-per-unit of its
// own: each member carries its own.
#pragma pack(push, 4)
struct TRANSP_BLOCK_HEAD {
  int32_t totalSize;  // 12 + the sum over members of (member size + 8)
  int32_t type;       // DATA_TYPE_GROUP
  int32_t count;
};
static_assert(sizeof(TRANSP_BLOCK_HEAD) == 12, "group block head is 12 bytes");
struct TRANSP_BLOCK_DISPLACEMENT {
  int32_t dx;
  int32_t dy;
};
static_assert(sizeof(TRANSP_BLOCK_DISPLACEMENT) == 8, "a displacement is 8 bytes");
#pragma pack(pop)

class CTranspBlock : public CTranspGraphClass {
 public:
  CTranspBlock(CWnd* view, int pageIndex);
  // Frees every member's data.
  ~CTranspBlock() override;

  // Takes over a member's object data. A block that is not object data (null, unlockable, or whose
  // stated size is below the common head or beyond the memory it has) is refused, logged and left
  // with the caller: packing it would copy bytes the member does not have. Returns TRUE when taken.
  BOOL AddToHandlesList(HGLOBAL data);
  // The member's place relative to the group's paste point, in units.
  BOOL AddToDisplacementsList(int x, int y);

  // Both at once, so that the two lists always pair up; the same check as AddToHandlesList.
  BOOL AddMember(HGLOBAL data, int x, int y);

  // Slot 42: the group block in a new movable, zeroed block (the members stay with the group). NULL
  // when it cannot be allocated or when members and displacements do not pair up.
  HGLOBAL GetObData() override;
  void Draw(CDC* dc, int print, POINT* dpi) override;  // nothing: a group is never on a page
  int GetObjectKind() override;                        // 0

  int GetMemberCount() const { return static_cast<int>(m_handles.size()); }

 private:
  std::vector<HGLOBAL> m_handles;
  std::vector<POINT> m_displacements;
};

// Fills `block` from the selected, not deleted objects of `objects` in list order, each displaced
// from the top-left of their common align frame as a paste of its data expects (a circle's data is
// placed by its centre, a text's by its first baseline). Returns the frame (units); empty when
// nothing is selected.
RECT FillBlockFromSelection(CTranspBlock& block, const CTranspObjectList& objects);

// One member of a group block as its reader sees it.
struct TRANSP_BLOCK_MEMBER {
  HGLOBAL data;  // a copy of the member's object data; the caller frees it
  int32_t type;  // the member's type code
  POINT displacement;
};

// Splits a group block into copies of its members. The whole block is checked before anything is
// handed out: a head, count, member size or displacement that does not fit the stated size or the
// memory the block has refuses the block (logged, `members` left empty) and returns FALSE.
BOOL ReadBlockMembers(HGLOBAL block, std::vector<TRANSP_BLOCK_MEMBER>& members);
void FreeBlockMembers(std::vector<TRANSP_BLOCK_MEMBER>& members);

// Rebuilds the members of a group block for page `pageIndex` of `view`, each at (x, y) plus its
// displacement (units), in block order, through the program's kinds. A member of a kind that cannot
// be pasted (an unknown code, a picture or barcode not built here, a group inside a group) is
// skipped and logged. The caller owns what `created` holds. FALSE for a block ReadBlockMembers
// refuses; `created` then stays empty.
BOOL UnpackBlock(HGLOBAL block, CWnd* view, int x, int y, int pageIndex, std::vector<CTranspBaseClass*>& created);
