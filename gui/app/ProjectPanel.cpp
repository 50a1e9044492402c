#include "gui/app/ProjectPanel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>

namespace dorvek {

namespace {

enum TRole { KeyRole = Qt::UserRole, CaptionRole, SummaryRole, StatusRole };

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A step in two lines, its caption in bold over its summary; an entry in one line. Greyed
// entries are drawn in the disabled colour but stay selectable, so that the keyboard reaches
// them and their reason.
class TStepDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, p, widget);

        const QRect area =
            style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).adjusted(2, 0, -2, 0);
        const bool greyed = index.data(StatusRole).toInt() == int(TStepStatus::Unavailable);
        const QPalette::ColorGroup group = greyed ? QPalette::Disabled : QPalette::Normal;
        const bool selected = opt.state & QStyle::State_Selected;
        p->save();
        p->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const QString caption = index.data(CaptionRole).toString();
        const QString summary = index.data(SummaryRole).toString();
        QFont bold = opt.font;
        bold.setBold(true);
        if (!index.parent().isValid()) {
            const QFontMetrics boldMetrics(bold), metrics(opt.font);
            const int lines = boldMetrics.height() + metrics.height();
            const int top = area.top() + (area.height() - lines) / 2;
            p->setFont(bold);
            p->drawText(QRect(area.left(), top, area.width(), boldMetrics.height()),
                        Qt::AlignLeft | Qt::AlignVCenter,
                        boldMetrics.elidedText(caption, Qt::ElideRight, area.width()));
            p->setFont(opt.font);
            p->drawText(
                QRect(area.left(), top + boldMetrics.height(), area.width(), metrics.height()),
                Qt::AlignLeft | Qt::AlignVCenter,
                metrics.elidedText(summary, Qt::ElideRight, area.width()));
        } else {
            const QFontMetrics metrics(opt.font);
            const QString text =
                summary.isEmpty() ? caption : caption + QStringLiteral(": ") + summary;
            p->setFont(opt.font);
            p->drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                        metrics.elidedText(text, Qt::ElideRight, area.width()));
        }
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QFontMetrics metrics(option.font);
        const int lines = index.parent().isValid() ? 1 : 2;
        size.setHeight(std::max(size.height(), lines * (metrics.height() + 1) + 6));
        return size;
    }
};

// The small pictures of the states: a tick, a warning sign, an open circle for a step still
// to do, a grey dash for one that cannot be used yet.
QIcon DrawStatus(TStepStatus status) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    switch (status) {
    case TStepStatus::Done: {
        p.setPen(QPen(QColor(0x1e, 0x8c, 0x2e), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    }
    case TStepStatus::Warning: {
        QPainterPath triangle;
        triangle.moveTo(8, 1.5);
        triangle.lineTo(15, 14.5);
        triangle.lineTo(1, 14.5);
        triangle.closeSubpath();
        p.fillPath(triangle, QColor(0xf0, 0xa8, 0x00));
        p.setPen(QPen(Qt::black, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 5.5), QPointF(8, 10));
        p.drawPoint(QPointF(8, 12.5));
        break;
    }
    case TStepStatus::Pending:
        p.setPen(QPen(QColor(0x2a, 0x6c, 0xc8), 1.8));
        p.drawEllipse(QPointF(8, 8), 5, 5);
        break;
    case TStepStatus::Unavailable:
        p.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 8), QPointF(12, 8));
        break;
    }
    return QIcon(picture);
}

QString ToolTip(const TStepItem& item) {
    QString tip = Text(item.Caption);
    if (!item.Summary.empty()) tip += QStringLiteral(": ") + Text(item.Summary);
    if (!item.Reason.empty()) tip += QStringLiteral("\n") + Text(item.Reason);
    return tip;
}

// Steps that start open: the ones to fill in, and the results once there are any.
bool OpenAtFirst(const TStepItem& step) {
    if (step.Key == "options") return false;
    if (step.Key == "results") return step.Status != TStepStatus::Unavailable;
    return true;
}

// Wide enough for the summaries of the steps.
class TStepsTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    QSize sizeHint() const override {
        return {fontMetrics().averageCharWidth() * 56, QTreeWidget::sizeHint().height()};
    }
};

} // namespace

