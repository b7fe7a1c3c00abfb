// Putting entities that one command drew into one new group of the working
// drawing, so that the user can pick them up and erase or move them as a
// whole. The group is named by a fresh GUID text, which never clashes with
// a group the user named.
#pragma once

#include "db/AcDbObjectId.h"

// False (and no group) when the drawing's group dictionary cannot be opened
// for write or the group cannot be filed in it; true otherwise. The group
// takes the ids in order up to the first that is not a live entity of the
// drawing.
bool CreateEntityGroup(const AcDbObjectIdArray& ids);
