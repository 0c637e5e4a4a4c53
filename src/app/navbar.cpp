#include "app/navbar.h"

#include "render/fonts.h"

#include "app/images.h"
#include "model/catalog.h"
#include "model/gbk.h"

#include <QIcon>
#include <QListWidget>

#include <algorithm>

namespace talvex {

namespace {

QFont PaletteFont()
{
    return SongFont(16);
}

constexpr int kCellHeight = 66;

// Icons with their captions under them, centred in cells as wide as the bar.
class GroupList : public QListWidget {
  public:
    using QListWidget::QListWidget;

  protected:
    void resizeEvent(QResizeEvent* event) override
    {
        const QSize cell(std::max(kPaletteImageSize, viewport()->width()), kCellHeight);
        if (gridSize() != cell) {
            setGridSize(cell);
            for (int row = 0; row < count(); ++row)
                item(row)->setSizeHint(cell - QSize(0, 2));
        }
        QListWidget::resizeEvent(event);
    }
};

QListWidget* NewGroupList(const PaletteGroupInfo& group, QWidget* parent)
{
    auto* list = new GroupList(parent);
    list->setObjectName(QString::fromLatin1(group.objectName));
    list->setViewMode(QListView::IconMode);
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(false);
    list->setMovement(QListView::Static);
    list->setResizeMode(QListView::Adjust);
    list->setDragEnabled(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setIconSize(QSize(kPaletteImageSize, kPaletteImageSize));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape(QFrame::NoFrame);
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    list->setPalette(pal);

    for (int number : group.items) {
        const BlockInfo* info = FindPaletteItem(number);
        if (!info)
            continue;
        auto* item = new QListWidgetItem(QIcon(PaletteImage(info->icon)), FromGbk(info->caption), list);
        item->setData(TdxNavBar::kItemRole, number);
        item->setToolTip(FromGbk(info->description));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        item->setFlags(Qt::ItemIsEnabled);
    }
    return list;
}

} // namespace

TdxNavBar::TdxNavBar(QWidget* parent) : QToolBox(parent)
{
    setObjectName(QStringLiteral("dxNavBar1"));
    setFont(PaletteFont());
    for (const PaletteGroupInfo& group : PaletteGroups()) {
        QListWidget* list = NewGroupList(group, this);
        connect(list, &QListWidget::itemClicked, this, &TdxNavBar::OnItemClicked);
        m_groups.push_back(list);
        addItem(list, FromGbk(group.caption));
    }
    setCurrentIndex(0);
}

QListWidget* TdxNavBar::Group(int index) const
{
    if (index < 0 || index >= GroupCount())
        return nullptr;
    return m_groups[static_cast<size_t>(index)];
}

std::vector<int> TdxNavBar::ShownItems() const
{
    std::vector<int> items;
    for (const QListWidget* list : m_groups)
        for (int row = 0; row < list->count(); ++row)
            items.push_back(list->item(row)->data(kItemRole).toInt());
    return items;
}

void TdxNavBar::OnItemClicked(QListWidgetItem* item)
{
    if (item)
        emit ItemClicked(item->data(kItemRole).toInt());
}

} // namespace talvex
