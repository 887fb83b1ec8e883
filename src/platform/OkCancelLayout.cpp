#include "platform/OkCancelLayout.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QVBoxLayout>

void LayOutAboveOkCancel(QDialog& dialog, QLayout* content) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(content);
    layout->addWidget(box);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
}
