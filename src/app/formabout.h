#pragma once

#include <QDialog>

namespace talvex {

// The About box: product, version and maker.
class TFormAbout : public QDialog {
    Q_OBJECT
  public:
    explicit TFormAbout(QWidget* parent = nullptr);
};

} // namespace talvex
