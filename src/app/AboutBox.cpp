#include "app/AboutBox.h"

#include "app/AboutFacts.h"
#include "app/PreferencePresets.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QEnterEvent>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace lumivar {
namespace {

// A link that turns blue under the mouse and opens its address when clicked.
class LinkLabel final : public QLabel {
public:
    LinkLabel(const QString& text, QUrl target, QWidget* parent) : QLabel(text, parent), m_target(std::move(target))
    {
        setCursor(Qt::PointingHandCursor);
        SetColour(Qt::black);
    }

protected:
    void enterEvent(QEnterEvent*) override { SetColour(Qt::blue); }
    void leaveEvent(QEvent*) override { SetColour(Qt::black); }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            QDesktopServices::openUrl(m_target);
    }

private:
    void SetColour(const QColor& colour)
    {
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, colour);
        setPalette(pal);
    }
    QUrl m_target;
};

} // namespace

QString MemoryKilobytesText(quint64 bytes)
{
    return QLocale().toString(bytes / 1024) + QStringLiteral(" KB");
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Acerca do Lumivar"));
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(QStringLiteral("Lumivar"), this);
    QFont big = product->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    product->setFont(big);
    layout->addWidget(product);
    layout->addWidget(new QLabel(tr("Cálculo de Iluminação de interiores"), this));
    layout->addWidget(
        new QLabel(tr("Versão %1  (%2)")
                       .arg(QString::fromStdString(VersionText(false)), QString::fromStdString(VersionText(true))),
                   this));

    auto* memory = new QGridLayout;
    const auto status = CurrentMemoryStatus();
    memory->addWidget(new QLabel(tr("Memória física total :"), this), 0, 0);
    memory->addWidget(new QLabel(status ? MemoryKilobytesText(status->TotalPhysicalBytes) : QStringLiteral("-"), this),
                      0, 1, Qt::AlignRight);
    memory->addWidget(new QLabel(tr("Memória em uso :"), this), 1, 0);
    memory->addWidget(new QLabel(status ? QStringLiteral("%1 %").arg(status->LoadPercent) : QStringLiteral("-"), this),
                      1, 1, Qt::AlignRight);
    layout->addLayout(memory);

    layout->addWidget(new QLabel(QStringLiteral("Tavik, Lda."), this));
    layout->addWidget(new QLabel(QStringLiteral("Coimbra - Portugal"), this));
    auto* line = new QLabel(QString::fromStdString(AboutLine()), this);
    line->setObjectName(QStringLiteral("AboutLine"));
    layout->addWidget(line);
    layout->addWidget(
        new LinkLabel(QStringLiteral("www.tavik.example"), QUrl(QStringLiteral("https://www.tavik.example/")), this));
    layout->addWidget(new LinkLabel(QStringLiteral("suporte@tavik.example"),
                                    QUrl(QStringLiteral("mailto:suporte@tavik.example")), this));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("Ok"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace lumivar
