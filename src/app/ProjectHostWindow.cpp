#include "app/ProjectHostWindow.h"

#include "app/PreferencesStore.h"
#include "app/RecentFiles.h"
#include "base/TextEncoding.h"
#include "project/ProjectFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

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

QString DefaultSavePath(QWidget* parent, const QString& start)
{
    QFileDialog dialog(parent, QObject::tr("Gravar como"), start,
                       QObject::tr("Projectos de iluminação Lumivar   (*.prj)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("prj"));
    // The dialog asks before an existing file is replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString ProjectCaption(const QString& path)
{
    return QString::fromStdString(RecentFileCaption(path.toStdString()));
}

ProjectHostWindow::ProjectHostWindow(QString* projectsFolder, QWidget* parent)
    : ProjectWindowBase(parent),
      m_document(ProjectDocument::New(AppPreferences().NewProjectDefaults(), CurrentDateTime())),
      m_projectsFolder(projectsFolder), m_chooseSavePath(DefaultSavePath)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QTextBrowser(this);
    layout->addWidget(m_view);
    resize(640, 480);
}

void ProjectHostWindow::StartNew(const QString& caption)
{
    setWindowTitle(caption);
    m_history.Start();
    ShowDocument();
}

bool ProjectHostWindow::OpenProject(const QString& path)
{
    auto read = ReadProjectFile(path.toStdString(), AppPreferences().NewProjectDefaults(), CurrentDateTime());
    if (!read) {
        QApplication::beep();
        QMessageBox::critical(this, QStringLiteral("Lumivar"), QString::fromStdString(read.Message()));
        return false;
    }
    if (!read->ConversionNotice.empty()) {
        QApplication::beep();
        QMessageBox::information(this, QStringLiteral("Lumivar"), QString::fromStdString(read->ConversionNotice));
    }
    m_document = std::move(read->Document);
    setWindowTitle(ProjectCaption(QString::fromStdString(m_document.FileName)));
    m_history.Start();
    ShowDocument();
    emit Changed();
    return true;
}

bool ProjectHostWindow::SaveProject(bool askName)
{
    QString path = QString::fromStdString(m_document.FileName);
    const bool useDialog = askName || path.isEmpty();
    if (useDialog) {
        const QString start = path.isEmpty() ? QDir(m_projectsFolder ? *m_projectsFolder : QString())
                                                   .filePath(windowTitle() + QStringLiteral(".prj"))
                                             : path;
        path = m_chooseSavePath(this, start);
        if (path.isEmpty())
            return false;
    }
    const Status saved = SaveProjectFile(m_document, path.toStdString());
    if (!saved) {
        QApplication::beep();
        QMessageBox::critical(this, QStringLiteral("Lumivar"), QString::fromStdString(saved.Message()));
        return false;
    }
    m_history.MarkSaved();
    if (useDialog) {
        setWindowTitle(ProjectCaption(path));
        if (m_projectsFolder)
            *m_projectsFolder = QFileInfo(path).absolutePath();
    }
    emit Changed();
    return true;
}

void ProjectHostWindow::DocumentReplaced(const HistoryChange&)
{
    ShowDocument();
    emit Changed();
}

bool ProjectHostWindow::CloseQuery()
{
    if (m_document.PlanChanged)
        m_document.Modified = true;
    if (!m_document.Modified)
        return true;
    const QString question = m_document.FileName.empty()
                                 ? tr("Este projecto ainda não foi gravado!   Gostaria de o gravar?")
                                 : tr("O projecto  %1  foi modificado.  Gostaria de gravar as modificações?")
                                       .arg(QString::fromStdString(m_document.FileName));
    const auto answer = QMessageBox::question(this, QStringLiteral("Lumivar"), question,
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return SaveProject(false);
    return answer == QMessageBox::No;
}

void ProjectHostWindow::closeEvent(QCloseEvent* event)
{
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    emit Closed(QString::fromStdString(m_document.FileName));
}

void ProjectHostWindow::ShowDocument()
{
    const TDadosProjecto& p = m_document.ProjectData;
    QString html;
    html +=
        QStringLiteral("<p><i>%1</i></p>")
            .arg(tr(
                "Vista provisória do projecto: as páginas de dados, planta e resultados ainda não estão disponíveis."));
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
    for (const auto& ref : m_document.LuminaireRefs)
        row(FromRecord(ref->Data.Reference.View()), tr("%1 × %2, %3 lm")
                                                        .arg(ref->Quantity)
                                                        .arg(FromRecord(ref->Data.LampName[0].View()))
                                                        .arg(Number(TotalFlux(ref->Data), 0)));
    html += QStringLiteral("</table>");
    const auto& results = p.Results;
    if (results.DirectDone && results.IndirectDone) {
        static const char* const names[6] = {"Tecto",    "Parede A", "Parede B",
                                             "Parede C", "Parede D", "Plano de trabalho"};
        html += QStringLiteral("<h3>%1</h3><table cellspacing=4><tr><td></td><td><b>%2</b></td><td><b>%3</b></td>"
                               "<td><b>%4</b></td></tr>")
                    .arg(tr("Resumo dos cálculos"), tr("Mínimo"), tr("Médio"), tr("Máximo"));
        for (int s = 0; s < 6; ++s) {
            const auto& r = results.Surfaces[std::size_t(s)];
            html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td><td>%3</td><td>%4</td></tr>")
                        .arg(tr(names[s]), Number(r.Minimum + r.Indirect, 0), Number(r.Average + r.Indirect, 0),
                             Number(r.Maximum + r.Indirect, 0));
        }
        html += QStringLiteral("</table>");
    }
    if (!m_document.Observations.empty())
        html += QStringLiteral("<h3>%1</h3><p>%2</p>").arg(tr("Observações"), FromRecord(m_document.Observations));
    m_view->setHtml(html);
}

} // namespace lumivar
