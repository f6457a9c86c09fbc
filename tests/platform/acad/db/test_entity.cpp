#include "unknown_entity_for_tests.h"

ACRX_NO_CONS_DEFINE_MEMBERS(TestEntity, AcDbEntity)
