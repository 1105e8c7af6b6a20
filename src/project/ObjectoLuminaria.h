#pragma once
// One luminaire placed on the plan.

#include "photometry/RefLuminaria.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace lumivar {

// The project's reference list owns its references; pointers to them stay valid
// while the list grows.
using RefList = std::vector<std::unique_ptr<TRefLuminaria>>;

struct TObjectoLuminaria {
    std::int32_t RefIndex = -1; // index into the project's references; -1 none
    const TRefLuminaria* Ref = nullptr; // resolved from RefIndex; not owned, not saved
    float X = 0, Y = 0; // plan position, metres
    float Z = 0; // mounting height, metres
    float SizeA = 0, SizeB = 0, SizeC = 0, SizeD = 0; // reference body C, L, A, D in metres; not saved
    float Angle = 0; // plan rotation, degrees
    std::int32_t Number = 0;

    // Points at refs[index] (or at nothing when index is out of range) and takes the
    // reference's body dimensions in metres. Does not touch the use count.
    void Attach(const RefList& refs, std::int32_t index);
};

} // namespace lumivar
