#include "calc/BlockPlacement.h"

#include "calc/LuminairePlacement.h"

namespace lumivar {

BlockGroup LinesGroup(LineOrientation orientation, double startX, double startY, int perLine, int lines, double delta,
                      double luminaireLength, double angle)
{
    BlockGroup group;
    group.Mode = BlockMode::Lines;
    if (orientation == LineOrientation::Horizontal) {
        group.Cols = perLine;
        group.Rows = lines;
        group.StepX = luminaireLength;
        group.StepY = delta;
    } else {
        group.Cols = lines;
        group.Rows = perLine;
        group.StepX = delta;
        group.StepY = luminaireLength;
    }
    group.StartX = startX;
    group.StartY = startY;
    group.AngleStart = angle;
    group.AngleStep = 0;
    return group;
}

std::vector<LayoutPosition> GroupPositions(const BlockGroup& group, const TDadosProjecto& room)
{
    if (group.Mode == BlockMode::Circle) {
        if (!group.CircleReady || !GroupSizeOk(group.Circle.Count, 1))
            return {};
        std::vector<LayoutPosition> positions = CirclePositions(group.Circle, 0, room.Length, 0, room.Width);
        // Tangential luminaires past 270 degrees come out above 360 (300 + 90); they
        // are stored as the same turn below 360, the range the angle fields edit.
        for (LayoutPosition& p : positions) {
            if (p.Angle >= 360)
                p.Angle -= 360;
        }
        return positions;
    }
    if (!GroupSizeOk(group.Cols, group.Rows))
        return {};
    return BlockPositions(group.Cols, group.Rows, group.StartX, group.StepX, group.StartY, group.StepY,
                          group.AngleStart, group.AngleStep);
}

Result<int> ApplyBlock(ProjectDocument& document, int refIndex, float z, const BlockGroup& group)
{
    const std::vector<LayoutPosition> positions = GroupPositions(group, document.ProjectData);
    return AppendLuminaires(document, refIndex, z, positions);
}

} // namespace lumivar
