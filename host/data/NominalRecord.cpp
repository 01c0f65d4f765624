#include "host/data/NominalRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {kNominalCode, kNominalName, kNominalAccountKind, kNominalBalance};

}  // namespace

const Layout kNominalLayout{"nominal", kNominalLength, kFields};

}  // namespace kelo
