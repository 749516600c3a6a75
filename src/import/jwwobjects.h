#pragma once

// The object list of a JWW file: entity records and block definitions, each introduced by a
// class tag of the archive scheme that the file follows.

#include "import/ByteReader.h"
#include "import/jwwunit.h"

namespace kyrovane::jwwunit {

// Reads the object list into the tables of data (which start empty); throws EReadError when
// the list is damaged or ends before the objects it declares.
void ReadObjectList(ByteReader& reader, JwwData& data);

}  // namespace kyrovane::jwwunit
