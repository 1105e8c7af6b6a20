#include "app/ToolkitTranslator.h"

#include <QLibraryInfo>

#include <utility>
#include <vector>

namespace lumivar {

QString EuropeanPortuguese(QString text)
{
    // Built once: every text Qt translates passes through here.
    static const std::vector<std::pair<QString, QString>> kWords = [] {
        const std::pair<const char*, const char*> words[] = {
            {"Arquivo", "Ficheiro"},     {"arquivo", "ficheiro"},     {"Salvar", "Guardar"},
            {"salvar", "guardar"},       {"Excluir", "Eliminar"},     {"excluir", "eliminar"},
            {"Diretório", "Directório"}, {"diretório", "directório"}, {"Tela", "Ecrã"},
        };
        std::vector<std::pair<QString, QString>> list;
        for (const auto& [brazilian, european] : words)
            list.emplace_back(QString::fromUtf8(brazilian), QString::fromUtf8(european));
        return list;
    }();
    for (const auto& [brazilian, european] : kWords)
        text.replace(brazilian, european);
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
