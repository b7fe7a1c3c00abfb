#include "ErrorStatus.h"

namespace Acad {
const char* statusText(ErrorStatus es) {
  switch (es) {
    case eOk: return "eOk";
    case eNotImplementedYet: return "eNotImplementedYet";
    case eNotApplicable: return "eNotApplicable";
    case eInvalidInput: return "eInvalidInput";
    case eAmbiguousInput: return "eAmbiguousInput";
    case eAmbiguousOutput: return "eAmbiguousOutput";
    case eOutOfMemory: return "eOutOfMemory";
    case eBufferTooSmall: return "eBufferTooSmall";
    case eInvalidOpenState: return "eInvalidOpenState";
    case eEntityInInactiveLayout: return "eEntityInInactiveLayout";
    case eDuplicateKey: return "eDuplicateKey";
    case eInvalidKey: return "eInvalidKey";
    case eInvalidIndex: return "eInvalidIndex";
    case eDuplicateIndex: return "eDuplicateIndex";
    case eNotInDatabase: return "eNotInDatabase";
    case eKeyNotFound: return "eKeyNotFound";
    case eWasErased: return "eWasErased";
    case eWasOpenForRead: return "eWasOpenForRead";
    case eWasOpenForWrite: return "eWasOpenForWrite";
    case eWasNotOpenForWrite: return "eWasNotOpenForWrite";
    case eNullObjectId: return "eNullObjectId";
    case eWrongObjectType: return "eWrongObjectType";
    case eNotThatKindOfClass: return "eNotThatKindOfClass";
    case eWrongDatabase: return "eWrongDatabase";
    case eDegenerateGeometry: return "eDegenerateGeometry";
    case eInvalidExtents: return "eInvalidExtents";
    case eFileNotFound: return "eFileNotFound";
    case eFileAccessErr: return "eFileAccessErr";
    case eDwgNeedsRecovery: return "eDwgNeedsRecovery";
    case eBadDxfSequence: return "eBadDxfSequence";
    case eAtMaxReaders: return "eAtMaxReaders";
    case eNoIntersections: return "eNoIntersections";
    case eNullEntityPointer: return "eNullEntityPointer";
    case eDuplicateRecordName: return "eDuplicateRecordName";
    case eHandleExists: return "eHandleExists";
    case eInvalidDxfCode: return "eInvalidDxfCode";
    case eIllegalReplacement: return "eIllegalReplacement";
    case eAlreadyInDb: return "eAlreadyInDb";
    case eNotOpenForWrite: return "eNotOpenForWrite";
    case eLockViolation: return "eLockViolation";
    case eNoDocument: return "eNoDocument";
    case eUnbalancedStack: return "eUnbalancedStack";
    case eInvalidResBuf: return "eInvalidResBuf";
    case eUndefinedLineType: return "eUndefinedLineType";
    case eLoadFailed: return "eLoadFailed";
  }
  return "unknown status";
}
}  // namespace Acad
