#include "calc/AutoCountPlacement.h"

#include "calc/LuminairePlacement.h"

namespace lumivar {

Result<AutoCountProposal> ProposeAutoCount(const TDadosProjecto& project, const TRefLuminaria& ref, bool byColumns)
{
    Result<LumenResult> lumen = LumenMethod(project, ref.Data, ref.Intensities);
    if (!lumen)
        return Error{lumen.Message()};
    AutoCountProposal proposal;
    proposal.Lumen = *lumen;
    if (proposal.Lumen.Count <= kMaxGroupLuminaires)
        proposal.Shape = ArrayShape(proposal.Lumen.Count, byColumns);
    return proposal;
}

std::vector<LayoutPosition> AutoCountPositions(const TDadosProjecto& project, const AutoCountArray& array)
{
    if (!GroupSizeOk(array.Cols, array.Rows))
        return {};
    return ArrayPositions(project, array.Cols, array.Rows, array.StepFactor, array.Angle);
}

Result<int> ApplyAutoCount(ProjectDocument& document, const AutoCountArray& array)
{
    if (array.RefIndex < 0 || std::size_t(array.RefIndex) >= document.LuminaireRefs.size())
        return Error{"Referência de luminária inexistente."};
    if (array.Cols > 0 && array.Rows > 0 && !GroupSizeOk(array.Cols, array.Rows))
        return Error{"Demasiadas luminárias para colocar de uma só vez."};
    const std::vector<LayoutPosition> positions = AutoCountPositions(document.ProjectData, array);
    RemoveAllLuminaires(document);
    return AppendLuminaires(document, array.RefIndex, array.Height, positions);
}

} // namespace lumivar
