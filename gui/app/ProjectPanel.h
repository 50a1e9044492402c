#pragma once
// The project panel: a dock at the left of the main window that lists the steps of the
// project in the order of work, each with its tick or warning and its one-line summary.
// Double-click or Enter on an item opens what it names; a greyed item says why it cannot be
// used. It shows what the steps model builds and follows the project after every input.

#include "model/workspace/ProjectSteps.h"

#include <QDockWidget>
#include <QIcon>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace dorvek {

class TProjectPanel : public QDockWidget {
    Q_OBJECT
public:
    // steps: builds the steps of the project as it is now.
    explicit TProjectPanel(std::function<std::vector<TStepItem>()> steps,
                           QWidget* parent = nullptr);
    ~TProjectPanel() override;

    // An item was double-clicked or Enter pressed on it (also a greyed one); rect: where it
    // is shown, in global coordinates.
    std::function<void(const TStepItem& item, const QRect& rect)> OnActivate;
    // The list got the keyboard focus (pending edits of a child window are stored then).
    std::function<void()> OnFocused;

    // Rebuilds the items now; RefreshSoon at the next turn of the event loop.
    void Refresh();
    void RefreshSoon();

    QTreeWidget* Tree() const { return fTree; }
    // The item of the step or entry with that key, null when it is not listed.
    QTreeWidgetItem* ItemOf(const std::string& key) const;
    const TStepItem* StepOf(const std::string& key) const;
    // Activates the item as a double-click does.
    void Activate(QTreeWidgetItem* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(QTreeWidgetItem& widgetItem, const TStepItem& item);
    QIcon StatusIcon(TStepStatus status) const;

    std::function<std::vector<TStepItem>()> fSteps;
    QTreeWidget* fTree;
    std::vector<TStepItem> fShown;
    std::map<std::string, QTreeWidgetItem*> fItems;
    std::map<TStepStatus, QIcon> fIcons;
    bool fPending = false;
};

} // namespace dorvek
