#include "app/ProjectSummaryWindow.h"

#include "base/TextEncoding.h"
#include "project/ProjectFile.h"

#include <QApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextBrowser>

namespace lumivar {
namespace {

QString FromRecord(std::string_view cp1252)
{
    return QString::fromStdString(Cp1252ToUtf8(cp1252)).toHtmlEscaped();
}

QString Number(double v, int decimals)
{
    return QLocale().toString(v, 'f', decimals);
}

} // namespace

ProjectSummaryWindow::ProjectSummaryWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Lumivar"));
    m_view = new QTextBrowser(this);
    setCentralWidget(m_view);
    QMenu* file = menuBar()->addMenu(tr("&Ficheiro"));
    QAction* open = file->addAction(tr("&Abrir..."), this, &ProjectSummaryWindow::ChooseAndOpen);
    open->setShortcut(QKeySequence::Open);
    file->addSeparator();
    file->addAction(tr("&Sair"), qApp, &QApplication::closeAllWindows);
    resize(820, 640);
}

void ProjectSummaryWindow::ChooseAndOpen()
{
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Abrir"), QString(), tr("Projectos de iluminação Lumivar   (*.prj)"));
    if (!path.isEmpty())
        OpenProject(path);
}

bool ProjectSummaryWindow::OpenProject(const QString& path)
{
    auto read = ReadProjectFile(path.toStdString(), ProjectDefaults{}, CurrentDateTime());
    if (!read) {
        QApplication::beep();
        QMessageBox::critical(this, QStringLiteral("Lumivar"), QString::fromStdString(read.Message()));
        return false;
    }
    if (!read->ConversionNotice.empty()) {
        QApplication::beep();
        QMessageBox::information(this, QStringLiteral("Lumivar"), QString::fromStdString(read->ConversionNotice));
    }
    ShowDocument(read->Document);
    setWindowTitle(QStringLiteral("Lumivar - [%1]").arg(QString::fromStdString(read->Document.FileName)));
    return true;
}

void ProjectSummaryWindow::ShowDocument(const ProjectDocument& doc)
{
    const TDadosProjecto& p = doc.ProjectData;
    QString html;
    html += QStringLiteral("<h2>%1</h2>").arg(FromRecord(p.ProjectName.View()));
    html += QStringLiteral("<table cellspacing=4>");
    const auto row = [&html](const QString& label, const QString& value) {
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(label, value);
    };
    row(tr("Nº"), FromRecord(p.Number.View()));
    row(tr("Projectista"), FromRecord(p.Designer.View()));
    row(tr("Espaço"), FromRecord(p.Space.View()));
    row(tr("Comprimento"), Number(p.Length, 2) + QStringLiteral(" m"));
    row(tr("Largura"), Number(p.Width, 2) + QStringLiteral(" m"));
    row(tr("Altura"), Number(p.Height, 2) + QStringLiteral(" m"));
    row(tr("Plano Trabalho"), Number(p.WorkPlaneHeight, 2) + QStringLiteral(" m"));
    row(tr("Nivel iluminância"), QString::number(p.Illuminance) + QStringLiteral(" lux"));
    row(tr("Factor manutenção"), Number(p.MaintenanceFactor, 2));
    html += QStringLiteral("</table><h3>%1</h3><table cellspacing=4>").arg(tr("Luminárias"));
    for (const auto& ref : doc.LuminaireRefs)
        row(FromRecord(ref->Data.Reference.View()), tr("%1 × %2, %3 lm")
                                                        .arg(ref->Quantity)
                                                        .arg(FromRecord(ref->Data.LampName[0].View()))
                                                        .arg(Number(TotalFlux(ref->Data), 0)));
    html += QStringLiteral("</table>");
    if (!doc.Observations.empty())
        html += QStringLiteral("<h3>%1</h3><p>%2</p>").arg(tr("Observações"), FromRecord(doc.Observations));
    m_view->setHtml(html);
}

} // namespace lumivar
