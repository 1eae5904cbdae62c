// The Windows families that moritelda tells apart by the version number; the
// taskbar's button control differs between them.
#pragma once

#include <cstdint>

namespace moritelda {

enum OsKind : std::int32_t {
    OsKindOther = 0,  // Windows 2000, and every family not told apart below
    OsKindXp = 1,     // NT 5.1 to 5.x
    OsKindVista = 2,  // NT 6.x
};

}  // namespace moritelda
