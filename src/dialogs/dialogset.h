#pragma once

#include "dialogs/boundcontrols.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace talvex {

// Dialogs that other parts of the program supply; they take their place in
// the start-up order between the melody editor and the expression dialog.
struct DialogSetOptions {
    std::function<QDialog*(QWidget* parent)> makeDownload; // TFormDownload
    std::function<QDialog*(QWidget* parent)> makeAbout;    // TFormAbout
    // The voice phrases; without them the list beside the executable is read.
    std::optional<std::vector<std::string>> phrases;
};

// Every dialog of the program, each created once, in start-up order, and
// reused for the life of the application. The main window creates one right
// after itself. A kind whose dialog is not in the start-up order gets one from
// its description, after the others. Every catalog row's control bindings are
// resolved here; one that matches no control of the right type stops the
// program at start-up.
class DialogSet {
  public:
    explicit DialogSet(QWidget* parent = nullptr, DialogSetOptions options = {});
    ~DialogSet();
    DialogSet(const DialogSet&) = delete;
    DialogSet& operator=(const DialogSet&) = delete;

    // The dialog whose class (objectName) is the given name, or nullptr.
    QDialog* Find(const QString& className) const;
    template <class T> T* Get(const char* className) const
    {
        return qobject_cast<T*>(Find(QString::fromLatin1(className)));
    }
    // All dialogs in creation order.
    std::vector<QDialog*> All() const;
    // The controls of a kind's dialog, in its row's binding order; nullptr for
    // a kind without bindings.
    const BoundControls* Controls(int32_t kindCode) const;

  private:
    void Add(QDialog* dialog);
    void AddDescribedDialogs(QWidget* parent);
    void BindCatalog();
    std::vector<QPointer<QDialog>> m_dialogs;
    std::map<int32_t, BoundControls> m_controls;
};

} // namespace talvex
