#include "app/ToolkitTranslator.h"

#include <QLibraryInfo>

namespace lumivar {

QString EuropeanPortuguese(QString text)
{
    // Longer words first where one contains another.
    static const std::pair<const char*, const char*> kWords[] = {
        {"Arquivo", "Ficheiro"},     {"arquivo", "ficheiro"},     {"Salvar", "Guardar"},
        {"salvar", "guardar"},       {"Excluir", "Eliminar"},     {"excluir", "eliminar"},
        {"Diretório", "Directório"}, {"diretório", "directório"}, {"Tela", "Ecrã"},
    };
    for (const auto& [brazilian, european] : kWords)
        text.replace(QString::fromUtf8(brazilian), QString::fromUtf8(european));
    return text;
}

bool ToolkitTranslator::Load()
{
    return m_catalogue.load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString ToolkitTranslator::translate(const char* context, const char* sourceText, const char* disambiguation,
                                     int n) const
{
    const QString text = m_catalogue.translate(context, sourceText, disambiguation, n);
    return text.isEmpty() ? text : EuropeanPortuguese(text);
}

} // namespace lumivar
