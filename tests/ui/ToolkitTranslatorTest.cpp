// Qt's own buttons and dialog texts in European Portuguese.

#include "app/ToolkitTranslator.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace lumivar {

class ToolkitTranslatorTest : public QObject {
    Q_OBJECT

private slots:
    void BrazilianWordsBecomeEuropean()
    {
        QCOMPARE(EuropeanPortuguese(QStringLiteral("Nome do arquivo:")), QStringLiteral("Nome do ficheiro:"));
        QCOMPARE(EuropeanPortuguese(QStringLiteral("Arquivos do tipo:")), QStringLiteral("Ficheiros do tipo:"));
        QCOMPARE(EuropeanPortuguese(QStringLiteral("Salvar como")), QStringLiteral("Guardar como"));
        QCOMPARE(EuropeanPortuguese(QStringLiteral("&Sim")), QStringLiteral("&Sim"));
    }

    void StandardButtonsSpeakPortuguese()
    {
        ToolkitTranslator texts;
        if (!texts.Load())
            QSKIP("Qt's Portuguese catalogue is not installed");
        QApplication::installTranslator(&texts);
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Save);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Sim"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QString::fromUtf8("&Não"));
        QCOMPARE(box.button(QMessageBox::Save)->text(), QStringLiteral("Guardar"));
        QApplication::removeTranslator(&texts);
    }
};

} // namespace lumivar

QTEST_MAIN(lumivar::ToolkitTranslatorTest)
#include "ToolkitTranslatorTest.moc"
