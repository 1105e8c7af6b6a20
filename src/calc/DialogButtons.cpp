#include "calc/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace lumivar {

DialogButtons MakeDialogButtons(QDialog* dialog)
{
    DialogButtons b;
    b.Row = new QHBoxLayout;
    b.Row->addStretch();
    b.Ok = new QPushButton(QDialog::tr("Ok"), dialog);
    b.Ok->setObjectName(QStringLiteral("OkBtn"));
    b.Ok->setDefault(true);
    b.Ok->setEnabled(false);
    b.Cancel = new QPushButton(QDialog::tr("Cancela"), dialog);
    b.Cancel->setObjectName(QStringLiteral("CancelaBtn"));
    b.Help = new QPushButton(QDialog::tr("&Ajuda"), dialog);
    b.Help->setObjectName(QStringLiteral("AjudaBtn"));
    MarkHelpPending(b.Help);
    b.Row->addWidget(b.Ok);
    b.Row->addWidget(b.Cancel);
    b.Row->addWidget(b.Help);
    QObject::connect(b.Ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(b.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return b;
}

void MarkHelpPending(QPushButton* help)
{
    help->setEnabled(false);
    help->setToolTip(QDialog::tr("A ajuda ainda não está disponível."));
}

} // namespace lumivar
