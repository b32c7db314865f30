#pragma once
// The three tables of a loaded skin and the lookups that turn section and piece names into their
// indexes. Names compare exactly; -1 means "not found". Pure: no windows.h.
#include <string_view>

#include "skin/engine/sMaskData.h"

struct TsSkinTables {
  TsGeneralDataArray Sections;
  TsMaskArray Masks;
  TsPatternArray Patterns;
};

// The first section row named Name.
int GetSkinIndex(const TsSkinTables& Tables, std::string_view Name);
// A piece of the section or, when it has none of that name, of its ancestors along ParentClass. A
// chain that comes back to a section it passed answers -1.
int GetMaskIndex(const TsSkinTables& Tables, int SkinIndex, std::string_view SkinSection, std::string_view Mask);
// The same, counting only textures (ImgType 1).
int GetTextureIndex(const TsSkinTables& Tables, int SkinIndex, std::string_view SkinSection, std::string_view Mask);
// The same over the pattern table.
int GetPatternIndex(const TsSkinTables& Tables, int SkinIndex, std::string_view SkinSection,
                    std::string_view Pattern);
// The first piece of exactly that section and name, without inheritance.
int FindMaskIndex(const TsSkinTables& Tables, std::string_view SkinSection, std::string_view Mask);

bool IsValidSkinIndex(const TsSkinTables& Tables, int Index);
bool IsValidMaskIndex(const TsSkinTables& Tables, int Index);

// Border width of a side of a piece: its own width when above 0, else BorderWidth when at least 1,
// else the whole image width (left, right) or height (top, bottom). 0 for an index out of the table.
int MaskBorderLeft(const TsSkinTables& Tables, int MaskIndex);
int MaskBorderTop(const TsSkinTables& Tables, int MaskIndex);
int MaskBorderRight(const TsSkinTables& Tables, int MaskIndex);
int MaskBorderBottom(const TsSkinTables& Tables, int MaskIndex);

// Border, corner image and texture indexes of every section but "GLOBALINFO".
void ResolveSectionPieces(TsSkinTables& Tables);
TsCommonIndexes ResolveCommonIndexes(const TsSkinTables& Tables);
