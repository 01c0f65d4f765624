#include "host/data/DepartmentRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {kDepartmentUserReference, kDepartmentName};

}  // namespace

const Layout kDepartmentLayout{"department", kDepartmentLength, kFields};

}  // namespace kelo
