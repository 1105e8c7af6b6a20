// The preferences kept in an INI file: every value as text under its section and
// name, and texts that INI files treat specially.

#include "app/SettingsBackend.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace lumivar;

class PreferencesSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void storeSurvivesTheIniFile()
    {
        QTemporaryDir temp;
        const QString ini = temp.filePath(QStringLiteral("Lumivar3.1.ini"));
        PreferencesStore store = PreferencesStore::Defaults({"/opt/lumivar", ""});
        store.ProjectsFolder = "/home/ana/Os meus projectos/";
        store.PageEndLines = {"Rua A, 10; 2.º andar", "@Variant(não)", " = [Secção] "};
        store.HeaderFormat = "{$TITLE}\t{$DATE}";
        store.MaintenanceFactor = 0.85;
        store.Sheets[30] = true;
        {
            SettingsBackend backend(ini);
            store.Save(backend);
            QVERIFY(backend.Sync());
        }

        QSettings raw(ini, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Projecto/Factor Manutencao")).toString(), QStringLiteral("85"));
        QCOMPARE(raw.value(QStringLiteral("Projecto/iRef Plano Trab.")).toString(), QStringLiteral("30"));
        QCOMPARE(raw.value(QStringLiteral("Relatorios/Relatorio 30")).toString(), QStringLiteral("1"));
        QCOMPARE(raw.value(QStringLiteral("Personalizacao/Logo Tavik")).toString(), QStringLiteral("1"));

        SettingsBackend backend(ini);
        PreferencesStore back;
        QVERIFY(back.Load(backend, {"/elsewhere", ""}));
        QVERIFY(back == store);
    }

    void handEditedListsReadAsTheirText()
    {
        QTemporaryDir temp;
        const QString ini = temp.filePath(QStringLiteral("edited.ini"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Personalizacao]\nPLinha%201=Rua A, 10\n[Projecto]\nIluminancia=abc\n");
        file.close();

        SettingsBackend backend(ini);
        QCOMPARE(backend.ReadText("Personalizacao", "PLinha 1").value(), std::string("Rua A, 10"));
        QVERIFY(!backend.ReadText("Personalizacao", "PLinha 2").has_value());
        PreferencesStore store;
        store.Load(backend, {"/opt/lumivar", temp.path().toStdString()});
        QCOMPARE(store.Illuminance, 300);
        QCOMPARE(store.PageEndLines[0], std::string("Rua A, 10"));
    }
};

QTEST_MAIN(PreferencesSettingsTest)
#include "PreferencesSettingsTest.moc"
