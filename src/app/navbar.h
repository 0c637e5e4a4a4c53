#pragma once

#include <QToolBox>

#include <vector>

class QListWidget;
class QListWidgetItem;

namespace talvex {

// The block palette: one page per palette group of the catalog, each item
// with its icon and caption. A click on an item reports its palette number.
class TdxNavBar : public QToolBox {
    Q_OBJECT
  public:
    explicit TdxNavBar(QWidget* parent = nullptr);

    int GroupCount() const { return static_cast<int>(m_groups.size()); }
    QListWidget* Group(int index) const; // 0-based; nullptr outside
    // Palette numbers of every item shown, group by group, top to bottom.
    std::vector<int> ShownItems() const;

    static constexpr int kItemRole = Qt::UserRole + 1; // palette number of an item

  signals:
    void ItemClicked(int item);

  private:
    void OnItemClicked(QListWidgetItem* item);

    std::vector<QListWidget*> m_groups;
};

} // namespace talvex
