#include "app/findingspanel.h"

#include "model/gbk.h"

#include <QStyle>

namespace talvex {

FindingsPanel::FindingsPanel(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("FindingsPanel"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int index = row(item);
        if (index >= 0 && index < static_cast<int>(m_findings.size()))
            emit FindingClicked(m_findings[static_cast<size_t>(index)]);
    });
}

void FindingsPanel::ShowFindings(const std::vector<lang::Finding>& findings)
{
    m_findings = findings;
    clear();
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const lang::Finding& finding : m_findings) {
        const bool error = finding.severity == lang::Severity::Error;
        auto* item =
            new QListWidgetItem(error ? errorIcon : warningIcon,
                                QString::fromUtf8("第%1行 第%2列 %3: %4")
                                    .arg(finding.line)
                                    .arg(finding.column)
                                    .arg(FromGbk(lang::SeverityText(finding.severity)), FromGbk(finding.message)),
                                this);
        item->setForeground(error ? QColor(170, 0, 0) : QColor(150, 100, 0));
        item->setToolTip(item->text());
    }
    if (m_findings.empty()) {
        auto* item = new QListWidgetItem(QString::fromUtf8("没有发现问题。"), this);
        item->setFlags(Qt::ItemIsEnabled);
    }
}

} // namespace talvex
