#pragma once
// Qt's own texts (standard buttons, file and print dialogs) in Portuguese, like the
// program's. Qt ships its Portuguese catalogue in the Brazilian variant only; the
// words that differ in European Portuguese are put right on the way out.

#include <QTranslator>

namespace lumivar {

// The Brazilian wording of a Qt text made European ("arquivo" -> "ficheiro", ...).
QString EuropeanPortuguese(QString text);

class ToolkitTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    // Loads Qt's Portuguese catalogue from Qt's translations folder; false when it is
    // not installed (Qt's texts then stay English).
    bool Load();

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return m_catalogue.isEmpty(); }

private:
    QTranslator m_catalogue;
};

} // namespace lumivar
