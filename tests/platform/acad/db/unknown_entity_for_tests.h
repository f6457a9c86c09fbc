// The simplest entity there is, for tests of the database machinery that must not
// depend on any real entity class.
#pragma once

#include "dbmain.h"

class TestEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(TestEntity);
};
