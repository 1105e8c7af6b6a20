#include "calc/LuminairePlacement.h"

namespace lumivar {

namespace {

bool ValidRef(const ProjectDocument& document, int refIndex)
{
    return refIndex >= 0 && std::size_t(refIndex) < document.LuminaireRefs.size() &&
           document.LuminaireRefs[std::size_t(refIndex)] != nullptr;
}

void MarkChanged(ProjectDocument& document)
{
    document.PlanChanged = true;
    document.Modified = true;
    document.InvalidateResults();
}

} // namespace

bool GroupSizeOk(long long cols, long long rows)
{
    return cols > 0 && rows > 0 && cols * rows <= kMaxGroupLuminaires;
}

Result<int> AppendLuminaires(ProjectDocument& document, int refIndex, float z,
                             std::span<const LayoutPosition> positions)
{
    if (!ValidRef(document, refIndex))
        return Error{"Referência de luminária inexistente."};
    if (positions.size() > std::size_t(kMaxGroupLuminaires))
        return Error{"Demasiadas luminárias para colocar de uma só vez."};
    document.Luminaires.reserve(document.Luminaires.size() + positions.size());
    for (const LayoutPosition& p : positions) {
        TObjectoLuminaria luminaire;
        luminaire.RefIndex = refIndex;
        luminaire.X = float(p.X);
        luminaire.Y = float(p.Y);
        luminaire.Z = z;
        luminaire.Angle = float(p.Angle);
        luminaire.Number = std::int32_t(document.Luminaires.size() + 1);
        document.AddLuminaire(luminaire);
    }
    if (!positions.empty())
        MarkChanged(document);
    return int(positions.size());
}

int RemoveAllLuminaires(ProjectDocument& document)
{
    const int removed = int(document.Luminaires.size());
    for (const TObjectoLuminaria& l : document.Luminaires) {
        if (ValidRef(document, l.RefIndex))
            document.LuminaireRefs[std::size_t(l.RefIndex)]->RemoveUse();
    }
    document.Luminaires.clear();
    if (removed > 0)
        MarkChanged(document);
    return removed;
}

} // namespace lumivar
