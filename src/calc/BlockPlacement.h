#pragma once
// The group the block dialog adds to the plan: a rectangular block, continuous
// lines or luminaires on a circle, as the dialog composes it from its fields.

#include "base/Result.h"
#include "calc/BlockLayout.h"
#include "project/ProjectDocument.h"

#include <vector>

namespace lumivar {

enum class BlockMode { Block = 0, Lines = 1, Circle = 2 };

struct BlockGroup {
    BlockMode Mode = BlockMode::Block;
    // Block and lines: row i, column k at (StartX + k * StepX, StartY + i * StepY),
    // angle AngleStart + AngleStep * (i * Cols + k).
    int Rows = 0;
    int Cols = 0;
    double StartX = 0, StepX = 0, StartY = 0, StepY = 0; // metres
    double AngleStart = 0, AngleStep = 0; // degrees
    // Circle: used only once CircleReady.
    CircleLayout Circle;
    bool CircleReady = false;
};

// Continuous lines as a block: horizontal lines run along x with perLine
// luminaires luminaireLength apart and the lines delta apart along y; vertical
// lines the other way round. All luminaires at angle.
BlockGroup LinesGroup(LineOrientation orientation, double startX, double startY, int perLine, int lines, double delta,
                      double luminaireLength, double angle);

// Positions of the group in the room: block and lines row by row (none when Rows
// or Cols is below 1 or they give more than kMaxGroupLuminaires); circle positions outside 0..Length x 0..Width are
// left out (none until CircleReady), and angles are kept below 360.
std::vector<LayoutPosition> GroupPositions(const BlockGroup& group, const TDadosProjecto& room);

// Appends the group's luminaires of reference refIndex at mounting height z after
// the luminaires already on the plan, numbering on. Returns the number added.
Result<int> ApplyBlock(ProjectDocument& document, int refIndex, float z, const BlockGroup& group);

} // namespace lumivar