TProjectPanel::TProjectPanel(std::function<std::vector<TStepItem>()> steps, QWidget* parent)
    : QDockWidget(tr("Project"), parent), fSteps(std::move(steps)) {
    setObjectName(QStringLiteral("ProjectPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    fTree = new TStepsTree(this);
    fTree->setHeaderHidden(true);
    fTree->setColumnCount(1);
    fTree->setRootIsDecorated(true);
    fTree->setUniformRowHeights(false);
    fTree->setItemDelegate(new TStepDelegate(fTree));
    fTree->setSelectionMode(QAbstractItemView::SingleSelection);
    fTree->setExpandsOnDoubleClick(false);
    fTree->installEventFilter(this);
    connect(fTree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { Activate(item); });
    setWidget(fTree);
    for (TStepStatus s :
         {TStepStatus::Done, TStepStatus::Pending, TStepStatus::Warning, TStepStatus::Unavailable})
        fIcons[s] = DrawStatus(s);
    // Every change of the project comes from some input: the panel looks again after each.
    qApp->installEventFilter(this);
}

TProjectPanel::~TProjectPanel() {
    qApp->removeEventFilter(this);
}

QIcon TProjectPanel::StatusIcon(TStepStatus status) const {
    return fIcons.at(status);
}

void TProjectPanel::RefreshSoon() {
    if (fPending) return;
    fPending = true;
    QTimer::singleShot(0, this, [this] {
        fPending = false;
        Refresh();
    });
}

void TProjectPanel::Refresh() {
    std::vector<TStepItem> steps = fSteps ? fSteps() : std::vector<TStepItem>{};
    if (steps == fShown && !fItems.empty()) return;

    QTreeWidgetItem* current = fTree->currentItem();
    const std::string currentKey =
        current ? current->data(0, KeyRole).toString().toStdString() : std::string();
    std::map<std::string, bool> expanded;
    for (int i = 0; i < fTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = fTree->topLevelItem(i);
        expanded[top->data(0, KeyRole).toString().toStdString()] = top->isExpanded();
    }
    // A step that becomes usable (the results after a run) opens.
    for (const TStepItem& before : fShown)
        if (before.Status == TStepStatus::Unavailable)
            for (const TStepItem& now : steps)
                if (now.Key == before.Key && now.Status != TStepStatus::Unavailable)
                    expanded[now.Key] = true;
    const int scroll = fTree->verticalScrollBar()->value();

    fTree->setUpdatesEnabled(false);
    fTree->clear();
    fItems.clear();
    for (const TStepItem& step : steps) {
        auto* top = new QTreeWidgetItem(fTree);
        Show(*top, step);
        for (const TStepItem& entry : step.Entries) Show(*new QTreeWidgetItem(top), entry);
        const auto was = expanded.find(step.Key);
        top->setExpanded(was != expanded.end() ? was->second : OpenAtFirst(step));
    }
    fShown = std::move(steps);
    if (QTreeWidgetItem* again = ItemOf(currentKey)) fTree->setCurrentItem(again);
    fTree->verticalScrollBar()->setValue(scroll);
    fTree->setUpdatesEnabled(true);
}

void TProjectPanel::Show(QTreeWidgetItem& widgetItem, const TStepItem& item) {
    const QString caption = Text(item.Caption), summary = Text(item.Summary);
    widgetItem.setText(0, summary.isEmpty() ? caption : caption + QStringLiteral(": ") + summary);
    widgetItem.setData(0, KeyRole, Text(item.Key));
    widgetItem.setData(0, CaptionRole, caption);
    widgetItem.setData(0, SummaryRole, summary);
    widgetItem.setData(0, StatusRole, int(item.Status));
    widgetItem.setIcon(0, StatusIcon(item.Status));
    widgetItem.setToolTip(0, ToolTip(item));
    widgetItem.setStatusTip(0, Text(item.Reason));
    fItems[item.Key] = &widgetItem;
}

QTreeWidgetItem* TProjectPanel::ItemOf(const std::string& key) const {
    const auto found = fItems.find(key);
    return found == fItems.end() ? nullptr : found->second;
}

const TStepItem* TProjectPanel::StepOf(const std::string& key) const {
    for (const TStepItem& step : fShown) {
        if (step.Key == key) return &step;
        for (const TStepItem& entry : step.Entries)
            if (entry.Key == key) return &entry;
    }
    return nullptr;
}

void TProjectPanel::Activate(QTreeWidgetItem* item) {
    if (!item || !OnActivate) return;
    const TStepItem* step = StepOf(item->data(0, KeyRole).toString().toStdString());
    if (!step) return;
    const TStepItem copy = *step; // the handler may change the project and so the steps
    QRect rect = fTree->visualItemRect(item);
    rect.moveTopLeft(fTree->viewport()->mapToGlobal(rect.topLeft()));
    OnActivate(copy, rect);
    RefreshSoon();
}

bool TProjectPanel::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == fTree) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Activate(fTree->currentItem());
                return true;
            }
        }
        break;
    case QEvent::FocusIn:
        if (watched == fTree && OnFocused) OnFocused();
        break;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
        RefreshSoon();
        break;
    default:
        break;
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace dorvek
