#pragma once

#include "app/navbar.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

namespace talvex {

// Opens the palette item's group and clicks the item as the user would; false
// when no shown item has that number.
inline bool ClickPaletteItem(TdxNavBar& bar, int number)
{
    for (int g = 0; g < bar.GroupCount(); ++g) {
        QListWidget* list = bar.Group(g);
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->data(TdxNavBar::kItemRole).toInt() != number)
                continue;
            bar.setCurrentIndex(g);
            QApplication::processEvents();
            list->scrollToItem(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
            return true;
        }
    }
    return false;
}

} // namespace talvex
