#include "app/formabout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace talvex {

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormAbout"));
    setWindowTitle(QString::fromUtf8("关于"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(QString::fromUtf8("TALVEX流程图(VEVO8)"), this);
    product->setObjectName(QStringLiteral("Label1"));
    QFont big = product->font();
    big.setPixelSize(18);
    big.setBold(true);
    product->setFont(big);
    auto* version = new QLabel(QString::fromUtf8("版本:2.0 "), this);
    version->setObjectName(QStringLiteral("Label2"));
    auto* maker = new QLabel(QStringLiteral("VORNACO"), this);
    maker->setObjectName(QStringLiteral("Label3"));
    for (QLabel* label : {product, version, maker}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QString::fromUtf8("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Button1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(300, 160)));
}

} // namespace talvex
