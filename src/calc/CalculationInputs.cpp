#include "calc/CalculationInputs.h"

#include "base/TextEncoding.h"

#include <cmath>
#include <string>

namespace lumivar {

namespace {

bool Finite(double value)
{
    return std::isfinite(value);
}

} // namespace

Status CheckRoom(const TDadosProjecto& project)
{
    if (!Finite(project.Length) || !Finite(project.Width) || !(project.Length > 0) || !(project.Width > 0)) {
        return Error{"O comprimento e a largura do local têm de ser maiores que zero."};
    }
    if (!Finite(project.Height) || !Finite(project.WorkPlaneHeight) ||
        !(static_cast<double>(project.Height) - project.WorkPlaneHeight > 0)) {
        return Error{"O plano de trabalho tem de ficar abaixo do tecto."};
    }
    if (!Finite(project.Margin)) {
        return Error{"A margem não é um número válido."};
    }
    if (project.Margin > 0 &&
        (!(project.Length - 2.0 * project.Margin > 0) || !(project.Width - 2.0 * project.Margin > 0))) {
        return Error{"A margem não deixa área no plano de trabalho."};
    }
    return Done{};
}

Status CheckReflectances(const TDadosProjecto& project)
{
    for (std::uint8_t reflectance : project.Reflectance) {
        if (reflectance > 100) {
            return Error{"As reflectâncias têm de estar entre 0 e 100 %."};
        }
    }
    return Done{};
}

Status CheckCalculationInputs(const TDadosProjecto& project, std::span<const TObjectoLuminaria> luminaires)
{
    if (Status room = CheckRoom(project); !room) {
        return room;
    }
    for (std::uint8_t divisions : project.GridDivisions) {
        if (divisions == 0) {
            return Error{"As grelhas de cálculo têm de ter pelo menos uma divisão."};
        }
    }
    if (!Finite(project.MaintenanceFactor) || !(project.MaintenanceFactor > 0)) {
        return Error{"O factor de manutenção tem de ser maior que zero."};
    }
    for (std::size_t i = 0; i < luminaires.size(); ++i) {
        const TObjectoLuminaria& luminaire = luminaires[i];
        const std::string which = std::to_string(i + 1);
        if (!Finite(luminaire.X) || !Finite(luminaire.Y) || !Finite(luminaire.Z) || !Finite(luminaire.Angle)) {
            return Error{"A luminária " + which + " tem uma posição inválida."};
        }
        const TRefLuminaria* ref = luminaire.Ref;
        if (ref == nullptr) {
            return Error{"A luminária " + which + " não tem referência."};
        }
        bool valid = Finite(TotalFlux(ref->Data));
        for (const auto& row : ref->Intensities) {
            for (double value : row) {
                valid = valid && Finite(value);
            }
        }
        if (!valid) {
            return Error{"A referência \"" + Cp1252ToUtf8(ref->Data.Reference.View()) +
                         "\" tem dados fotométricos inválidos."};
        }
    }
    return Done{};
}

} // namespace lumivar
